#include "register/DialogoAnio.h"

#include "output/GraficoDelAnio.h"
#include "output/HojaDelAnio.h"
#include "output/ImpresionLibro.h"
#include "platform/Pasos.h"
#include "register/Informes.h"
#include "register/SesionRegistro.h"
#include "startup/Formatos.h"

#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int LineasPorCuenta = 4;
constexpr int PrimerMes = 2; // columns: account, line, the twelve months, the year
const char* const Lineas[LineasPorCuenta] = {"Saldo anterior", "Entradas", "Salidas", "Saldo"};
const char* const Meses[12] = {"Ene", "Feb", "Mar", "Abr", "May", "Jun", "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};

} // namespace

DialogoAnio::DialogoAnio(int anio, int decimales, const QString& medida, QWidget* padre)
    : QDialog(padre)
    , m_anio(new QSpinBox(this))
    , m_tabla(new QTableWidget(this))
    , m_grafico(new QChartView(this))
    , m_decimales(decimales)
    , m_medida(medida.trimmed())
{
    setObjectName(QStringLiteral("DialogoAnio"));
    setWindowTitle(QStringLiteral("Existencia del año"));
    m_anio->setObjectName(QStringLiteral("SpnAnio"));
    m_anio->setRange(1900, 2999);
    m_anio->setValue(anio);
    m_tabla->setObjectName(QStringLiteral("TblAnio"));
    m_tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabla->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tabla->verticalHeader()->hide();
    m_grafico->setObjectName(QStringLiteral("GrfAnio"));
    m_grafico->setRenderHint(QPainter::Antialiasing);
    m_grafico->setMinimumHeight(160);

    auto* arriba = new QHBoxLayout;
    auto* rotulo = new QLabel(QStringLiteral("&Año:"), this);
    rotulo->setBuddy(m_anio);
    arriba->addWidget(rotulo);
    arriba->addWidget(m_anio);
    arriba->addStretch(1);
    // Printed as the book is: months across, accounts down, then the chart on its own page.
    auto* imprimir = new QPushButton(QStringLiteral("&Imprimir…"), this);
    imprimir->setObjectName(QStringLiteral("CmdImprimir"));
    imprimir->setAutoDefault(false);
    arriba->addWidget(imprimir);
    connect(imprimir, &QPushButton::clicked, this, [this] {
        Pasos::Ejecutar({[&] {
            VistaPreviaEImprimir(VistaDelAnio(m_anio->value(), m_cuentas, m_decimales, m_medida), this,
                                 [this](QPainter& p, const QRectF& area) { DibujarGraficoDelAnio(p, area, m_anio->value(), m_cuentas, m_medida); });
        }}, InformarCon("Existencia del año"), SinError5());
    });
    auto* partes = new QSplitter(Qt::Vertical, this);
    partes->addWidget(m_tabla);
    partes->addWidget(m_grafico);
    auto* columna = new QVBoxLayout(this);
    columna->addLayout(arriba);
    columna->addWidget(partes, 1);
    // Never larger than the screen it opens on.
    const QSize tamano(1000, 620);
    resize(padre && padre->screen() ? tamano.boundedTo(padre->screen()->availableGeometry().size() - QSize(8, 32)) : tamano);

    connect(m_anio, &QSpinBox::valueChanged, this, [this](int a) { cargar(a); });
    // A double click on a month opens it (never a single click, whatever the style); Enter
    // too, see eventFilter.
    connect(m_tabla, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) { elegir(i.row(), i.column()); });
    m_tabla->installEventFilter(this);
    // A ticked account is drawn.
    connect(m_tabla, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* i) {
        if (i->column() == 0)
            dibujar();
    });
    cargar(anio);
}

void DialogoAnio::cargar(int anio)
{
    // A year the database cannot read shows empty; the error is told with its retry.
    m_cuentas.clear();
    Pasos::Ejecutar({[&] { m_cuentas = RegistroTolvario::LeerAnio(anio); }}, InformarCon("Existencia del año"), SinError5());
    const QSignalBlocker quieto(m_tabla);
    m_tabla->clear();
    m_tabla->setColumnCount(PrimerMes + 13);
    QStringList titulos{QStringLiteral("Cuenta"), QString()};
    for (const char* m : Meses)
        titulos << QString::fromLatin1(m);
    titulos << QStringLiteral("Año");
    m_tabla->setHorizontalHeaderLabels(titulos);
    m_tabla->setRowCount(int(m_cuentas.size()) * LineasPorCuenta);
    const QBrush rojo(QColor(0xC0, 0, 0));
    for (size_t k = 0; k < m_cuentas.size(); ++k) {
        const RegistroTolvario::CuentaDelAnio& c = m_cuentas[k];
        const int base = int(k) * LineasPorCuenta;
        auto* cuenta = new QTableWidgetItem(SesionRegistro::NombreDeCuenta(c.cuenta));
        cuenta->setToolTip(c.nombre);
        m_tabla->setItem(base + 1, 0, new QTableWidgetItem(c.nombre));
        cuenta->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        cuenta->setCheckState(Qt::Checked);
        m_tabla->setItem(base, 0, cuenta);
        for (int l = 0; l < LineasPorCuenta; ++l)
            m_tabla->setItem(base + l, 1, new QTableWidgetItem(QString::fromLatin1(Lineas[l])));
        const auto poner = [&](int fila, int col, Importe v, bool marcarNegativa) {
            auto* i = new QTableWidgetItem(FormatoCantidad(v.texto(), m_decimales));
            i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (marcarNegativa && v < Importe())
                i->setForeground(rojo);
            m_tabla->setItem(fila, col, i);
        };
        for (int m = 0; m < 12; ++m) {
            const RegistroTolvario::MesDelAnio& mes = c.meses[size_t(m)];
            poner(base, PrimerMes + m, mes.saldoAnterior, true);
            poner(base + 1, PrimerMes + m, mes.entradas, false);
            poner(base + 2, PrimerMes + m, mes.salidas, false);
            poner(base + 3, PrimerMes + m, mes.saldo, true);
        }
        poner(base, PrimerMes + 12, c.meses.front().saldoAnterior, true);
        poner(base + 1, PrimerMes + 12, c.Entradas(), false);
        poner(base + 2, PrimerMes + 12, c.Salidas(), false);
        poner(base + 3, PrimerMes + 12, c.meses.back().saldo, true);
    }
    m_tabla->resizeColumnsToContents();
    dibujar();
}

void DialogoAnio::dibujar()
{
    QChart* anterior = m_grafico->chart();
    m_grafico->setChart(GraficoDelAnio(m_anio->value(), m_cuentas, m_medida, [this](size_t k) {
        const QTableWidgetItem* marca = m_tabla->item(int(k) * LineasPorCuenta, 0);
        return marca && marca->checkState() == Qt::Checked;
    }));
    delete anterior;
}

void DialogoAnio::elegir(int fila, int columna)
{
    if (fila < 0 || columna < PrimerMes || columna >= PrimerMes + 12)
        return;
    m_elegido = QStringLiteral("%1/%2").arg(columna - PrimerMes + 1, 2, 10, QLatin1Char('0')).arg(m_anio->value());
    accept();
}

bool DialogoAnio::eventFilter(QObject* objeto, QEvent* evento)
{
    // Enter on a month opens it; on the account's columns it does nothing.
    if (objeto == m_tabla && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            elegir(m_tabla->currentRow(), m_tabla->currentColumn());
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void DialogoAnio::keyPressEvent(QKeyEvent* evento)
{
    // Enter never presses the dialog's default button: it closes nothing by itself.
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(evento);
}
