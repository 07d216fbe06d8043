// The book as its readers get it: our own PDF read back word by word, and the workbook as
// LibreOffice prints and reads it, for months of one, three and six accounts with two and
// three decimals and nine-digit figures.
#include "output/ArmadoLibro.h"
#include "output/EscritorXlsx.h"
#include "output/ImpresionLibro.h"
#include "output/PaginadoLibro.h"
#include "platform/Regional.h"
#include "startup/Configuracion.h"
#include "suite/SuiteUtil.h"
#include "tests/support/LectorXlsx.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

Importe imp(const char* t)
{
    return SuiteUtil::TextToAmount(QString::fromLatin1(t));
}

enum class Cifras { Grandes, Comunes, AMitad };

// A month of `cuentas` accounts with long customer names and remarks, and figures of nine
// digits before the point, of a few hundreds, or of halves at the fourth decimal that the
// rounding must settle.
DatosLibro mes(int cuentas, int decimales, Cifras cifras = Cifras::Grandes)
{
    DatosLibro d;
    d.decimales = decimales;
    d.lineaInicial = 4;
    d.titulo = QStringLiteral("libro de movimientos y existencia de Mercadería");
    d.empresa = QStringLiteral("MOLINO HARINERO SAN ISIDRO S.A.");
    d.oncca = QStringLiteral("15.432/7");
    d.periodo = QStringLiteral("11/2026");
    d.hoja = QStringLiteral("118");
    d.medida = QStringLiteral("TONELADAS");
    for (int k = 0; k < cuentas; ++k) {
        const QString codigo = k == 0 ? QStringLiteral("MOLINO") : QStringLiteral("C00%1").arg(k);
        d.cuentas.push_back({codigo, k == 0 ? QString() : QStringLiteral("Panificadora y Molienda Número %1 S.R.L.").arg(k)});
        for (int dia = 1; dia <= 31; ++dia)
            d.filas.push_back({dia,
                               cifras == Cifras::Grandes ? Importe::desdeDiezmilesimos(int64_t(123456789) * 10000 + dia * 1234 + k * 77)
                               : cifras == Cifras::Comunes ? Importe::desdeDiezmilesimos(int64_t(300 + dia) * 10000 + k * 2500)
                                                           : Importe::desdeDiezmilesimos(int64_t(dia) * 10000 + 5 + (dia % 2) * 50),
                               cifras == Cifras::Grandes ? Importe::desdeDiezmilesimos(int64_t(98765432) * 10000 + dia * 4321)
                               : cifras == Cifras::Comunes ? Importe::desdeDiezmilesimos(int64_t(250 + dia) * 10000)
                                                           : Importe::desdeDiezmilesimos(int64_t(dia) * 5000 + 5),
                               dia % 3 == 0 ? QStringLiteral("Remito 0001-%1 de O'Brien").arg(dia, 8, 10, QLatin1Char('0')) : QString(),
                               codigo});
    }
    d.saldoAnterior = [](const QString&) { return imp("987654321.5"); };
    return d;
}

struct Palabra {
    QString texto;
    QRectF caja;
};

// pdftotext's word boxes, page by page.
std::vector<std::vector<Palabra>> palabras(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    std::vector<std::vector<Palabra>> paginas;
    QXmlStreamReader x(p.readAllStandardOutput());
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("page"))
            paginas.emplace_back();
        else if (x.isStartElement() && x.name() == QLatin1String("word") && !paginas.empty()) {
            const auto a = x.attributes();
            const double x0 = a.value(QLatin1String("xMin")).toDouble(), y0 = a.value(QLatin1String("yMin")).toDouble();
            const double x1 = a.value(QLatin1String("xMax")).toDouble(), y1 = a.value(QLatin1String("yMax")).toDouble();
            // Ligatures ("ﬁ") read back as their letters.
            paginas.back().push_back({x.readElementText().normalized(QString::NormalizationForm_KC), QRectF(QPointF(x0, y0), QPointF(x1, y1))});
        }
    }
    return paginas;
}

// Runs LibreOffice headless with a profile of its own (tests run side by side).
bool libreOffice(const QString& perfil, const QStringList& argumentos, const QString& carpeta)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        return false;
    QProcess p;
    p.setWorkingDirectory(carpeta);
    p.start(soffice, QStringList{QStringLiteral("-env:UserInstallation=file://") + perfil, QStringLiteral("--headless"),
                                 QStringLiteral("--norestore")}
                         + argumentos);
    return p.waitForFinished(180000) && p.exitCode() == 0;
}

int paginasDe(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(30000);
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

class LegibilidadTest : public testing::Test
{
protected:
    void SetUp() override { Regional::Establecer(Regional::Ajustes{u'.', 2}); }
    void TearDown() override { Regional::Establecer(std::nullopt); }
    static std::vector<std::pair<int, int>> Meses() { return {{1, 2}, {1, 3}, {3, 2}, {3, 3}, {6, 2}, {6, 3}}; }
    QTemporaryDir m_dir;
};

} // namespace

// Our own print: no word over another, no two figures run together, nothing under 6 points,
// every figure drawn whole.
TEST_F(LegibilidadTest, NuestroPdfSeLeePalabraPorPalabra)
{
    // A 6-point word's box, as pdftotext measures this font: the floor for the smallest.
    Hoja muestra;
    muestra.Escribir(1, 1, QStringLiteral("Remito"), {6, false, false, false, false});
    const QString pdfMuestra = m_dir.filePath(QStringLiteral("muestra.pdf"));
    GuardarPdf(muestra, pdfMuestra);
    const auto enMuestra = palabras(pdfMuestra);
    ASSERT_FALSE(enMuestra.empty() || enMuestra[0].empty());
    const double altoDe6 = enMuestra[0][0].caja.height();

    static const QRegularExpression dosSeparadores(QStringLiteral("\\d[.,]\\d+[.,]\\d"));
    static const QRegularExpression cifra(QStringLiteral("^-?\\d+([.,]\\d+)?$"));
    // The months of every size, and the awkward ones: a title longer than the page, the title
    // far down the first page, no frames.
    std::vector<std::pair<QString, DatosLibro>> casos;
    for (const auto& [cuentas, decimales] : Meses())
        casos.push_back({QStringLiteral("%1 cuentas, %2 decimales").arg(cuentas).arg(decimales), mes(cuentas, decimales)});
    DatosLibro largo = mes(3, 2, Cifras::Comunes);
    largo.titulo = QStringLiteral("Libro de movimientos y existencia de mercadería del molino harinero, planta de trigo candeal "
                                  "número 2, según registro de la oficina de control comercial");
    casos.push_back({QStringLiteral("título largo"), largo});
    DatosLibro abajo = mes(1, 2, Cifras::Comunes);
    abajo.lineaInicial = 45;
    casos.push_back({QStringLiteral("título en la línea 45"), abajo});
    DatosLibro sinBordes = mes(6, 2);
    sinBordes.bordes = false;
    casos.push_back({QStringLiteral("sin bordes"), sinBordes});
    for (const auto& [nombre, datos] : casos) {
        SCOPED_TRACE(nombre.toStdString());
        const Hoja hoja = ArmarLibro(datos);
        const QString pdf = m_dir.filePath(QStringLiteral("libro.pdf"));
        GuardarPdf(hoja, pdf);
        const auto paginas = palabras(pdf);
        ASSERT_FALSE(paginas.empty());
        QString todo;
        for (const auto& pagina : paginas) {
            // No page without a figure on it, and every word inside the printable area (A4,
            // upright or across, 20-point margins).
            EXPECT_TRUE(std::any_of(pagina.begin(), pagina.end(), [](const Palabra& p) { return cifra.match(p.texto).hasMatch(); }))
                << "a page without figures";
            double ancho = 0, alto = 0;
            for (const Palabra& p : pagina) {
                ancho = qMax(ancho, p.caja.right());
                alto = qMax(alto, p.caja.bottom());
            }
            const bool apaisada = ancho > 595;
            for (const Palabra& p : pagina) {
                EXPECT_GE(p.caja.left(), 19.5) << p.texto.toStdString();
                EXPECT_LE(p.caja.right(), (apaisada ? 842 : 595) - 19.5) << p.texto.toStdString() << " past the page";
                EXPECT_LE(p.caja.bottom(), (apaisada ? 595 : 842) - 19.5) << p.texto.toStdString() << " below the page";
            }
            for (size_t i = 0; i < pagina.size(); ++i) {
                const Palabra& a = pagina[i];
                todo += a.texto + u' ';
                EXPECT_FALSE(dosSeparadores.match(a.texto).hasMatch()) << "figures run together: " << a.texto.toStdString();
                EXPECT_GE(a.caja.height(), altoDe6 - 0.01) << a.texto.toStdString() << " is smaller than 6 points";
                for (size_t j = i + 1; j < pagina.size(); ++j) {
                    const QRectF comun = a.caja.intersected(pagina[j].caja);
                    EXPECT_FALSE(comun.width() > 0.2 && comun.height() > 0.2)
                        << a.texto.toStdString() << " over " << pagina[j].texto.toStdString();
                }
            }
        }
        // Every figure of the sheet is drawn whole somewhere.
        for (auto it = hoja.Celdas().cbegin(); it != hoja.Celdas().cend(); ++it) {
            if (it->numero) {
                EXPECT_TRUE(todo.contains(it->texto)) << it->texto.toStdString();
            }
        }
        EXPECT_TRUE(todo.contains(QStringLiteral("PERIODO: 11/2026")));
        for (const QString& w : datos.titulo.split(u' '))
            EXPECT_TRUE(todo.contains(w)) << "the title lost " << w.toStdString();
    }
}

// The page break never leaves the lines after the totals (the unit's note) on a page of
// their own under nothing but the repeated headings; a break among the days stays where it is.
TEST(PaginadoLibroTest, LaNotaNoQuedaSolaEnUnaPagina)
{
    // Titles 1 to 3, days 4 to 34, totals 35, the note 36; every row 10 points.
    FilasDelLibro filas;
    filas.altos.assign(37, 10);
    filas.primeraTitulo = 1;
    filas.titulos = 3;
    filas.ultima = 36;
    filas.conCifras = [](int f) { return f >= 4 && f <= 35; };
    const auto tramos = [&](double alto) {
        filas.altoUtil = alto;
        std::vector<std::pair<int, int>> r;
        for (const PaginaAbajo& p : RepartirFilas(filas))
            r.emplace_back(p.desde, p.hasta);
        return r;
    };
    using V = std::vector<std::pair<int, int>>;
    EXPECT_EQ(tramos(360), (V{{1, 36}}));
    // Room for the totals and not the note: the totals go with it.
    EXPECT_EQ(tramos(355), (V{{1, 34}, {35, 36}}));
    EXPECT_EQ(tramos(300), (V{{1, 30}, {31, 36}}));
    // A row taller than the page still goes, alone, and nothing loops.
    filas.altos[20] = 900;
    EXPECT_EQ(tramos(300), (V{{1, 19}, {20, 20}, {21, 36}}));
}

// What a reader adds up is what the book totals: every column of received or delivered
// quantities sums, day by day as the cells hold them, to its totals row; also when the
// rounding settles halves, with two decimals and with whole numbers, and with the configured
// count of decimals (-1) the cell shows the digits the print shows.
TEST_F(LegibilidadTest, LasColumnasSumanLoQueDicenSusTotales)
{
    const QString antes = gConfiguracion.CantidadDecimales;
    gConfiguracion.CantidadDecimales = QStringLiteral("3");
    for (const int decimales : {2, -2, -1}) {
        SCOPED_TRACE(testing::Message() << decimales << " decimales");
        const DatosLibro d = mes(3, decimales, Cifras::AMitad);
        const Hoja hoja = ArmarLibro(d);
        const QString ruta = m_dir.filePath(QStringLiteral("sumas.xlsx"));
        GuardarXlsx(hoja, ruta);
        LectorXlsx x;
        ASSERT_TRUE(x.Leer(ruta));
        const int L = d.lineaInicial, D = L + 8;
        int columnas = 0;
        for (int c = 1; c <= 20; ++c) {
            const QString titulo = x.Texto(L + 7, c);
            if (titulo != QStringLiteral("Entradas") && titulo != QStringLiteral("Salidas"))
                continue;
            ++columnas;
            double suma = 0;
            for (int f = D; f < D + 31; ++f)
                suma += x.En(f, c).valor;
            EXPECT_NEAR(suma, x.En(D + 31, c).valor, 1e-6) << "column " << c;
        }
        EXPECT_EQ(columnas, 8) << "three accounts and the totals";
        // The sheet shows what the print shows.
        for (auto it = hoja.Celdas().cbegin(); it != hoja.Celdas().cend(); ++it) {
            if (it->numero) {
                EXPECT_EQ(x.Texto(it.key().first, it.key().second), it->texto);
            }
        }
    }
    gConfiguracion.CantidadDecimales = antes;
}

// LibreOffice prints the workbook on one page, shows every figure whole (never "###") and
// reads the quantities as numbers it can sum.
TEST_F(LegibilidadTest, LibreOfficeLoImprimeEnUnaPaginaYLeeNumeros)
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        GTEST_SKIP() << "LibreOffice no está instalado (scripts/deps lo instala)";
    QStringList libros;
    for (const auto& [cuentas, decimales] : Meses()) {
        const QString ruta = m_dir.filePath(QStringLiteral("libro-%1-%2.xlsx").arg(cuentas).arg(decimales));
        GuardarXlsx(ArmarLibro(mes(cuentas, decimales)), ruta);
        libros << ruta;
    }
    // Months of ordinary figures print on one page too.
    for (int cuentas : {1, 3, 6}) {
        const QString ruta = m_dir.filePath(QStringLiteral("comun-%1.xlsx").arg(cuentas));
        GuardarXlsx(ArmarLibro(mes(cuentas, 2, Cifras::Comunes)), ruta);
        libros << ruta;
    }
    const QString perfil = m_dir.filePath(QStringLiteral("perfil"));
    ASSERT_TRUE(libreOffice(perfil, QStringList{QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"), m_dir.path()} + libros,
                            m_dir.path()));
    // Text cells quoted, numbers as their values: what a sum in the spreadsheet reads.
    const QString csv = m_dir.filePath(QStringLiteral("csv"));
    QDir().mkpath(csv);
    ASSERT_TRUE(libreOffice(perfil,
                            QStringList{QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):59,34,76,1,,0,true,true,false,false"),
                                        QStringLiteral("--outdir"), csv}
                                + libros,
                            m_dir.path()));
    for (int cuentas : {1, 3, 6})
        EXPECT_EQ(paginasDe(m_dir.filePath(QStringLiteral("comun-%1.pdf").arg(cuentas))), 1) << cuentas << " accounts";
    for (const auto& [cuentas, decimales] : Meses()) {
        SCOPED_TRACE(testing::Message() << cuentas << " cuentas, " << decimales << " decimales");
        const QString nombre = QStringLiteral("libro-%1-%2").arg(cuentas).arg(decimales);
        const QString pdf = m_dir.filePath(nombre + QStringLiteral(".pdf"));
        EXPECT_EQ(paginasDe(pdf), 1);
        QProcess texto;
        texto.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        texto.waitForFinished(30000);
        const QString impreso = QString::fromUtf8(texto.readAllStandardOutput());
        EXPECT_FALSE(impreso.contains(QStringLiteral("###"))) << "a column too narrow for its figure";
        // The nine-digit figures whole, with the decimals in force (LibreOffice shows them
        // with its own locale's separator).
        EXPECT_TRUE(impreso.contains(QRegularExpression(QStringLiteral("\\b123456789[.,]\\d{%1}\\b").arg(decimales))))
            << impreso.left(3000).toStdString();

        QFile f(csv + u'/' + nombre + QStringLiteral(".csv"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QStringList filas = QString::fromUtf8(f.readAll()).split(u'\n');
        // Row 12 is day 1 (title on row 4): day, then Entradas, Salidas, Saldo of the first account.
        ASSERT_GT(filas.size(), 12);
        const QStringList dia1 = filas[11].split(u';');
        ASSERT_GE(dia1.size(), 4) << filas[11].toStdString();
        EXPECT_EQ(dia1[0], QStringLiteral("1")) << "the day is a number";
        for (int c = 1; c <= 3; ++c) {
            EXPECT_FALSE(dia1[c].startsWith(u'"')) << "a quantity read as text: " << dia1[c].toStdString();
            bool numero = false;
            QString(dia1[c]).replace(u',', u'.').toDouble(&numero);
            EXPECT_TRUE(numero) << dia1[c].toStdString();
        }
        EXPECT_TRUE(filas[3].startsWith(u'"')) << "titles stay text";
    }
}

namespace {

// Every part of the workbook but its creation time, as the library wrote it.
QMap<QString, QByteArray> partesDe(const QString& xlsx)
{
    QMap<QString, QByteArray> partes;
    QProcess lista;
    lista.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), xlsx});
    lista.waitForFinished(30000);
    for (const QString& parte : QString::fromUtf8(lista.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        if (parte == QStringLiteral("docProps/core.xml"))
            continue;
        QProcess p;
        p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), xlsx, parte});
        p.waitForFinished(30000);
        partes.insert(parte, p.readAllStandardOutput());
    }
    return partes;
}

} // namespace

// The file that goes to the authority is the same whatever the desktop's language: the
// C library prints cells, widths and margins, and under Spanish it would print commas.
TEST_F(LegibilidadTest, ElLibroEscritoEnCastellanoEsElMismoQueEnC)
{
    const std::string previo = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "es_AR.UTF-8"), nullptr) << "es_AR.UTF-8 no está generado (scripts/deps)";
    char punto[8];
    std::snprintf(punto, sizeof punto, "%.1f", 0.5);
    EXPECT_STREQ(punto, "0,5") << "the C library really prints in Spanish here";
    const Hoja libro = ArmarLibro(mes(6, 3, Cifras::AMitad));
    const QString castellano = m_dir.filePath(QStringLiteral("es.xlsx"));
    GuardarXlsx(libro, castellano);
    std::snprintf(punto, sizeof punto, "%.1f", 0.5);
    EXPECT_STREQ(punto, "0,5") << "the window's locale is given back after the write";
    std::setlocale(LC_NUMERIC, "C");
    const QString c = m_dir.filePath(QStringLiteral("c.xlsx"));
    GuardarXlsx(libro, c);
    std::setlocale(LC_NUMERIC, previo.c_str());

    const auto partesEs = partesDe(castellano);
    const auto partesC = partesDe(c);
    ASSERT_TRUE(partesC.contains(QStringLiteral("xl/worksheets/sheet1.xml")));
    EXPECT_EQ(partesEs.keys(), partesC.keys());
    for (auto it = partesC.cbegin(); it != partesC.cend(); ++it)
        EXPECT_EQ(partesEs.value(it.key()), it.value()) << it.key().toStdString();
    const QByteArray hoja = partesEs.value(QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_FALSE(QString::fromUtf8(hoja).contains(QRegularExpression(QStringLiteral("(<v>|=\")-?\\d+,\\d"))));

    // And LibreOffice, in the same language, reads day 1's 1.0055 received as the
    // three decimals in force give it, 1.006, not as 1.
    const QString csv = m_dir.filePath(QStringLiteral("csv"));
    QDir().mkpath(csv);
    ASSERT_TRUE(libreOffice(m_dir.filePath(QStringLiteral("perfil")),
                            {QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):59,34,76,1,,0,true,true,false,false"),
                             QStringLiteral("--outdir"), csv, castellano},
                            m_dir.path()));
    QFile f(csv + QStringLiteral("/es.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList filas = QString::fromUtf8(f.readAll()).split(u'\n');
    ASSERT_GT(filas.size(), 12);
    const QStringList dia1 = filas[11].split(u';');
    ASSERT_GE(dia1.size(), 2) << filas[11].toStdString();
    EXPECT_EQ(dia1[0], QStringLiteral("1"));
    EXPECT_DOUBLE_EQ(QString(dia1[1]).replace(u',', u'.').toDouble(), 1.006) << dia1[1].toStdString();
}
