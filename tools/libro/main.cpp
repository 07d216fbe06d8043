// The book of a period without the window, from the stored settings:
//   tolvario-libro --periodo MM/AAAA|ultimo [--salida DIR] [--pdf] [--conexion -] ["<connection command line>"]
//   tolvario-libro --historial MM/AAAA ["<connection command line>"]   (the period's changes)
//   tolvario-libro --verificar MM/AAAA ["<connection command line>"]   (still the delivered book?)
//   tolvario-libro --anio AAAA --csv | --salida DIR [--pdf] ["<connection command line>"]   (the year, account by month)
//   tolvario-libro --unidades   (the disks the ONCCA button offers; no connection)
// The line may come from TOLVARIO_CONEXION or standard input instead, out of the process list.
// Prints the paths written; any failure is said in Spanish and exits non-zero.
#include "data/DB_Dll.h"
#include "output/ExportaLibro.h"
#include "output/GraficoDelAnio.h"
#include "output/HojaDelAnio.h"
#include "output/EscritorXlsx.h"
#include "output/ImpresionLibro.h"
#include "platform/Carpetas.h"
#include "platform/LineaPrivada.h"
#include "platform/Unidades.h"
#include "register/Entregas.h"
#include "register/Periodo.h"
#include "register/RegistroTolvario.h"
#include "register/ResumenAnual.h"
#include "register/Planilla.h"
#include "startup/Inicio.h"
#include "tools/esquema/OperadorConsola.h"

#include <QDir>
#include <QApplication>
#include <QRegularExpression>
#include <cstdio>

namespace {

// The start-up ends the program when the connection is refused; for this tool that is a
// failure, whatever code the start-up gives.
class OperadorDelLibro : public OperadorConsola
{
public:
    [[noreturn]] void Terminar(int) override { OperadorConsola::Terminar(1); }
    // Any error said on the way (a setting that could not be read...) makes the run a failure.
    int Mensaje(const QString& texto, int estilo, const QString& titulo) override
    {
        if (estilo & Critico)
            huboError = true;
        // The window's connection box asks to try again; nobody here would answer it.
        if (titulo.trimmed() == QStringLiteral("Error de Conexion a Base de Datos")) {
            QString porque = texto.section(QStringLiteral("Descripcion: "), 1).section(QStringLiteral("\rCodigo Nativo"), 0, 0);
            porque.replace(u'\n', u' ');
            std::fprintf(stderr, "%s\n", qPrintable(QStringLiteral("No se pudo conectar con la base de datos: ") + porque.simplified()));
            return No;
        }
        return OperadorConsola::Mensaje(texto, estilo, titulo);
    }
    bool huboError = false;
};

int uso()
{
    std::fprintf(stderr, "Uso: tolvario-libro --periodo MM/AAAA|ultimo [--salida CARPETA] [--pdf] [--conexion -] \"@Server=...;@DbName=...;...\"\n"
                         "     tolvario-libro --historial MM/AAAA [--conexion -] \"@Server=...;...\"\n"
                         "     tolvario-libro --verificar MM/AAAA [--conexion -] \"@Server=...;...\"\n"
                         "     tolvario-libro --anio AAAA --csv | --salida CARPETA [--pdf] [--conexion -] \"@Server=...;...\"\n"
                         "     tolvario-libro --unidades\n"
                         "     (la línea de conexión también puede venir en TOLVARIO_CONEXION o, con --conexion -, por la entrada)\n");
    return 2;
}

int falla(const QString& texto)
{
    std::fprintf(stderr, "%s\n", qPrintable(texto));
    return 1;
}

// 0 when the stored figures still give the delivered book; 1, naming what changed, when not
// or when it was never delivered.
int verificarEntrega(const QString& periodo)
{
    const std::optional<RegistroTolvario::Entrega> e = RegistroTolvario::EntregaDe(periodo);
    if (!e) {
        std::printf("%s\n", qPrintable(RegistroTolvario::ConEntregas()
                                           ? QStringLiteral("El libro de %1 nunca se entregó a ONCCA.").arg(periodo)
                                           : QStringLiteral("Esta base de datos no registra las entregas a ONCCA.")));
        return 1;
    }
    const RegistroTolvario::Verificacion v = RegistroTolvario::Verificar(periodo);
    RegistroTolvario::Entrega sinMarca = *e;
    sinMarca.modificado = false;
    // Who handed it in; who changed it since is in the history.
    const QString entregado = QStringLiteral("%1 por %2 en la caja %3").arg(RegistroTolvario::TextoDeEntrega(sinMarca), e->usuario, e->caja);
    if (v.Igual()) {
        std::printf("%s\n", qPrintable(QStringLiteral("El libro de %1 es el entregado (%2).").arg(periodo, entregado)));
        return 0;
    }
    QStringList cambios;
    for (const QString& c : v.cuentas)
        cambios << QStringLiteral("cuenta ") + c;
    if (v.encabezado)
        cambios << QStringLiteral("el encabezado (Hoja Nro)");
    std::printf("%s\n", qPrintable(QStringLiteral("El libro de %1 ya no es el entregado (%2). Cambió: %3. Quién lo cambió: "
                                                  "tolvario-libro --historial %1.")
                                       .arg(periodo, entregado, cambios.join(QStringLiteral(", ")))));
    return 1;
}

// One line per disk the ONCCA button offers: device, label, size, file system, where it is
// mounted. What the program sees, for whoever installs it.
int listarUnidades()
{
    for (const Unidades::Unidad& u : Unidades::actual().Lista()) {
        if (u.tipo != Unidades::Tipo::Removible)
            continue;
        const QStringList campos{u.dispositivo.isEmpty() ? u.ruta : u.dispositivo,
                                 u.etiqueta.isEmpty() ? QStringLiteral("sin etiqueta") : u.etiqueta, Unidades::TextoDeTamano(u.tamano),
                                 u.sistema.isEmpty() ? QStringLiteral("sin sistema de archivos") : u.sistema,
                                 u.montaje.isEmpty() ? QStringLiteral("sin montar") : u.montaje};
        std::printf("%s\n", qPrintable(campos.join(u'\t')));
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // Pages are drawn with fonts, and the year's chart with a scene: an application of
    // widgets, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvario"));
    auto propio = std::make_unique<OperadorDelLibro>();
    OperadorDelLibro& operadorDelLibro = *propio;
    establecerOperador(std::move(propio));

    QString periodo, salida, comando, conexion;
    bool pdf = false;
    QString historial;
    QString verificar;
    QString anio;
    bool csv = false;
    const QStringList args = QApplication::arguments().mid(1);
    if (args == QStringList{QStringLiteral("--unidades")})
        return listarUnidades();
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--periodo") && i + 1 < args.size())
            periodo = args[++i].trimmed();
        else if (args[i] == QLatin1String("--salida") && i + 1 < args.size())
            salida = args[++i];
        else if (args[i] == QLatin1String("--pdf"))
            pdf = true;
        else if (args[i] == QLatin1String("--anio") && i + 1 < args.size() && periodo.isEmpty())
            periodo = anio = args[++i].trimmed();
        else if (args[i] == QLatin1String("--csv"))
            csv = true;
        else if (args[i] == QLatin1String("--conexion") && i + 1 < args.size())
            conexion = args[++i];
        else if (args[i] == QLatin1String("--historial") && i + 1 < args.size() && periodo.isEmpty())
            periodo = historial = args[++i].trimmed();
        else if (args[i] == QLatin1String("--verificar") && i + 1 < args.size() && periodo.isEmpty())
            periodo = verificar = args[++i].trimmed();
        else if (args[i].startsWith(QLatin1String("--")))
            return uso();
        else
            comando += args[i] + u' ';
    }
    // Read, then gone from what other users can see.
    LineaPrivada::BorrarArgumentos(argc, argv);
    comando = LineaPrivada::Tomar(conexion.isEmpty() ? comando : conexion);
    if (periodo.isEmpty() || comando.trimmed().isEmpty())
        return uso();
    // A period not written MM/AAAA is a wrong use (2), as a missing one is.
    if (!anio.isEmpty()) {
        bool numero = false;
        if (anio.size() != 4 || anio.toInt(&numero) < 1 || !numero || (csv == !salida.isEmpty())) {
            std::fprintf(stderr, "%s\n", qPrintable(QStringLiteral("El año \"%1\" no es válido, o falta --csv o --salida (uno de los dos): "
                                                                   "debe escribirse AAAA.").arg(anio)));
            return uso();
        }
    } else if ((periodo != QLatin1String("ultimo") || !historial.isEmpty() || !verificar.isEmpty()) && !PeriodoBienEscrito(periodo)) {
        std::fprintf(stderr, "%s\n", qPrintable(QStringLiteral("El período \"%1\" no es válido: debe escribirse MM/AAAA.").arg(periodo)));
        return uso();
    }
    if (!salida.isEmpty() && !QDir(salida).exists())
        return falla(QStringLiteral("La carpeta de salida %1 no existe.").arg(salida));

    Carpetas::EstablecerLineaComandos(comando.trimmed());
    QString textoConexion;
    IniciarSesion(false, comando.trimmed(), textoConexion);
    if (!DB_Dll::Instancia().gCnn.Abierta())
        return falla(QStringLiteral("No se pudo conectar con la base de datos."));
    try {
        // Who changed the period's register, when, and its totals before and after.
        if (!historial.isEmpty()) {
            const std::vector<RegistroTolvario::Cambio> cambios = RegistroTolvario::Historia(historial);
            for (const RegistroTolvario::Cambio& c : cambios)
                std::printf("%s\n", qPrintable(QStringLiteral("%1  %2  %3  %4  caja %5  entradas %6 -> %7  salidas %8 -> %9")
                                                   .arg(c.momento, c.accion, c.cuenta, c.usuario, c.caja, c.entradasAntes.texto(),
                                                        c.entradasDespues.texto(), c.salidasAntes.texto(), c.salidasDespues.texto())));
            if (cambios.empty())
                std::printf("%s\n", qPrintable(QStringLiteral("Sin cambios registrados para %1.").arg(historial)));
            DB_Dll::Liberar();
            return operadorDelLibro.huboError ? 1 : 0;
        }
        // The year, account by month: as stored on standard output, or a workbook (and its PDF).
        if (!anio.isEmpty()) {
            const std::vector<RegistroTolvario::CuentaDelAnio> cuentas = RegistroTolvario::LeerAnio(anio.toInt());
            if (csv) {
                std::fputs(RegistroTolvario::CsvDelAnio(cuentas).toUtf8().constData(), stdout);
            } else {
                const RegistroTolvario::Ajustes a = RegistroTolvario::LeerAjustes();
                const Hoja hoja = HojaDelAnio(anio.toInt(), cuentas, Planilla::Decimales(a.decimales), a.medida);
                const QString ruta = QDir(salida).filePath(anio + QStringLiteral(".xlsx"));
                GuardarXlsx(hoja, ruta);
                std::printf("%s\n", qPrintable(QDir::toNativeSeparators(ruta)));
                if (pdf) {
                    const QString rutaPdf = QDir(salida).filePath(anio + QStringLiteral(".pdf"));
                    // The chart on a page of its own, after the months.
                    GuardarPdf(VistaDelAnio(anio.toInt(), cuentas, Planilla::Decimales(a.decimales), a.medida), rutaPdf,
                               [&](QPainter& p, const QRectF& util) { DibujarGraficoDelAnio(p, util, anio.toInt(), cuentas, a.medida); });
                    std::printf("%s\n", qPrintable(QDir::toNativeSeparators(rutaPdf)));
                }
            }
            DB_Dll::Liberar();
            return operadorDelLibro.huboError ? 1 : 0;
        }
        // Whether the stored figures still give the book handed to ONCCA.
        if (!verificar.isEmpty()) {
            const int codigo = verificarEntrega(verificar);
            DB_Dll::Liberar();
            return codigo;
        }
        if (periodo == QLatin1String("ultimo")) {
            periodo = RegistroTolvario::UltimoPeriodo();
            if (periodo.isEmpty())
                return falla(QStringLiteral("El registro no tiene ningún período guardado."));
        }
        const DatosLibro encabezado = EncabezadoDesdeAjustes(periodo);
        // Which sheet number the book carries, since none may be stored for the period yet.
        std::fprintf(stderr, "%s\n",
                     qPrintable(RegistroTolvario::HojaGuardada(periodo).isEmpty()
                                    ? QStringLiteral("Hoja Nro: %1 (la siguiente a la última guardada; no se grabó)").arg(encabezado.hoja)
                                    : QStringLiteral("Hoja Nro: %1 (la guardada para %2)").arg(encabezado.hoja, periodo)));
        if (const std::optional<RegistroTolvario::Entrega> e = RegistroTolvario::EntregaDe(periodo))
            std::fprintf(stderr, "%s\n", qPrintable(RegistroTolvario::TextoDeEntrega(*e)));
        const LibroExportado libro = ExportarLibro(encabezado, salida.isEmpty() ? Carpetas::Aplicacion() : salida);
        std::printf("%s\n", qPrintable(QDir::toNativeSeparators(libro.ruta)));
        if (pdf) {
            QString ruta = libro.ruta;
            ruta.replace(QRegularExpression(QStringLiteral("\\.xlsx$")), QStringLiteral(".pdf"));
            GuardarPdf(libro.hoja, ruta);
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(ruta)));
        }
    } catch (const ErrorVB& e) {
        return falla(e.Description);
    }
    DB_Dll::Liberar();
    return operadorDelLibro.huboError ? 1 : 0;
}
