#include "lookup/Lib_FrmCons3Tree.h"

#include "data/DB_Dll.h"
#include "lookup/SentenciaConsulta.h"
#include "platform/Pasos.h"
#include "suite/SuiteUtil.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <functional>

namespace {

const QString Raiz = QStringLiteral("A");
constexpr int ClaveRol = Qt::UserRole;

int informarComo(const char* rutina, const ErrorVB& e)
{
    return SuiteUtil::ReportError(e, QString::fromLatin1(rutina));
}

QString claveDe(const QTreeWidgetItem* nodo)
{
    return nodo->data(0, ClaveRol).toString();
}

} // namespace

Lib_FrmCons3Tree::Lib_FrmCons3Tree(QWidget* parent) : VentanaConsulta(parent)
{
    auto* caja = new QLineEdit(this);
    caja->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
    caja->installEventFilter(this);
    CmbSearch << caja;
    TreeV = new QTreeWidget(this);
    TreeV->setHeaderHidden(true);
    TreeV->setRootIsDecorated(true);
    TreeV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeV->setUniformRowHeights(true);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(caja);
    todo->addWidget(TreeV, 1);
    todo->addWidget(Frame1);
    resize(520, 480);

    connect(TreeV, &QTreeWidget::itemDoubleClicked, this, [this] { Aceptar(); });
    connect(TreeV, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* nodo) { propagarMarca(nodo); });
    connect(caja, &QLineEdit::textChanged, this, [this](const QString& t) { buscar(t); });
}

Lib_FrmCons3Tree::~Lib_FrmCons3Tree()
{
    const QSignalBlocker sinSenales(TreeV);
    TreeV->clear();
}

void Lib_FrmCons3Tree::Form_Load()
{
    Pasos::Ejecutar({
        [&] { Valores.clear(); },
        [&] { ArmarTreeVAutomatico(); },
        [&] { SuiteUtil::SetUpForm(this, false); },
    }, [](const ErrorVB& e) { return informarComo("FORM_LOAD", e); });
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico()
{
    DB_Dll& db = DB_Dll::Instancia();
    Recordset rs;
    const QSignalBlocker sinSenales(TreeV);
    Pasos::Ejecutar({
        [&] {
            TreeV->clear();
            m_nodos.clear();
            auto* raiz = new QTreeWidgetItem(TreeV, {QStringLiteral("Consulta...")});
            raiz->setData(0, ClaveRol, Raiz);
            if (CheckBoxes)
                raiz->setCheckState(0, Qt::Unchecked);
            m_nodos.insert(Raiz, raiz);
            raiz->setExpanded(true);
        },
        [&] { db.AbrirRecordset(SQL, rs); },
        [&] {
            if (rs.State() == 0 || rs.Eof() || rs.FieldCount() < 2)
                return;
            QTreeWidgetItem* actual = m_nodos.value(Raiz);
            for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
                const QString codigo = SuiteUtil::NullSafe(rs.Field(rs.FieldName(0))).trimmed();
                const QString clave = Raiz + codigo;
                // A repeated code would break the unique keys; the first one stays.
                if (codigo.isEmpty() || m_nodos.contains(clave))
                    continue;
                while (clave.size() < claveDe(actual).size() && actual->parent())
                    actual = actual->parent();
                QTreeWidgetItem* padre = clave.size() > claveDe(actual).size() ? actual
                                                                               : (actual->parent() ? actual->parent() : actual);
                auto* nodo = new QTreeWidgetItem(padre, {codigo + QStringLiteral(" - ")
                                                         + SuiteUtil::NullSafe(rs.Field(rs.FieldName(1))).trimmed()});
                nodo->setData(0, ClaveRol, clave);
                if (CheckBoxes)
                    nodo->setCheckState(0, Qt::Unchecked);
                m_nodos.insert(clave, nodo);
                actual = nodo;
            }
        },
        [&] { db.CierraRecordset(rs); },
    }, [](const ErrorVB& e) { return informarComo("ArmarTreeVAutomatico", e); });
}

QString Lib_FrmCons3Tree::codigoDe(const QTreeWidgetItem* nodo)
{
    return claveDe(nodo).mid(1);
}

void Lib_FrmCons3Tree::buscar(const QString& texto)
{
    const QString buscado = texto.trimmed();
    for (QTreeWidgetItemIterator it(TreeV); *it; ++it) {
        QTreeWidgetItem* nodo = *it;
        if (!nodo->parent())
            continue;
        const QString t = nodo->text(0);
        const qsizetype guion = t.indexOf(u'-');
        const QString codigo = (guion < 0 ? t : t.left(guion)).trimmed();
        const QString descripcion = guion < 0 ? QString() : t.mid(guion + 1).trimmed();
        if (codigo.startsWith(buscado, Qt::CaseInsensitive) || descripcion.startsWith(buscado, Qt::CaseInsensitive)) {
            TreeV->setCurrentItem(nodo);
            TreeV->scrollToItem(nodo);
            return;
        }
    }
}

void Lib_FrmCons3Tree::propagarMarca(QTreeWidgetItem* nodo)
{
    if (m_propagando)
        return;
    m_propagando = true;
    const Qt::CheckState estado = nodo->checkState(0);
    // Three levels below the node take its state; deeper ones keep theirs.
    std::function<void(QTreeWidgetItem*, int)> bajar = [&](QTreeWidgetItem* n, int nivel) {
        if (nivel > 3)
            return;
        for (int i = 0; i < n->childCount(); ++i) {
            n->child(i)->setCheckState(0, estado);
            bajar(n->child(i), nivel + 1);
        }
    };
    bajar(nodo, 1);
    m_propagando = false;
}

QString Lib_FrmCons3Tree::valorDe(const QString& tabla, const QString& codigo) const
{
    DB_Dll& db = DB_Dll::Instancia();
    Recordset rs;
    QString valor;
    if (db.ExisteEnTabla(tabla, codigo, CampoDevuelto, &rs, 8, QString()))
        valor = SuiteUtil::NullSafe(rs.Field(CampoDevuelto));
    db.CierraRecordset(rs);
    return valor;
}

void Lib_FrmCons3Tree::Aceptar()
{
    const QString campo = CampoDevuelto.toUpper();
    Pasos::Ejecutar({[&] {
        if (CheckBoxes) {
            for (QTreeWidgetItemIterator it(TreeV); *it; ++it) {
                const QTreeWidgetItem* nodo = *it;
                if (!nodo->parent() || nodo->checkState(0) != Qt::Checked)
                    continue;
                const QString codigo = codigoDe(nodo).trimmed();
                if (campo == QLatin1String("IDFAMILIA") || campo == QLatin1String("CODIGO")) {
                    Valores << codigo;
                } else if (campo == QLatin1String("IDPOSICION")) {
                    DB_Dll& db = DB_Dll::Instancia();
                    Recordset rs;
                    if (db.ExisteEnTabla(QStringLiteral("MA_POSICIONES"), codigo, QStringLiteral("IDPOSICION"), &rs, 8, QString()))
                        Valores << SuiteUtil::NullSafe(rs.Field(CampoDevuelto));
                    db.CierraRecordset(rs);
                }
            }
            return;
        }
        const QTreeWidgetItem* nodo = TreeV->currentItem();
        const QString codigo = nodo ? codigoDe(nodo) : QString();
        if (campo == QLatin1String("IDFAMILIA"))
            ValorDevuelto = valorDe(QStringLiteral("V_TA_FAMILIAS"), codigo);
        else if (campo == QLatin1String("IDPOSICION"))
            ValorDevuelto = valorDe(QStringLiteral("MA_POSICIONES"), codigo);
        else if (campo == QLatin1String("CODIGO"))
            ValorDevuelto = valorDe(QStringLiteral("TA_CCOSTO"), codigo);
    }}, [](const ErrorVB& e) { return informarComo("HScroll1_Change", e); });
    terminar(true);
}

void Lib_FrmCons3Tree::Cancelar()
{
    ValorDevuelto = QString();
    Valores.clear();
    terminar(false);
}

void Lib_FrmCons3Tree::NuevaBusqueda()
{
    ArmarTreeVAutomatico();
}

void Lib_FrmCons3Tree::BuscarEnBase()
{
    QLineEdit* caja = CmbSearch[0];
    if (SentenciaConsulta::InicioOrden(SQL) < 0)
        m_sqlBase = SQL;
    SQL = SentenciaConsulta::ConBusqueda(SQL, m_sqlBase, QString(), QStringLiteral("Descripcion"), caja->text(), true);
    {
        const QSignalBlocker sinBusqueda(caja);
        caja->clear();
    }
    m_sqlBase = SQL;
    Form_Load();
}

bool Lib_FrmCons3Tree::eventFilter(QObject* objeto, QEvent* e)
{
    if (objeto != CmbSearch[0])
        return QDialog::eventFilter(objeto, e);
    if (e->type() == QEvent::FocusIn)
        m_cajaActiva = 0;
    if (e->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objeto, e);
    switch (static_cast<QKeyEvent*>(e)->key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
        TreeV->setFocus();
        return true;
    case Qt::Key_F5:
        BuscarEnBase();
        return true;
    default:
        return QDialog::eventFilter(objeto, e);
    }
}
