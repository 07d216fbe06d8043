#include "output/GraficoDelAnio.h"

#include "register/SesionRegistro.h"

#include <QChart>
#include <QGraphicsScene>
#include <QPainter>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

QChart* GraficoDelAnio(int anio, const std::vector<RegistroTolvario::CuentaDelAnio>& cuentas, const QString& medida,
                       const std::function<bool(size_t)>& mostrada)
{
    auto* grafico = new QChart;
    grafico->setTitle(QStringLiteral("Saldo al fin de cada mes de %1").arg(anio));
    auto* meses = new QValueAxis;
    meses->setRange(1, 12);
    meses->setTickCount(12);
    meses->setLabelFormat(QStringLiteral("%d"));
    meses->setTitleText(QStringLiteral("Mes"));
    auto* cantidad = new QValueAxis;
    cantidad->setTitleText(medida.trimmed().isEmpty() ? QStringLiteral("Existencia") : medida.trimmed());
    cantidad->setLabelFormat(QStringLiteral("%.0f"));
    grafico->addAxis(meses, Qt::AlignBottom);
    grafico->addAxis(cantidad, Qt::AlignLeft);
    double menor = 0, mayor = 0;
    for (size_t k = 0; k < cuentas.size(); ++k) {
        if (mostrada && !mostrada(k))
            continue;
        auto* serie = new QLineSeries;
        serie->setName(SesionRegistro::NombreDeCuenta(cuentas[k].cuenta));
        for (int m = 0; m < 12; ++m) {
            const double v = double(cuentas[k].meses[size_t(m)].saldo.diezmilesimos()) / 10000.0;
            serie->append(m + 1, v);
            menor = std::min(menor, v);
            mayor = std::max(mayor, v);
        }
        grafico->addSeries(serie);
        serie->attachAxis(meses);
        serie->attachAxis(cantidad);
    }
    cantidad->setRange(menor, mayor > menor ? mayor : menor + 1);
    cantidad->applyNiceNumbers();
    return grafico;
}

void DibujarGraficoDelAnio(QPainter& pintor, const QRectF& area, int anio, const std::vector<RegistroTolvario::CuentaDelAnio>& cuentas,
                           const QString& medida)
{
    QGraphicsScene escena;
    QChart* grafico = GraficoDelAnio(anio, cuentas, medida);
    escena.addItem(grafico);
    // Laid out at a screen's size, then scaled onto the page.
    const QRectF logico(0, 0, 900, 900 * area.height() / area.width());
    grafico->setGeometry(logico);
    escena.render(&pintor, area, logico);
}
