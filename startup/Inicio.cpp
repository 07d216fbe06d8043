#include "startup/Inicio.h"

#include "data/DB_Dll.h"
#include "platform/Carpetas.h"
#include "platform/LineaPrivada.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "startup/Configuracion.h"
#include "startup/EnlaceConsultas.h"
#include "startup/FrmAcceso.h"
#include "startup/Globales.h"
#include "startup/Iconos.h"
#include "startup/Panobar.h"
#include "suite/SuiteContext.h"
#include "suite/SuiteIni.h"
#include "suite/SuitePaths.h"
#include "suite/SuiteUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace {

const QString ArchivoIni = QStringLiteral("CN000pr.INI");

EnlaceConsultas*& enlace()
{
    static EnlaceConsultas* e = nullptr;
    return e;
}

bool empiezaCon(const QString& texto, const char* prefijo)
{
    return texto.startsWith(QLatin1String(prefijo), Qt::CaseInsensitive);
}

double valorNumerico(const QString& texto)
{
    try {
        return double(SuiteUtil::TextToAmount(texto).diezmilesimos()) / Importe::Escala;
    } catch (const ErrorVB&) {
        // Beyond any amount is still a number, and not zero.
        return texto.trimmed().startsWith(u'-') ? -1e18 : 1e18;
    }
}

// The command text the INI file gives when the suite's menu passed none.
QString comandoDesdeIni()
{
    const QString seccion = SuiteContext::Identity1().toUpper() + u'|' + SuiteContext::Identity2().toUpper()
                            + QStringLiteral("BaseDeDatos");
    const auto leer = [&](const char* clave, const QString& defecto) {
        return SuiteIni::Read(ArchivoIni, seccion, QString::fromLatin1(clave), defecto);
    };
    const QString servidor = SuiteUtil::StripChars(leer("Servidor", {}), u'|');
    const QString base = SuiteUtil::StripChars(leer("DbName", {}), u'|');
    const QString usuario =
        SuiteUtil::StripChars(SuiteUtil::Decipher(leer("Usuario", SuiteUtil::Encipher(QStringLiteral("Velmora")))), u'|');
    const QString clave =
        SuiteUtil::StripChars(SuiteUtil::Decipher(leer("UserPassWord", SuiteUtil::Encipher(QStringLiteral("quenaro")))), u'|');
    return QStringLiteral("@server=") + servidor + QStringLiteral("; @dbname= ") + base + QStringLiteral("; @usuario= ")
           + usuario + QStringLiteral("; @Password= ") + clave + QStringLiteral("; @ParametroAdicional=; @Caja=1;kema@");
}

} // namespace

void EstablecerEnlaceConsultas(EnlaceConsultas* e)
{
    enlace() = e;
}

EnlaceConsultas* enlaceConsultas()
{
    return enlace();
}

QString ValorDeClave(const QString& comando, const QString& clave, bool* hallada)
{
    const int pos = comando.indexOf(clave, 0, Qt::CaseInsensitive);
    if (hallada)
        *hallada = pos >= 0;
    if (pos < 0)
        return {};
    const int inicio = pos + clave.size();
    const int fin = comando.indexOf(u';', pos);
    const QString valor = comando.mid(inicio, fin < 0 ? -1 : fin - inicio);
    return SuiteUtil::StripChars(valor, u'=').trimmed();
}

QString NombreServidor(const QString& servidor)
{
    QString r = servidor;
    if (const int barra = r.indexOf(u'/'); barra >= 0)
        r = r.mid(barra + 1);
    if (const int dos = r.indexOf(u':'); dos >= 0)
        r = r.left(dos);
    return r;
}

void IniciarSesion(bool usarIni, const QString& comando, QString& textoConexion)
{
    DB_Dll& db = DB_Dll::Instancia();
    if (!db.gPedirAcceso)
        db.gPedirAcceso = &FrmAcceso::Pedir;

    QString texto;
    QString servidor, base, usuario, clave;
    bool yaAbierta = false;

    // Error 5 skips its step; any other failure leaves for the caller's own treatment.
    const Pasos::Informador alLlamador = [](const ErrorVB& e) -> int { throw e; };
    const Pasos::Opciones opciones{.ignorarError5 = true};

    const auto leerParametros = [&] {
        struct Destino {
            const char* clave;
            QString* valor;
            const char* ausente;
        };
        const Destino claves[] = {
            {"@ParametroAdicional", &gParametroAdicional, ""}, {"@Menu", &gMenu, ""},
            {"@Server", &servidor, ""}, {"@DbName", &base, ""}, {"@Usuario", &usuario, ""},
            {"@Password", &clave, ""}, {"@UsuarioLogeado", &gUsuarioLogeado, ""}, {"@Caja", &gCaja, "1"},
        };
        for (const Destino& d : claves) {
            bool hallada = false;
            const QString v = ValorDeClave(texto, QString::fromLatin1(d.clave), &hallada);
            *d.valor = hallada ? v : QString::fromLatin1(d.ausente);
        }
        gUsuarioSuite = gUsuarioLogeado;
    };

    const bool completo = Pasos::Ejecutar({
        [&] { gRutaAplicacion = SuiteUtil::FolderPath(Carpetas::Aplicacion()); },
        [&] { gColorLetra = 0x000000; gColorFondo = 0xFFFFFF; },
        [&] { texto = comando.isEmpty() ? Carpetas::LineaComandos() : comando; },
        [&] {
            if (texto.trimmed().isEmpty() && usarIni)
                texto = comandoDesdeIni();
        },
        [&] {
            gSeccionIni = SuiteContext::Identity1().toUpper() + u'|' + SuiteContext::Identity2().toUpper();
            if (gSeccionIni.trimmed().size() > 50)
                gSeccionIni = gSeccionIni.left(50);
        },
        [&] { gFlatToolbars = valorNumerico(SuiteIni::Read(ArchivoIni, gSeccionIni, QStringLiteral("FlatToolbars"), QStringLiteral("1"))); },
        [&] { yaAbierta = db.gOpenFlag; },
    }, alLlamador, opciones);
    if (!completo)
        return;

    if (!yaAbierta) {
        Pasos::Ejecutar({
            leerParametros,
            [&] {
                const QString s = servidor.trimmed();
                if (s.startsWith(u'#')) {
                    servidor = s.mid(1);
                    if (textoConexion.isEmpty())
                        textoConexion = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + base + QStringLiteral(";User Id=")
                                        + usuario + QStringLiteral(";Password=") + clave + QStringLiteral(";");
                }
            },
            [&] {
                db.gUsuario = usuario;
                db.gDBName = base;
                db.gUserPassWord = clave;
                // "pg:host:port" and "sqlite:" name their platform; the port must survive.
                const QString s = servidor.trimmed();
                db.gServidor = (empiezaCon(s, "pg:") || empiezaCon(s, "sqlite:")) ? s : NombreServidor(servidor);
            },
            [&] {
                // Set before opening, they travel with the connection instead of after it.
                db.gCnn.EstablecerCommandTimeout(360);
                db.gCnn.EstablecerIsolationLevel(256);
            },
            [&] { db.OpenServerADODB(servidor.trimmed().isEmpty(), 3, textoConexion, true); },
            [&] {
                if (!db.gOpenFlag)
                    operador().Terminar(LineaPrivada::SinConexion);
                gUsuarioLogeado = db.gUsuario;
                db.gCnn.EstablecerCommandTimeout(360);
                db.gCnn.EstablecerIsolationLevel(256);
            },
        }, alLlamador, opciones);
    }

    Pasos::Ejecutar({
        [&] { gCadenaODBC = QStringLiteral("DSN=") + db.gDBName + QStringLiteral("; UID=") + db.gUsuario + QStringLiteral("; PWD=") + db.gUserPassWord; },
        [&] { SuitePaths::SetFolder(gRutaAplicacion); },
        [&] {
            if (EnlaceConsultas* e = enlace())
                e->Configurar(db.gConnString, true, gRutaAplicacion + QStringLiteral("consultas.vlm"));
        },
        [&] {
            EnlaceConsultas* e = enlace();
            if (e && !QFileInfo::exists(gRutaAplicacion + QStringLiteral("consultas.vlm")))
                e->CrearArchivoMascaras();
        },
        [&] {
            if (!db.gDBName.isEmpty())
                CargarConfiguracion(gRutaAplicacion);
        },
        [&] { db.gCnn.EstablecerDefaultDatabase(db.gDBName); },
    }, alLlamador, opciones);
}

void AplicarEstiloVentana(QWidget* ventana)
{
    if (!ventana)
        return;
    const Pasos::Informador seguir = [](const ErrorVB&) { return int(Operador::Ignorar); };
    bool sigue = true;
    Pasos::Ejecutar({
        [&] {
            const QString nombre = SuiteIni::Read(ArchivoIni, QStringLiteral("Iconos"), QStringLiteral("IconoDelSistema"),
                                                  QStringLiteral("ICONVELMORA"));
            const QIcon icono = Iconos::Recurso(nombre);
            if (!icono.isNull()) {
                ventana->setWindowIcon(icono);
                ventana->setProperty("iconoPropio", true);
            }
        },
        [&] {
            if (!ventana->property("iconoPropio").toBool() && QFileInfo::exists(QStringLiteral("velmora.ico")))
            {
                ventana->setWindowIcon(QIcon(QStringLiteral("velmora.ico")));
                ventana->setProperty("iconoPropio", true);
            }
        },
        [&] { sigue = ventana->objectName().compare(QStringLiteral("FRMMDI"), Qt::CaseInsensitive) != 0; },
    }, seguir);
    if (!sigue)
        return;
    Pasos::Ejecutar({
        [&] { SuiteContext::RegisterWindow(ventana); },
        [&] {
            for (const char* nombre : {"Panobar1", "TBarRep1", "Util0011"})
                if (auto* barra = ventana->findChild<Panobar*>(QString::fromLatin1(nombre)))
                    barra->setStyleBar(gFlatToolbars);
        },
        [&] { QCoreApplication::processEvents(); },
    }, seguir);
}
