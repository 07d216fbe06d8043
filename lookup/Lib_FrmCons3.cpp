// The list window's construction, loading and layout.
#include "lookup/Lib_FrmCons3.h"

#include "data/DB_Dll.h"
#include "data/TextoSQL.h"
#include "lookup/AnchosConsulta.h"
#include "lookup/SentenciaConsulta.h"
#include "platform/Carpetas.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "startup/Configuracion.h"
#include "suite/SuiteUtil.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The suite stores sizes in twips; at the usual 96 dots per inch a pixel is 15 of them.
constexpr int TwipsPorPixel = 15;

int informarCarga(const ErrorVB& e)
{
    return SuiteUtil::ReportError(e, QStringLiteral("FORM_LOAD"));
}

// The classic colour number holds blue, green and red from the high byte down.
QColor colorVB(const QVariant& numero)
{
    const auto c = static_cast<uint32_t>(numero.toLongLong());
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// Where the database does not tell a column's defined size (SQLite views), its longest
// value stands in, so that names are not cut to a few letters.
int largoMayor(Recordset& rs, int columna)
{
    qsizetype mayor = rs.FieldName(columna).size();
    for (rs.MoveFirst(); !rs.Eof() && mayor < 60; rs.MoveNext())
        mayor = qMax(mayor, SuiteUtil::NullSafe(rs.Field(rs.FieldName(columna))).trimmed().size());
    if (rs.RecordCount() > 0)
        rs.MoveFirst();
    return int(mayor) + 1; // the cell's own margins
}

QString AnchosArchivo()
{
    return SuiteUtil::FolderPath(Carpetas::Aplicacion()) + QStringLiteral("CONSULTASLEN.VLM");
}

// A row sorts as the suite's server orders text, without regard to case, so that the
// title's sort agrees with the statement's ORDER BY and typing lands on the same row.
class FilaConsulta : public QTreeWidgetItem
{
public:
    FilaConsulta() : QTreeWidgetItem(UserType) {}

    bool operator<(const QTreeWidgetItem& otra) const override
    {
        const QTreeWidget* lista = treeWidget();
        const int columna = lista ? lista->sortColumn() : 0;
        return text(columna).compare(otra.text(columna), Qt::CaseInsensitive) < 0;
    }
};

} // namespace

Lib_FrmCons3::Lib_FrmCons3(QWidget* parent) : VentanaConsulta(parent)
{
    picFields = new QWidget(this);
    auto* franja = new QWidget(picFields);
    franja->setObjectName(QStringLiteral("franjaBusqueda"));
    ListView1 = new QTreeWidget(picFields);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setStretchLastSection(false);
    ListView1->installEventFilter(this);
    HScroll1 = ListView1->horizontalScrollBar();

    auto* columna = new QVBoxLayout(picFields);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->setSpacing(2);
    columna->addWidget(franja);
    columna->addWidget(ListView1, 1);

    lblFieldName = new QLabel(this);
    lblFieldName->hide();

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(picFields, 1);
    todo->addWidget(Frame1);

    caja(0);
    franja->setFixedHeight(CmbSearch[0]->sizeHint().height());

    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { Aceptar(); });
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, [this](int col) {
        m_ordenDescendente = !m_ordenDescendente;
        const auto orden = m_ordenDescendente ? Qt::DescendingOrder : Qt::AscendingOrder;
        ListView1->header()->setSortIndicatorShown(true);
        ListView1->header()->setSortIndicator(col, orden);
        ListView1->sortItems(col, orden);
    });
    connect(ListView1->header(), &QHeaderView::sectionResized, this, [this] { alinearCajas(); });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { alinearCajas(); });
}

Lib_FrmCons3::~Lib_FrmCons3()
{
    Form_Unload();
}

QLineEdit* Lib_FrmCons3::caja(int i)
{
    auto* franja = picFields->findChild<QWidget*>(QStringLiteral("franjaBusqueda"));
    while (CmbSearch.size() <= i) {
        auto* c = new QLineEdit(franja);
        const int indice = int(CmbSearch.size());
        c->setProperty("indice", QString::number(indice));
        c->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
        c->setAutoFillBackground(true);
        c->installEventFilter(this);
        connect(c, &QLineEdit::textChanged, this, [this, c] {
            buscarIncremental(int(SuiteUtil::TextToInteger(c->property("indice").toString())));
        });
        CmbSearch << c;
    }
    return CmbSearch[i];
}

void Lib_FrmCons3::Form_Load()
{
    DB_Dll& db = DB_Dll::Instancia();
    Recordset rs;
    Pasos::Ejecutar({
        [&] {
            m_esArticulos = TextoSQL::Contiene(SQL, QStringLiteral("articulos"));
            Valores.clear();
            Cantidades = QStringList();
            ListView1->clear();
        },
        [&] {
            SQL = u' ' + SQL;
            m_tablaConsulta = SentenciaConsulta::TablaDe(SQL);
        },
        [&] {
            if (m_sqlInicial.isEmpty())
                m_sqlInicial = SQL;
            m_sqlBase = SQL;
        },
        [&] { db.AbrirRecordset(SQL, rs); },
        [&] {
            Encolumnar(rs);
            Leer(rs, 1, int(rs.RecordCount()));
        },
        [&] {
            if (OrdenarPorLwv)
                ListView1->sortItems(0, Qt::AscendingOrder);
        },
        [&] {
            if (!FiltroInicial.trimmed().isEmpty())
                CmbSearch[0]->setText(FiltroInicial);
        },
        [&] { db.CierraRecordset(rs); },
        [&] { aplicarAnchosGrabados(); },
        [&] { CalcularAncho(); },
        [&] { SuiteUtil::SetUpForm(this, false); },
    }, informarCarga);
}

void Lib_FrmCons3::Encolumnar(Recordset& rs)
{
    const bool preciosConNombre = TextoSQL::Contiene(SQL, QStringLiteral("V_MA_ARTICULOS"))
                                  || TextoSQL::Contiene(SQL, QStringLiteral("STK_MA_ARTICULOS"));
    QStringList titulos;
    const QFontMetrics fm(font());
    QVector<int> anchos;
    for (int i = 0; i < rs.FieldCount(); ++i) {
        QLineEdit* c = caja(i);
        c->setProperty("campo", rs.FieldName(i));
        c->show();
        if (i > 0)
            setTabOrder(CmbSearch[i - 1], c);
        const int definido = rs.FieldSize(i) > 0 ? rs.FieldSize(i) : largoMayor(rs, i);
        anchos << fm.horizontalAdvance(QString(qMin(definido, 60), u'X'));
        QString titulo = rs.FieldName(i);
        const QString mayus = titulo.toUpper();
        if (preciosConNombre && mayus.size() == 7 && mayus.startsWith(QLatin1String("PRECIO")) && mayus[6] >= u'1'
            && mayus[6] <= u'8')
            titulo = LeerConfiguracion(QStringLiteral("NOM_PCLASE") + mayus[6]);
        titulos << titulo;
    }
    for (qsizetype i = rs.FieldCount(); i < CmbSearch.size(); ++i)
        CmbSearch[i]->hide();
    ListView1->setColumnCount(int(titulos.size()));
    ListView1->setHeaderLabels(titulos);
    for (int i = 0; i < anchos.size(); ++i)
        ListView1->setColumnWidth(i, anchos[i]);
}

void Lib_FrmCons3::Leer(Recordset& rs, int, int Cuantas)
{
    // Every row is read, from the first.
    if (rs.State() == 0 || rs.Eof())
        return;
    const bool conStock = rs.TieneCampo(QStringLiteral("PUNTOPEDIDO")) && rs.TieneCampo(QStringLiteral("Stock"));
    const bool colorear = MuestraStock == QLatin1String("SI") && m_esArticulos && conStock;
    const QString devuelto = CampoDevuelto.isEmpty() ? rs.FieldName(0) : CampoDevuelto;
    const bool marcar = CheckBoxes && rs.TieneCampo(devuelto);
    const int columnas = rs.FieldCount();
    QList<QTreeWidgetItem*> filas;
    filas.reserve(Cuantas);
    ListView1->setUpdatesEnabled(false);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        auto* fila = new FilaConsulta;
        fila->setText(0, SuiteUtil::NullSafe(rs.Field(rs.FieldName(0))).trimmed());
        for (int i = 1; i < columnas; ++i)
            fila->setText(i, SuiteUtil::PadLeft(SuiteUtil::NullSafe(rs.Field(rs.FieldName(i))), 4));
        if (CheckBoxes) {
            fila->setFlags(fila->flags() | Qt::ItemIsUserCheckable);
            const QString v = marcar ? SuiteUtil::NullSafe(rs.Field(devuelto)).trimmed() : QString();
            const bool inicial = marcar && !v.isEmpty() && ValoresDefault.contains(v, Qt::CaseInsensitive);
            fila->setCheckState(0, inicial ? Qt::Checked : Qt::Unchecked);
        }
        if (colorear) {
            const Importe punto = SuiteUtil::TextToAmount(SuiteUtil::NullSafe(rs.Field(QStringLiteral("PUNTOPEDIDO"))));
            const Importe stock = SuiteUtil::TextToAmount(SuiteUtil::NullSafe(rs.Field(QStringLiteral("Stock"))));
            QVariant nivel = StkNivel4;
            if (punto.esCero() && stock > Importe())
                nivel = StkNivel1;
            else if (punto > Importe() && stock > punto)
                nivel = StkNivel2;
            else if (punto > Importe() && stock < punto)
                nivel = StkNivel3;
            QFont negrita = ListView1->font();
            negrita.setBold(true);
            for (int i = 0; i < columnas; ++i) {
                fila->setForeground(i, colorVB(nivel));
                fila->setFont(i, negrita);
            }
        }
        filas << fila;
    }
    ListView1->addTopLevelItems(filas);
    ListView1->setUpdatesEnabled(true);
}

void Lib_FrmCons3::aplicarAnchosGrabados()
{
    const QString archivo = AnchosArchivo();
    if (!QFileInfo::exists(archivo))
        return;
    if (m_tablaConsulta.compare(QStringLiteral("Stk_ma_articulos"), Qt::CaseInsensitive) == 0)
        m_tablaConsulta = QStringLiteral("VT_MA_ARTICULOS");
    const QVector<double> anchos = AnchosConsulta::Leer(archivo, m_tablaConsulta);
    // A width that is none or beyond any screen (a damaged file) leaves the column as it is.
    for (int i = 0; i < anchos.size() && i < ListView1->columnCount(); ++i)
        if (anchos[i] > 0 && anchos[i] / TwipsPorPixel <= 5000)
            ListView1->setColumnWidth(i, qMax(1, qRound(anchos[i] / TwipsPorPixel)));
}

void Lib_FrmCons3::CalcularAncho()
{
    int total = 0;
    for (int i = 0; i < ListView1->columnCount(); ++i)
        total += ListView1->columnWidth(i);
    alinearCajas();
    const int margen = 360 / TwipsPorPixel;
    const int lista = total + margen;
    const QScreen* pantalla = screen();
    const int ancho = pantalla ? pantalla->availableGeometry().width() : 1024;
    resize(lista + margen >= ancho ? ancho - 480 / TwipsPorPixel : lista + 280 / TwipsPorPixel + margen,
           qMax(height(), 420));
}

void Lib_FrmCons3::alinearCajas()
{
    const QHeaderView* cabecera = ListView1->header();
    const int borde = ListView1->frameWidth();
    for (int i = 0; i < CmbSearch.size() && i < ListView1->columnCount(); ++i) {
        const int x = borde + cabecera->sectionViewportPosition(i);
        CmbSearch[i]->setGeometry(x, 0, qMax(1, cabecera->sectionSize(i) - 50 / TwipsPorPixel), CmbSearch[i]->height());
    }
}

void Lib_FrmCons3::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    alinearCajas();
}

void Lib_FrmCons3::Form_Unload()
{
    if (m_descargada)
        return;
    m_descargada = true;
    if (GrabarCfg && cargada()) {
        QVector<double> anchos;
        for (int i = 0; i < ListView1->columnCount(); ++i)
            anchos << double(ListView1->columnWidth(i) * TwipsPorPixel);
        if (!AnchosConsulta::Grabar(AnchosArchivo(), m_tablaConsulta, anchos))
            operador().Mensaje(QStringLiteral("No se pudieron guardar los anchos de las columnas en ") + AnchosArchivo(),
                               Operador::Critico, QStringLiteral("Aviso al Operador"));
    }
    ListView1->clear();
}
