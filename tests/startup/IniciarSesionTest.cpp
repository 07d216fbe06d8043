#include "platform/LineaPrivada.h"
#include "data/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/Carpetas.h"
#include "startup/Globales.h"
#include "startup/Inicio.h"
#include "tests/support/BaseDePrueba.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

class IniciarSesionTest : public BaseSinIniciar
{
protected:
    void SetUp() override
    {
        BaseSinIniciar::SetUp();
        EstablecerEnlaceConsultas(&Lib_ClsCons3::Instancia());
    }

    // Runs the start-up and tells whether it ended the process, and with what code.
    std::optional<int> iniciarCon(const QString& linea, QString* conexion = nullptr)
    {
        QString c;
        try {
            IniciarSesion(false, linea, conexion ? *conexion : c);
        } catch (const ProcesoTerminado& t) {
            return t.codigo;
        }
        return std::nullopt;
    }
};

} // namespace

TEST_P(IniciarSesionTest, LineaCompletaAbreYPreparaLaSesion)
{
    EXPECT_EQ(iniciarCon(comando()), std::nullopt);
    DB_Dll& db = DB_Dll::Instancia();
    ASSERT_TRUE(db.gOpenFlag);
    EXPECT_TRUE(db.gCnn.Abierta());
    EXPECT_EQ(gUsuarioLogeado, m_usuario) << "the database user replaces the logged-in one";
    EXPECT_EQ(UsuarioQueOpera(), QStringLiteral("JUAN")) << "the suite user is who acts";
    EXPECT_EQ(gCaja, QStringLiteral("3"));
    EXPECT_EQ(gMenu, QString());
    EXPECT_EQ(db.gDBName, m_base);
    EXPECT_TRUE(db.gEsAdmin);
    EXPECT_EQ(db.gCnn.CommandTimeout(), 360);
    EXPECT_EQ(db.gCnn.IsolationLevel(), 256);
    EXPECT_EQ(gCadenaODBC, QStringLiteral("DSN=%1; UID=%2; PWD=%3").arg(m_base, m_usuario, m_clave));
    EXPECT_TRUE(gRutaAplicacion.endsWith(u'/'));
    EXPECT_EQ(QFileInfo(gRutaAplicacion).canonicalFilePath(), QFileInfo(carpeta()).canonicalFilePath());
    const Lib_ClsCons3& consultas = Lib_ClsCons3::Instancia();
    EXPECT_EQ(consultas.gConnString, db.gConnString);
    EXPECT_TRUE(consultas.gUsarMascarasConsultas);
    EXPECT_EQ(consultas.gRutaMascaraConsultas, gRutaAplicacion + QStringLiteral("consultas.vlm"));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(IniciarSesionTest, SinCajaEsUnoYUnUsuarioQueNoEsAdministradorLoDice)
{
    ejecutar(QStringLiteral("UPDATE ta_usuarios SET Administrador = 0"));
    QString linea = comando();
    linea.remove(QStringLiteral("@Caja=3;"));
    EXPECT_EQ(iniciarCon(linea), std::nullopt);
    EXPECT_EQ(gCaja, QStringLiteral("1"));
    EXPECT_FALSE(DB_Dll::Instancia().gEsAdmin);
}

TEST_P(IniciarSesionTest, SegundaLlamadaNoVuelveAConectar)
{
    ASSERT_EQ(iniciarCon(comando()), std::nullopt);
    const QString texto = DB_Dll::Instancia().gConnString;
    // A command line for another database is not read once the connection is open.
    EXPECT_EQ(iniciarCon(QStringLiteral("@Server=sqlite:;@DbName=/no/existe.db;")), std::nullopt);
    EXPECT_EQ(DB_Dll::Instancia().gConnString, texto);
    EXPECT_TRUE(DB_Dll::Instancia().gCnn.Abierta());
}

TEST_P(IniciarSesionTest, LineaVaciaPideElAccesoYCancelarTermina)
{
    std::vector<DatosAcceso> pedidos;
    DB_Dll::Instancia().gPedirAcceso = [&](DatosAcceso& d) {
        pedidos.push_back(d);
        return false;
    };
    EXPECT_EQ(iniciarCon(QString()), LineaPrivada::SinConexion) << "a cancelled login ends the program as a failure";
    ASSERT_EQ(pedidos.size(), 1u);
    EXPECT_EQ(pedidos[0].servidor, QString());
    EXPECT_FALSE(DB_Dll::Instancia().gOpenFlag);
    EXPECT_TRUE(m_guion->avisos.empty());
}

TEST_P(IniciarSesionTest, ElDialogoDeAccesoConectaConLoQueSeEscribe)
{
    DB_Dll::Instancia().gPedirAcceso = [&](DatosAcceso& d) {
        d.servidor = m_servidor;
        d.base = m_base;
        d.usuario = m_usuario;
        d.contrasena = m_clave;
        d.plataforma = esPostgres() ? 2 : 3;
        return true;
    };
    EXPECT_EQ(iniciarCon(QStringLiteral("@DbName=x;")), std::nullopt);
    EXPECT_TRUE(DB_Dll::Instancia().gCnn.Abierta());
    EXPECT_EQ(gUsuarioLogeado, m_usuario);
    EXPECT_EQ(UsuarioQueOpera(), m_usuario) << "no suite user: the login acts";
}

using IniciarSesionSinBase = ProcesoLimpio;

// Only a server has a password to get wrong.
using IniciarSesionServidorTest = IniciarSesionTest;

TEST_P(IniciarSesionServidorTest, ClaveEquivocadaOfreceReintentarYNoTermina)
{
    const QString mala = QStringLiteral("MalaClave-987");
    m_guion->respuestas = {Operador::No};
    std::optional<int> fin = iniciarCon(comandoConClave(mala));
    EXPECT_EQ(fin, LineaPrivada::SinConexion) << "a refused login is no normal end";
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    const auto& aviso = m_guion->avisos[0];
    EXPECT_EQ(aviso.titulo, QStringLiteral(" Error de Conexion a Base de Datos"));
    EXPECT_EQ(aviso.estilo, 20);
    // The driver gives no state of its own before a session exists: the connection class.
    EXPECT_TRUE(aviso.texto.contains(QStringLiteral("Estado de Sql: 08001"))) << aviso.texto.toStdString();
    EXPECT_TRUE(aviso.texto.contains(QStringLiteral("password authentication failed")));
    EXPECT_TRUE(aviso.texto.contains(QStringLiteral("Numero de Error: ")));
    EXPECT_TRUE(aviso.texto.contains(QStringLiteral("Codigo Nativo: ")));
    EXPECT_TRUE(aviso.texto.contains(QStringLiteral(" - Desea Intentarlo Nuevamente??? ")));
    EXPECT_FALSE(m_guion->todo().contains(mala));
    // Nothing the program wrote carries the password.
    QDirIterator it(carpeta(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_FALSE(f.readAll().contains(mala.toUtf8())) << f.fileName().toStdString();
    }
}

TEST_F(IniciarSesionSinBase, ArchivoSQLiteInexistenteEsConexionFallidaYNoSeCrea)
{
    OperadorGuionado& g = *m_guion;
    const QString ruta = carpeta() + QStringLiteral("/falta.db");
    g.respuestas = {Operador::No};
    QString c;
    try {
        IniciarSesion(false, QStringLiteral("@Server=sqlite:;@DbName=%1;@Usuario=admin;").arg(ruta), c);
        ADD_FAILURE() << "debía terminar";
    } catch (const ProcesoTerminado& t) {
        EXPECT_EQ(t.codigo, LineaPrivada::SinConexion);
    }
    EXPECT_FALSE(QFileInfo::exists(ruta));
    ASSERT_EQ(g.avisos.size(), 1u);
    EXPECT_EQ(g.avisos[0].titulo, QStringLiteral(" Error de Conexion a Base de Datos"));
}

TEST_F(IniciarSesionSinBase, ServidorInalcanzableYReintentarVuelveAlDialogo)
{
    OperadorGuionado& g = *m_guion;
    g.respuestas = {Operador::Si, Operador::No};
    std::vector<DatosAcceso> pedidos;
    DB_Dll::Instancia().gPedirAcceso = [&](DatosAcceso& d) {
        pedidos.push_back(d);
        return true; // the same values again
    };
    QString c;
    EXPECT_THROW(IniciarSesion(false, QStringLiteral("@Server=pg:127.0.0.1:1;@DbName=x;@Usuario=u;@Password=secreto;"), c),
                 ProcesoTerminado);
    ASSERT_EQ(pedidos.size(), 1u);
    EXPECT_EQ(pedidos[0].plataforma, 2) << "the dialog opens on the platform the server names";
    EXPECT_EQ(pedidos[0].servidor, QStringLiteral("pg:127.0.0.1:1"));
    ASSERT_EQ(g.avisos.size(), 2u);
    EXPECT_FALSE(g.todo().contains(QStringLiteral("secreto")));
}

TEST_F(IniciarSesionSinBase, ServidorConAlmohadillaEsOracle)
{
    OperadorGuionado& g = *m_guion;
    g.respuestas = {Operador::No};
    QString conexion;
    EXPECT_THROW(IniciarSesion(false, QStringLiteral("@Server=#ORCL;@DbName=PROD;@Usuario=u;@Password=p;"), conexion),
                 ProcesoTerminado);
    EXPECT_EQ(conexion, QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=u;Password=p;"));
    EXPECT_EQ(DB_Dll::Instancia().gServidor, QStringLiteral("ORCL"));
}

CON_CADA_MOTOR(IniciarSesionTest);
INSTANTIATE_TEST_SUITE_P(Motores, IniciarSesionServidorTest, testing::Values(Motor::PostgreSQL), NombreMotor);
