// One catalogue of bad input: every header box, the grid's cells, the lookup's search boxes,
// the command line and the INI file get empty, overlong, non-numeric, out-of-range, quoted,
// SQL, control, NUL, broken UTF-8 and accented texts. Each is refused with its message or
// stored and read back intact; nothing stored is lost; nothing crashes.
#include "register/EditorDeCelda.h"
#include "tests/support/Controles.h"
#include "data/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"
#include "register/ModeloRegistro.h"
#include "startup/Inicio.h"
#include "suite/SuiteContext.h"
#include "suite/SuiteUtil.h"
#include "tests/lookup/BaseDeConsultas.h"
#include "tests/register/BaseDeRegistro.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTreeWidget>
#include <optional>

namespace {

using P = Planilla;

QList<QString> Malas()
{
    return {QString(),
            QString(5000, u'9'),
            QStringLiteral("doce toneladas"),
            QStringLiteral("-99999999999999999999"),
            QStringLiteral("O'Brien ''"),
            QStringLiteral("'; DROP TABLE EM_Tolvario; --"),
            QStringLiteral("a\tb\x01\x1f"),
            QString::fromUtf8("nul\0dentro", 10),
            QString::fromUtf8("\xff\xfe roto \xc3"),
            QStringLiteral("Ñandú camión añejo")};
}

using EntradasMalasTest = BaseDeRegistro;
using BusquedasMalasTest = BaseDeConsultas;

class ArranqueMaloTest : public BaseSinIniciar
{
protected:
    // One start-up in a fresh process, the access dialog cancelled if it is asked for. Every
    // box shown must have said something; the result is whether the program went on.
    bool arrancar(bool usarIni, const QString& linea, const std::string& que)
    {
        const QStringList antes = QDir::current().entryList(QDir::Files | QDir::Hidden);
        ReiniciarProceso();
        m_guion->avisos.clear();
        m_guion->respuestas.clear();
        EstablecerEnlaceConsultas(&Lib_ClsCons3::Instancia());
        DB_Dll::Instancia().gPedirAcceso = [](DatosAcceso&) { return false; };
        bool siguio = true;
        try {
            QString conexion;
            IniciarSesion(usarIni, linea, conexion);
        } catch (const ProcesoTerminado&) {
            siguio = false;
        }
        for (const auto& aviso : m_guion->avisos)
            EXPECT_FALSE(aviso.texto.trimmed().isEmpty() || aviso.titulo.trimmed().isEmpty()) << que;
        if (siguio) {
            EXPECT_TRUE(DB_Dll::Instancia().gOpenFlag) << que;
            EXPECT_TRUE(DB_Dll::Instancia().ExisteTablaDB(QStringLiteral("ta_usuarios"))) << "connected to the test's database: " << que;
        }
        EXPECT_EQ(QDir::current().entryList(QDir::Files | QDir::Hidden), antes) << "no database made where the program runs: " << que;
        return siguio;
    }
    void escribirIni(const QByteArray& contenido)
    {
        QFile f(carpeta() + QStringLiteral("/CN000pr.INI"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contenido);
    }
    QByteArray seccion() const { return (SuiteContext::Identity1().toUpper() + u'|' + SuiteContext::Identity2().toUpper()).toUtf8(); }
};

} // namespace

TEST_P(EntradasMalasTest, NadaSeRompeNadaSePierde)
{
    for (int dia = 1; dia <= 31; ++dia)
        fila(QStringLiteral("07/2005"), QStringLiteral("MOLINO"), dia, QStringLiteral("5"), QStringLiteral("1"));
    elegirPeriodo(QStringLiteral("07/2005"));
    const QString antes = valor(QStringLiteral("SELECT SUM(Entradas) FROM EM_Tolvario"));

    // Every header box but the period, each bad text validated and then saved: no database
    // error on the way (a bad user code is simply not a customer).
    m_guion->avisos.clear();
    for (int i = 1; i < FrmTolvario::Campos; ++i) {
        QLineEdit* campo = Controles::Caja(m_ventana.get(), i);
        const QString original = campo->text();
        for (const QString& mala : Malas()) {
            m_guion->respuestas = {Operador::Ignorar, Operador::Ignorar};
            campo->setText(mala);
            m_ventana->CampoValida(campo);
            m_ventana->Panobar1_click(QStringLiteral("GRABAR"));
        }
        campo->setText(original);
        m_ventana->CampoValida(campo);
    }
    EXPECT_FALSE(m_guion->todo().contains(QStringLiteral("Ha ocurrido"))) << m_guion->todo().left(3000).toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '07/2005'")), QStringLiteral("31"));
    EXPECT_EQ(valor(QStringLiteral("SELECT SUM(Entradas) FROM EM_Tolvario")), antes) << "nothing stored was lost";

    // The period: each refused with the format message, the register untouched.
    QLineEdit* periodo = Controles::Caja(m_ventana.get(), FrmTolvario::cPeriodo);
    for (const QString& mala : Malas()) {
        m_guion->avisos.clear();
        periodo->setText(mala);
        m_ventana->CampoValida(periodo);
        ASSERT_EQ(m_guion->avisos.size(), 1u) << mala.toStdString();
        EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("Periodo"))) << mala.toStdString();
    }
    EXPECT_TRUE(DB_Dll::Instancia().ExisteTablaDB(QStringLiteral("EM_Tolvario")));

    // The grid: quantities refused with their message, remarks stored and read back intact
    // (as far as a one-line box of 100 characters takes them).
    elegirPeriodo(QStringLiteral("07/2005"));
    int dia = 1;
    for (const QString& mala : Malas()) {
        m_ventana->Editor().IrACelda(dia + 1, P::ColEntradas);
        m_ventana->MsflexGridEdt(Controles::Grilla(m_ventana.get()), Controles::Editor(m_ventana.get()), u' ');
        Controles::Editor(m_ventana.get())->setText(mala);
        m_guion->avisos.clear();
        m_ventana->CampoValida(Controles::Editor(m_ventana.get()));
        if (!mala.trimmed().isEmpty()) {
            EXPECT_EQ(m_guion->avisos.size(), 1u) << mala.toStdString();
        }
        tecla(Qt::Key_Escape);
        m_ventana->Editor().IrACelda(dia + 1, P::ColObservaciones);
        m_ventana->MsflexGridEdt(Controles::Grilla(m_ventana.get()), Controles::Editor(m_ventana.get()), u' ');
        Controles::Editor(m_ventana.get())->setText(mala.left(100));
        tecla(Qt::Key_Return);
        ++dia;
    }
    tecla(Qt::Key_F5);
    const QList<QString> malas = Malas();
    QList<QString> esperadas;
    for (const QString& m : malas)
        esperadas << Planilla::ObservacionGuardable(m.left(100));
    elegirPeriodo(QStringLiteral("06/2005"));
    elegirPeriodo(QStringLiteral("07/2005"));
    for (int d = 1; d < dia; ++d) {
        EXPECT_EQ(celda(d + 1, P::ColEntradas), QStringLiteral("5")) << d;
        EXPECT_EQ(celda(d + 1, P::ColObservaciones), esperadas[d - 1]) << d;
    }
}

// Every search box of the list lookup, each bad text searched in the database (F5): no
// database error, no customer lost, and a new search brings the whole list back.
TEST_P(BusquedasMalasTest, CadaCajaDeBusqueda)
{
    const QString cuantos = valor(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS"));
    ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas) VALUES ('01/2005', 'MOLINO', 1, 1, 0)"));
    Lib_FrmCons3 v;
    v.SQL = QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL");
    v.CampoDevuelto = QStringLiteral("CODIGO");
    v.show();
    const int todos = v.ListView1->topLevelItemCount();
    ASSERT_GT(todos, 0);
    for (int caja = 0; caja < v.CmbSearch.size(); ++caja)
        for (const QString& mala : Malas()) {
            v.CmbSearch[caja]->setText(mala);
            QTest::keyClick(v.CmbSearch[caja], Qt::Key_F5);
            QTest::mouseClick(v.CmdNueva, Qt::LeftButton);
            EXPECT_EQ(v.ListView1->topLevelItemCount(), todos) << mala.toStdString();
        }
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().left(2000).toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS")), cuantos);
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario")), QStringLiteral("1")) << "the register the SQL text aims at";
}

// Each key of the suite's command line given each bad value: the program either goes on
// connected or ends after saying why; the database is untouched.
TEST_P(ArranqueMaloTest, LineaDeComandos)
{
    // A bad server stays a SQLite one: a name looked up on the network could wait for the
    // resolver far longer than a test should.
    const char* const claves[] = {"@Server=", "@DbName=", "@Usuario=", "@Password=", "@UsuarioLogeado=", "@Caja="};
    for (const char* clave : claves)
        for (const QString& mala : Malas()) {
            QString linea = comando();
            const int desde = linea.indexOf(QLatin1String(clave)) + int(strlen(clave));
            const bool servidor = clave == claves[0];
            linea.replace(desde, linea.indexOf(u';', desde) - desde, servidor ? QStringLiteral("sqlite:") + mala : mala);
            const bool siguio = arrancar(false, linea, std::string(clave) + mala.toStdString());
            // On SQLite the server text only names the platform; the file is the database.
            if (servidor ? esPostgres() : (clave == claves[1] && !esPostgres())) {
                EXPECT_FALSE(siguio) << "no such database: " << clave << mala.toStdString();
            }
        }
    // The whole line one bad text.
    for (const QString& mala : Malas())
        arrancar(false, mala, mala.toStdString());
    // A bad logged-in user or till changes nothing of the connection.
    QString linea = comando();
    linea.replace(QStringLiteral("@Caja=3;"), QStringLiteral("@Caja='; DROP TABLE ta_usuarios; --;"));
    EXPECT_TRUE(arrancar(false, linea, "caja"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM ta_usuarios")), QStringLiteral("1"));
}

// The INI file the start-up reads with no command line: bad values in every key it reads,
// broken lines, a binary file. Bad settings of the toolbar and icons do not stop a good
// connection.
TEST_P(ArranqueMaloTest, ArchivoIni)
{
    for (const QString& mala : Malas()) {
        const QByteArray m = mala.toUtf8();
        escribirIni("[" + seccion() + "BaseDeDatos]\r\nServidor=sqlite:" + m + "\r\nDbName=" + m + "\r\nUsuario=" + m
                    + "\r\nUserPassWord=" + m + "\r\n[" + seccion() + "]\r\nFlatToolbars=" + m + "\r\n[Iconos]\r\nIconoDelSistema="
                    + m + "\r\n[" + m);
        arrancar(true, QString(), mala.toStdString());
    }
    QByteArray basura(64 * 1024, '\0');
    QRandomGenerator azar(20261209);
    for (char& c : basura)
        c = char(azar.bounded(256));
    escribirIni(basura);
    arrancar(true, QString(), "binary INI");

    // Good connection keys, bad toolbar and icon values: the program goes on.
    // Beyond any amount: it once escaped the start-up as an overflow.
    const QByteArray malo = QByteArray(5000, '9') + "\xff\xfe\x01; DROP TABLE ta_usuarios; --";
    escribirIni("[" + seccion() + "BaseDeDatos]\nServidor=" + m_servidor.toUtf8() + "\nDbName=" + m_base.toUtf8()
                + "\nUsuario=" + SuiteUtil::Encipher(m_usuario).toUtf8() + "\nUserPassWord=" + SuiteUtil::Encipher(m_clave).toUtf8()
                + "\n[" + seccion() + "]\nFlatToolbars=" + malo + "\n[Iconos]\nIconoDelSistema=" + malo + "\n");
    EXPECT_TRUE(arrancar(true, QString(), "good keys")) << m_guion->todo().toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM ta_usuarios")), QStringLiteral("1"));
}

CON_CADA_MOTOR(EntradasMalasTest);
CON_CADA_MOTOR(BusquedasMalasTest);
CON_CADA_MOTOR(ArranqueMaloTest);
