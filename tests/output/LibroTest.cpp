// The book's worksheet from a period's data, and the .xlsx it is saved as, read back.
#include "output/ArmadoLibro.h"
#include "output/EscritorXlsx.h"
#include "platform/Regional.h"
#include "suite/SuiteUtil.h"
#include "tests/support/LectorXlsx.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

Importe imp(const char* t)
{
    return SuiteUtil::TextToAmount(QString::fromLatin1(t));
}

// A period with `cuentas` accounts, each with its 31 days: account k receives k + day/10
// and delivers 1 every day; the first account's remarks are 20 characters long.
DatosLibro periodo(int cuentas, int decimales = 2)
{
    DatosLibro d;
    d.decimales = decimales;
    d.lineaInicial = 2;
    d.titulo = QStringLiteral("libro de movimientos y existencia de Mercadería");
    d.empresa = QStringLiteral("MOLINO HARINERO SAN ISIDRO S.A.");
    d.oncca = QStringLiteral("15.432/7");
    d.periodo = QStringLiteral("03/2026");
    d.hoja = QStringLiteral("21");
    d.medida = QStringLiteral("TONELADAS");
    for (int k = 0; k < cuentas; ++k) {
        const QString codigo = k == 0 ? QStringLiteral("MOLINO") : QStringLiteral("C00%1").arg(k);
        d.cuentas.push_back({codigo, k == 2 ? QString() : QStringLiteral("Cuenta %1").arg(k)});
        for (int dia = 1; dia <= 31; ++dia)
            d.filas.push_back({dia, Importe::desdeDiezmilesimos((k + 1) * 10000 + dia * 1000), imp("1"),
                               k == 0 && dia == 5 ? QStringLiteral("  Remito 0001-12345 camión  ") : QString(), codigo});
    }
    d.saldoAnterior = [](const QString& cuenta) { return cuenta == QStringLiteral("MOLINO") ? imp("100") : Importe(); };
    return d;
}

class LibroTest : public testing::Test
{
protected:
    void SetUp() override { Regional::Establecer(Regional::Ajustes{u',', 2}); }
    void TearDown() override { Regional::Establecer(std::nullopt); }
};

} // namespace

TEST_F(LibroTest, TituloCuentasTotalesYCierreEnSusLugares)
{
    const Hoja h = ArmarLibro(periodo(3));
    const int L = 2, D = L + 8;
    EXPECT_EQ(h.Texto(L, 1), QStringLiteral("libro de movimientos y existencia de Mercadería"));
    EXPECT_EQ(h.Texto(L + 2, 1), QStringLiteral("N° REGISTRO ONCCA: 15.432/7"));
    EXPECT_EQ(h.Texto(L + 3, 1), QStringLiteral("PERIODO: 03/2026"));
    EXPECT_EQ(h.Texto(L + 4, 1), QStringLiteral("Hoja Nro: 21"));
    EXPECT_EQ(h.En(L, 1)->estilo, (EstiloCelda{16, true, true, true, false}));
    EXPECT_EQ(h.Texto(L + 6, 1), QStringLiteral("Día"));
    EXPECT_EQ(h.Texto(L + 6, 2), QStringLiteral("Cuenta 0"));
    EXPECT_EQ(h.Texto(L + 6, 5), QStringLiteral("Cuenta 1"));
    EXPECT_EQ(h.Texto(L + 6, 8), QStringLiteral("C002")) << "no description: the code";
    EXPECT_EQ(h.Texto(L + 6, 11), QStringLiteral("Total"));
    EXPECT_EQ(h.Texto(L + 7, 13), QStringLiteral("Saldo"));
    EXPECT_TRUE(h.En(L + 7, 13)->estilo.negrita);
    EXPECT_EQ(h.Texto(L + 7, 14), QStringLiteral("Observaciones")) << "3K + 5";

    // The mill: 100 carried over, day 1 receives 1.1 and delivers 1.
    EXPECT_EQ(h.Texto(D, 1), QStringLiteral("1"));
    EXPECT_EQ(h.Texto(D, 2), QStringLiteral("1,10"));
    EXPECT_EQ(h.Texto(D, 3), QStringLiteral("1,00"));
    EXPECT_EQ(h.Texto(D, 4), QStringLiteral("100,10"));
    EXPECT_EQ(h.En(D, 4)->estilo, (EstiloCelda{8, true, false, false, true}));
    EXPECT_EQ(h.Texto(D + 4, 14), QStringLiteral("Remito 0001-123")) << "trimmed, then its first 15";
    EXPECT_EQ(h.En(D + 4, 14)->estilo.tamano, 6);
    // Day 31 of the third account: 3 + 3.1 received, 1 delivered, stock 31 * 2.1 + 49.6.
    EXPECT_EQ(h.Texto(D + 30, 8), QStringLiteral("6,10"));
    EXPECT_EQ(h.Texto(D + 30, 9), QStringLiteral("1,00"));
    // Every account's totals, and the grand totals, on the row after day 31.
    EXPECT_EQ(h.Texto(D + 31, 2), QStringLiteral("80,60")) << "31 + 49.6";
    EXPECT_EQ(h.Texto(D + 31, 3), QStringLiteral("31,00"));
    EXPECT_EQ(h.Texto(D + 31, 4), QStringLiteral("149,60"));
    EXPECT_EQ(h.Texto(D + 31, 8), QStringLiteral("142,60"));
    // Day totals: all three accounts' figures of that day.
    EXPECT_EQ(h.Texto(D, 11), QStringLiteral("6,30"));
    EXPECT_EQ(h.Texto(D, 12), QStringLiteral("3,00"));
    EXPECT_EQ(h.Texto(D, 13), QStringLiteral("103,30")) << "the stocks of day 1 summed";
    EXPECT_EQ(h.Texto(D + 31, 11), QStringLiteral("334,80"));
    EXPECT_EQ(h.Texto(D + 31, 12), QStringLiteral("93,00"));
    EXPECT_EQ(h.Texto(D + 31, 13), QStringLiteral("341,80")) << "the stock of day 31";
    EXPECT_EQ(h.Texto(D + 32, 1), QStringLiteral("Cantidades expresadas en TONELADAS"));
    EXPECT_EQ(h.UltimaFila(), D + 32);
    EXPECT_EQ(h.Ancho(1), 8);
    EXPECT_EQ(h.Ancho(14), 12);
}

TEST_F(LibroTest, SeisCuentasSiguenElPatronYLasFilasVanAlDiaQueSon)
{
    DatosLibro d = periodo(6, -2);
    // The last account skips its first days: its rows still go on the rows of their days.
    std::erase_if(d.filas, [](const DatosLibro::Fila& f) { return f.cuenta == QStringLiteral("C005") && f.dia < 4; });
    const Hoja h = ArmarLibro(d);
    const int D = 10;
    EXPECT_EQ(h.Texto(8, 20), QStringLiteral("Total"));
    EXPECT_EQ(h.Texto(9, 23), QStringLiteral("Observaciones"));
    EXPECT_TRUE(h.Texto(D, 17).isEmpty()) << "day 1 of the last account is not there";
    EXPECT_EQ(h.Texto(D + 3, 17), QStringLiteral("6")) << "day 4: 6.4, whole numbers";
    EXPECT_EQ(h.Texto(D + 31, 18), QStringLiteral("28")) << "its totals on the common row";
    EXPECT_TRUE(h.Texto(D + 31, 21).size() > 0);
    EXPECT_TRUE(h.Texto(D + 32, 1).startsWith(QStringLiteral("Cantidades")));
}

// An account's totals add the figures as printed; the day totals add the stored amounts; a
// day an account has no row for still carries its stock into the day's total.
TEST_F(LibroTest, LasSumasDeCuentaSonLoImpresoYLasDelDiaLoGuardado)
{
    DatosLibro d = periodo(0, -2);
    d.cuentas = {{QStringLiteral("MOLINO"), {}}, {QStringLiteral("C001"), {}}};
    for (int dia = 1; dia <= 31; ++dia)
        d.filas.push_back({dia, imp("0.4"), {}, {}, QStringLiteral("MOLINO")});
    for (int dia = 1; dia <= 28; ++dia)
        d.filas.push_back({dia, imp("1"), {}, {}, QStringLiteral("C001")});
    const Hoja h = ArmarLibro(d);
    const int D = 10;
    EXPECT_EQ(h.Texto(D + 31, 2), QStringLiteral("0")) << "31 printed zeros add to 0";
    EXPECT_EQ(h.Texto(D + 31, 4), QStringLiteral("112")) << "100 + 12.4 of stock, rounded";
    // The grand totals add the day totals as shown (28 days of 1.4 shown as 1, three of 0.4
    // shown as 0), as a reader adding the column does; the accounts' totals agree: 0 + 28.
    EXPECT_EQ(h.Texto(D + 31, 8), QStringLiteral("28"));
    EXPECT_EQ(h.Texto(D + 30, 10), QStringLiteral("140")) << "day 31: 112.4 + C001's 28 carried";
    EXPECT_EQ(h.Texto(D + 31, 10), QStringLiteral("140"));
    EXPECT_EQ(h.Texto(D + 30, 1), QStringLiteral("31"));
    EXPECT_TRUE(h.Texto(D + 30, 5).isEmpty()) << "no row, no figures for C001's day 31";
}

TEST_F(LibroTest, SinMovimientosSoloTituloYCierreYSinBordesSiNoSePiden)
{
    DatosLibro d = periodo(0);
    d.lineaInicial = 4;
    const Hoja h = ArmarLibro(d);
    EXPECT_EQ(h.Texto(10, 1), QStringLiteral("Día"));
    EXPECT_EQ(h.Texto(11, 1), QStringLiteral("Cantidades expresadas en TONELADAS"));
    EXPECT_EQ(h.UltimaFila(), 11);
    DatosLibro sin = periodo(1);
    sin.bordes = false;
    EXPECT_FALSE(ArmarLibro(sin).En(10, 2)->estilo.borde);
    EXPECT_EQ(DecimalesDelLibro(QStringLiteral("0")), -2);
    EXPECT_EQ(DecimalesDelLibro(QStringLiteral("2,6")), 3);
    EXPECT_EQ(LineaInicialDelLibro(QStringLiteral("")), 4);
    EXPECT_EQ(LineaInicialDelLibro(QStringLiteral("x")), 4);
    EXPECT_EQ(LineaInicialDelLibro(QStringLiteral("2")), 2);
}

TEST_F(LibroTest, ElXlsxGuardadoDiceLoMismoCeldaPorCelda)
{
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("032026.xlsx"));
    QFile viejo(ruta);
    ASSERT_TRUE(viejo.open(QIODevice::WriteOnly));
    viejo.write("viejo");
    viejo.close();
    const Hoja h = ArmarLibro(periodo(3, 3));
    GuardarXlsx(h, ruta);
    LectorXlsx x;
    ASSERT_TRUE(x.Leer(ruta)) << "the old file was replaced by a workbook";
    for (auto it = h.Celdas().cbegin(); it != h.Celdas().cend(); ++it) {
        const auto [fila, columna] = it.key();
        const LectorXlsx::Celda c = x.En(fila, columna);
        // Figures are numbers with the format of their decimals: a reader shows the same
        // digits (with its own separator) and sums them.
        EXPECT_EQ(c.numero, it->numero.has_value()) << fila << "," << columna;
        if (it->numero) {
            EXPECT_EQ(c.valor, double(it->numero->diezmilesimos()) / 10000) << fila << "," << columna;
            EXPECT_EQ(c.formato, it->decimales == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(it->decimales, u'0'));
            EXPECT_EQ(c.texto, QString(it->texto).replace(u',', u'.')) << fila << "," << columna;
        } else {
            EXPECT_EQ(c.texto, it->texto) << fila << "," << columna;
        }
        EXPECT_EQ(c.tamano, it->estilo.tamano) << fila << "," << columna;
        EXPECT_EQ(c.negrita, it->estilo.negrita) << fila << "," << columna;
        EXPECT_EQ(c.cursiva, it->estilo.cursiva) << fila << "," << columna;
        EXPECT_EQ(c.sombra, it->estilo.sombra) << fila << "," << columna;
        EXPECT_EQ(c.borde, it->estilo.borde) << fila << "," << columna;
    }
    // Widths are stored as the spreadsheet keeps them, with its padding.
    EXPECT_NEAR(x.Ancho(1), 8.71, 0.01);
    EXPECT_NEAR(x.Ancho(14), 12.71, 0.01);
    EXPECT_EQ(x.Texto(10, 2), QStringLiteral("1.100"));
    EXPECT_TRUE(x.En(10, 1).numero) << "day numbers are numbers";
    EXPECT_FALSE(x.En(10, 14).numero) << "remarks stay text";
    EXPECT_LE(x.Formatos, 12) << "one format per look";
    EXPECT_EQ(x.NombreHoja, QStringLiteral("03-2026"));
    EXPECT_EQ(x.Pagina.papel, 9) << "A4";
    EXPECT_TRUE(x.Pagina.ajustarAPagina);
    EXPECT_EQ(x.Pagina.paginasDeAncho, 1);
    EXPECT_EQ(x.Pagina.paginasDeAlto, 1) << "a month on one sheet of paper";
    EXPECT_TRUE(x.Pagina.filasRepetidas.endsWith(QStringLiteral("$2:$9"))) << x.Pagina.filasRepetidas.toStdString();
    EXPECT_TRUE(x.Pagina.pie.contains(QStringLiteral("PERIODO: 03/2026"))) << x.Pagina.pie.toStdString();
    EXPECT_FALSE(QFile::exists(ruta + QStringLiteral(".tmp")));

    // A folder that cannot be written is reported, never passed as done.
    try {
        GuardarXlsx(h, QStringLiteral("/no/existe/032026.xlsx"));
        ADD_FAILURE() << "a workbook nowhere was taken as saved";
    } catch (const ErrorVB& e) {
        EXPECT_TRUE(e.Description.startsWith(QStringLiteral("No se pudo guardar el libro en /no/existe/032026.xlsx")))
            << e.Description.toStdString();
    }
}
