#include "register/ControlesTolvario.h"

#include "register/DelegadoCelda.h"
#include "register/EditorDeCelda.h"
#include "register/ModeloRegistro.h"
#include "register/VistaConFilasFijas.h"
#include "startup/Panobar.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace {

struct DefinicionCampo {
    int indice;
    const char* dataField;
    const char* rotulo;
    int largo; // 0: no limit
    const char* inicial;
    bool numero;
};

// Header boxes of TxtFields, in screen order within each frame.
const DefinicionCampo Encabezado[] = {
    {ControlesTolvario::cPeriodo, "PERIODO", "Periodo", 7, "", false},
    {ControlesTolvario::cHoja, "HOJA", "Hoja Numero:", 7, "", true},
    {ControlesTolvario::cTitulo, "TITULO", "Titulo:", 100, "", false},
};
const DefinicionCampo Configuracion[] = {
    {ControlesTolvario::cOncca, "ONCCA", "N° Registro ONCCA", 20, "", false},
    // The two numbers have no limit of their own; five characters take any sensible one and
    // keep the stored setting within its column.
    {ControlesTolvario::cDecimales, "Decimales", "Cantidad Decimales", 5, "", true},
    {ControlesTolvario::cMedida, "MEDIDA", "Cantidades expresadas en:", 20, "TONELADAS", false},
    {ControlesTolvario::cLinea, "linea", "Comenzar a imprimir en la linea", 5, "2", true},
};

} // namespace

void ControlesTolvario::Construir(QMainWindow* ventana, ModeloRegistro* modelo)
{
    ventana->setObjectName(QStringLiteral("FrmTolvario"));
    ventana->setWindowTitle(QStringLiteral("Libro de Movimientos y existencia de Mercadería"));

    Panobar1 = new Panobar(ventana);
    Panobar1->setObjectName(QStringLiteral("Panobar1"));
    ventana->addToolBar(Qt::TopToolBarArea, Panobar1);

    BStat = new QStatusBar(ventana);
    BStat->setObjectName(QStringLiteral("BStat"));
    ventana->setStatusBar(BStat);

    for (int i = 0; i < Campos; ++i)
        TxtFields << nullptr;

    auto* centro = new QWidget(ventana);
    centro->setObjectName(QStringLiteral("centro"));
    auto* columna = new QVBoxLayout(centro);
    columna->setContentsMargins(6, 4, 6, 4);
    construirEncabezado(ventana);
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(FrmEnc, 3);
    arriba->addWidget(Frame1, 2);
    columna->addLayout(arriba);

    SSTab1 = new QTabBar(centro);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setExpanding(false);
    SSTab1->addTab(QStringLiteral("Molino"));
    for (int k = 1; k <= Usuarios; ++k)
        SSTab1->addTab(QStringLiteral("Usuario %1").arg(k));
    SSTab1->addTab(QStringLiteral("Usuarios Molino"));
    columna->addWidget(SSTab1);

    construirRejilla(ventana, modelo);
    construirUsuarios(ventana);
    columna->addWidget(FrmDet, 1);
    columna->addWidget(FrmUsuarios, 1);
    FrmUsuarios->hide();
    ventana->setCentralWidget(centro);

    // The clerk's order: period, sheet, title, then the configuration, the tabs and the grid.
    QWidget* anterior = nullptr;
    for (QWidget* w : {static_cast<QWidget*>(TxtFields[cPeriodo]), static_cast<QWidget*>(TxtFields[cHoja]),
                       static_cast<QWidget*>(TxtFields[cTitulo]), static_cast<QWidget*>(TxtFields[cOncca]),
                       static_cast<QWidget*>(TxtFields[cDecimales]), static_cast<QWidget*>(TxtFields[cMedida]),
                       static_cast<QWidget*>(TxtFields[cLinea]), static_cast<QWidget*>(chk), static_cast<QWidget*>(CmbLetra),
                       static_cast<QWidget*>(CmdArchivo), static_cast<QWidget*>(SSTab1), static_cast<QWidget*>(MSFlexGrid)}) {
        if (anterior)
            QWidget::setTabOrder(anterior, w);
        anterior = w;
    }
    ventana->resize(1200, 720);
}

void ControlesTolvario::construirEncabezado(QMainWindow* ventana)
{
    const QFontMetrics fm = ventana->fontMetrics();
    const auto nuevoCampo = [this](const DefinicionCampo& d, QWidget* padre) {
        auto* c = new QLineEdit(padre);
        c->setObjectName(QStringLiteral("TxtFields"));
        c->setProperty("Index", d.indice);
        c->setProperty("DataField", QString::fromLatin1(d.dataField));
        c->setProperty("Tag", QString());
        if (d.largo > 0)
            c->setMaxLength(d.largo);
        c->setText(QString::fromUtf8(d.inicial));
        if (d.numero) {
            c->setProperty("Numerico", true);
            c->setAlignment(Qt::AlignRight);
        }
        TxtFields[d.indice] = c;
        return c;
    };

    FrmEnc = new QGroupBox(ventana);
    FrmEnc->setObjectName(QStringLiteral("FrmEnc"));
    auto* enc = new QGridLayout(FrmEnc);
    enc->setContentsMargins(6, 6, 6, 6);
    QLineEdit* periodo = nuevoCampo(Encabezado[0], FrmEnc);
    periodo->setPlaceholderText(QStringLiteral("MM/AAAA"));
    periodo->setMaximumWidth(fm.horizontalAdvance(QStringLiteral("MM/AAAA")) * 2);
    QLineEdit* hoja = nuevoCampo(Encabezado[1], FrmEnc);
    hoja->setMaximumWidth(fm.horizontalAdvance(QStringLiteral("0000000")) * 2);
    enc->addWidget(new QLabel(QString::fromUtf8(Encabezado[0].rotulo), FrmEnc), 0, 0);
    enc->addWidget(periodo, 0, 1);
    enc->addWidget(new QLabel(QString::fromUtf8(Encabezado[1].rotulo), FrmEnc), 0, 2);
    enc->addWidget(hoja, 0, 3);
    enc->setColumnStretch(4, 1);
    // A delivered book is told plainly: changing it changes what ONCCA holds.
    LblEntrega = new QLabel(FrmEnc);
    LblEntrega->setObjectName(QStringLiteral("LblEntrega"));
    LblEntrega->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont negrita = LblEntrega->font();
    negrita.setBold(true);
    LblEntrega->setFont(negrita);
    // Its own line under the boxes: a long text never squeezes the period or widens the window.
    LblEntrega->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LblEntrega->setWordWrap(true);
    LblEntrega->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    enc->addWidget(LblEntrega, 2, 0, 1, 5);
    enc->addWidget(new QLabel(QString::fromUtf8(Encabezado[2].rotulo), FrmEnc), 1, 0);
    enc->addWidget(nuevoCampo(Encabezado[2], FrmEnc), 1, 1, 1, 4);

    Frame1 = new QGroupBox(QStringLiteral("Configuración "), ventana);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* cfg = new QGridLayout(Frame1);
    cfg->setContentsMargins(6, 6, 6, 6);
    const int ancho = fm.horizontalAdvance(u'X');
    for (int i = 0; i < 4; ++i) {
        const DefinicionCampo& d = Configuracion[i];
        QLineEdit* c = nuevoCampo(d, Frame1);
        // Texts as wide as they may be; the two numbers need a few digits only.
        if (d.numero)
            c->setMaximumWidth(ancho * 5);
        else
            c->setMinimumWidth(ancho * 14);
        cfg->addWidget(new QLabel(QString::fromUtf8(d.rotulo), Frame1), i / 2, (i % 2) * 2);
        cfg->addWidget(c, i / 2, (i % 2) * 2 + 1);
    }
    cfg->setColumnStretch(1, 1);
    chk = new QCheckBox(QStringLiteral("Imprimir &Lineas de División"), Frame1);
    chk->setObjectName(QStringLiteral("chk"));
    chk->setChecked(true);
    CmdArchivo = new QPushButton(QStringLiteral("Generar Archivo ONCCA"), Frame1);
    CmdArchivo->setObjectName(QStringLiteral("CmdArchivo"));
    CmbLetra = new QComboBox(Frame1);
    CmbLetra->setObjectName(QStringLiteral("CmbLetra"));
    CmbLetra->setMinimumContentsLength(12);
    CmbLetra->setToolTip(QStringLiteral("Disco removible donde se copia el archivo ONCCA"));
    cfg->addWidget(chk, 2, 0, 1, 2);
    cfg->addWidget(CmbLetra, 2, 2);
    cfg->addWidget(CmdArchivo, 2, 3);
}

void ControlesTolvario::construirRejilla(QMainWindow* ventana, ModeloRegistro* modelo)
{
    FrmDet = new QGroupBox(ventana);
    FrmDet->setObjectName(QStringLiteral("FrmDet"));
    auto* det = new QVBoxLayout(FrmDet);
    det->setContentsMargins(4, 4, 4, 4);

    auto* grilla = new VistaConFilasFijas(FrmDet);
    MSFlexGrid = grilla;
    MSFlexGrid->setObjectName(QStringLiteral("MSFlexGrid"));
    MSFlexGrid->setModel(modelo);
    MSFlexGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    MSFlexGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid->setTabKeyNavigation(false);
    // Plain one-line cells paint at a fraction of the cost of wrapped text.
    MSFlexGrid->setWordWrap(false);
    MSFlexGrid->setItemDelegate(new DelegadoCelda(MSFlexGrid));
    // The frame around it already: a frame of its own would repaint the whole grid each time
    // the focus comes back from the editor.
    MSFlexGrid->setFrameShape(QFrame::NoFrame);
    MSFlexGrid->verticalHeader()->hide();
    MSFlexGrid->horizontalHeader()->setStretchLastSection(true);
    MSFlexGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    det->addWidget(MSFlexGrid, 1);

    editor = new EditorDeCelda(MSFlexGrid, modelo);
    txtEdit = editor->Caja();
    // Tall enough for a capital's accent ("ÑANDÚ") in the cell and in the editor over it.
    const QFontMetrics letra = MSFlexGrid->fontMetrics();
    const int texto = std::max(letra.height(), letra.boundingRect(QStringLiteral("ÑÁÉÍÓÚÜ")).height());
    MSFlexGrid->verticalHeader()->setDefaultSectionSize(std::max(texto + 6, txtEdit->sizeHint().height()));
    // The opening balance and the totals stay in view while the days scroll.
    grilla->FijarFilas();

    LblDetalle = new QLabel(FrmDet);
    LblDetalle->setObjectName(QStringLiteral("LblDetalle"));
    det->addWidget(LblDetalle);
}

void ControlesTolvario::construirUsuarios(QMainWindow* ventana)
{
    const QFontMetrics fm = ventana->fontMetrics();
    FrmUsuarios = new QGroupBox(QStringLiteral("Usuarios de Molienda de Trigo"), ventana);
    FrmUsuarios->setObjectName(QStringLiteral("FrmUsuarios"));
    auto* rejilla = new QGridLayout(FrmUsuarios);
    for (int k = 1; k <= Usuarios; ++k) {
        auto* numero = new QLabel(QString::number(k), FrmUsuarios);
        numero->setObjectName(QStringLiteral("Label3"));
        Label3 << numero;
        auto* c = new QLineEdit(FrmUsuarios);
        c->setObjectName(QStringLiteral("TxtFields"));
        c->setProperty("Index", cUsuario1 + k - 1);
        c->setProperty("DataField", QStringLiteral("USMOLINO%1").arg(k));
        c->setProperty("Tag", QStringLiteral("VT_CLIENTES"));
        c->setMaxLength(15);
        c->setMaximumWidth(fm.horizontalAdvance(QStringLiteral("X")) * 18);
        c->setToolTip(QStringLiteral("Código del cliente (F3 o botón derecho para consultar)"));
        TxtFields[cUsuario1 + k - 1] = c;
        auto* desc = new QLabel(QStringLiteral("..."), FrmUsuarios);
        desc->setObjectName(QStringLiteral("LblDesc"));
        LblDesc << desc;
        rejilla->addWidget(numero, k - 1, 0);
        rejilla->addWidget(c, k - 1, 1);
        rejilla->addWidget(desc, k - 1, 2);
    }
    rejilla->setColumnStretch(2, 1);
    rejilla->setRowStretch(Usuarios, 1);
}
