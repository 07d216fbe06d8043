// How fast the book of a period with six accounts is made from the stored register, without
// the window: exported to .xlsx and drawn onto PDF pages, on the 30-year database. Each
// operation X has its floor XPiso, measured in the same run.
#include "bench/BaseDeMedicion.h"
#include "bench/Piso.h"
#include "data/DB_Dll.h"
#include "output/EscritorXlsx.h"
#include "output/ExportaLibro.h"
#include "output/ImpresionLibro.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPdfWriter>
#include <memory>
#include <benchmark/benchmark.h>

namespace {

using namespace BaseDeMedicion;

using Base = BaseSinVentana;

std::unique_ptr<Base> g_base;

Base& base()
{
    if (!g_base)
        g_base = std::make_unique<Base>();
    return *g_base;
}

// The book of a period with six accounts, from the stored register to the saved .xlsx.
void ExportarLibroSeisCuentas(benchmark::State& estado)
{
    Base& b = base();
    for (auto _ : estado) {
        const LibroExportado libro = ExportarLibro(EncabezadoDesdeAjustes(Periodos[0]), b.carpeta());
        benchmark::DoNotOptimize(libro.ruta);
    }
}
BENCHMARK(ExportarLibroSeisCuentas)->Unit(benchmark::kMillisecond);

// Its floor: the same statements straight through Qt SQL and the same cells written with
// libxlsxwriter, no layout work.
void ExportarLibroSeisCuentasPiso(benchmark::State& estado)
{
    Base& b = base();
    Hoja hoja;
    const std::vector<Sentencia> sentencias =
        Grabar([&] { hoja = ExportarLibro(EncabezadoDesdeAjustes(Periodos[0]), b.carpeta()).hoja; });
    const QString ruta = b.carpeta() + QStringLiteral("/piso.xlsx");
    MedirPiso(estado, b.piso(), {sentencias}, [&] { GuardarXlsx(hoja, ruta); });
}
BENCHMARK(ExportarLibroSeisCuentasPiso)->Unit(benchmark::kMillisecond);

// The same book drawn onto PDF pages.
void DibujarLibroPdf(benchmark::State& estado)
{
    Base& b = base();
    const Hoja hoja = ExportarLibro(EncabezadoDesdeAjustes(Periodos[0]), b.carpeta()).hoja;
    const QString ruta = b.carpeta() + QStringLiteral("/libro.pdf");
    for (auto _ : estado)
        GuardarPdf(hoja, ruta);
}
BENCHMARK(DibujarLibroPdf)->Unit(benchmark::kMillisecond);

// Its floor: every cell's text drawn at its place on one landscape A4 PDF page, in one font,
// with no widths, borders, looks, scaling or page breaks worked out.
void DibujarLibroPdfPiso(benchmark::State& estado)
{
    Base& b = base();
    const Hoja hoja = ExportarLibro(EncabezadoDesdeAjustes(Periodos[0]), b.carpeta()).hoja;
    const QString ruta = b.carpeta() + QStringLiteral("/piso.pdf");
    for (auto _ : estado) {
        QPdfWriter pdf(ruta);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        QPainter pintor(&pdf);
        const double ancho = pdf.width() / 24.0;
        const double alto = pdf.height() / 45.0;
        // Each cell in its own face and size: the faces a PDF of the book must carry.
        QHash<QString, QFont> fuentes;
        const auto& celdas = hoja.Celdas();
        for (auto c = celdas.cbegin(); c != celdas.cend(); ++c) {
            const EstiloCelda& e = c.value().estilo;
            auto f = fuentes.find(ClaveDeFuente(e));
            if (f == fuentes.end())
                f = fuentes.insert(ClaveDeFuente(e), FuenteDeCelda(e));
            pintor.setFont(*f);
            pintor.drawText(QRectF(c.key().second * ancho, c.key().first * alto, ancho, alto), c.value().texto);
        }
    }
}
BENCHMARK(DibujarLibroPdfPiso)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_base.reset();
    return 0;
}
