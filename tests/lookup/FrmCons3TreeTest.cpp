#include "lookup/Lib_FrmCons3Tree.h"
#include "tests/lookup/BaseDeConsultas.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <memory>

namespace {

const QString Posiciones = QStringLiteral("SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES ORDER BY IDPOSICION");

class FrmCons3TreeTest : public BaseDeConsultas
{
protected:
    std::unique_ptr<Lib_FrmCons3Tree> abrir(const QString& sql, const QString& campo, bool casillas = false)
    {
        auto v = std::make_unique<Lib_FrmCons3Tree>();
        v->SQL = sql;
        v->CampoDevuelto = campo;
        v->CheckBoxes = casillas;
        v->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(v.get()));
        return v;
    }
    // A left click on the node's check box, where the view's style draws it.
    static void clicEnCasilla(const Lib_FrmCons3Tree& v, const QString& clave)
    {
        QTreeWidgetItem* nodo = v.Nodo(clave);
        ASSERT_NE(nodo, nullptr) << clave.toStdString();
        v.TreeV->scrollToItem(nodo);
        QStyleOptionViewItem opcion;
        opcion.initFrom(v.TreeV);
        opcion.widget = v.TreeV;
        opcion.rect = v.TreeV->visualItemRect(nodo);
        opcion.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        opcion.checkState = nodo->checkState(0);
        opcion.text = nodo->text(0);
        const QRect casilla = v.TreeV->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opcion, v.TreeV);
        ASSERT_TRUE(opcion.rect.contains(casilla.center())) << clave.toStdString();
        QTest::mouseClick(v.TreeV->viewport(), Qt::LeftButton, {}, casilla.center());
    }
    // Each node as "parent key > key", in the tree's order.
    static QStringList forma(const Lib_FrmCons3Tree& v)
    {
        QStringList r;
        for (QTreeWidgetItemIterator it(v.TreeV); *it; ++it)
            if ((*it)->parent())
                r << (*it)->parent()->text(0).section(u' ', 0, 0) + QStringLiteral(" > ") + (*it)->text(0);
        return r;
    }
};

} // namespace

TEST_P(FrmCons3TreeTest, LosCodigosMasLargosSeAnidan)
{
    auto v = abrir(Posiciones, QStringLiteral("IDPOSICION"));
    ASSERT_EQ(v->TreeV->topLevelItemCount(), 1);
    EXPECT_EQ(v->TreeV->topLevelItem(0)->text(0), QStringLiteral("Consulta..."));
    EXPECT_TRUE(v->TreeV->topLevelItem(0)->isExpanded());
    EXPECT_EQ(forma(*v), (QStringList{
                             QStringLiteral("Consulta... > 1 - Planta"),
                             QStringLiteral("1 > 101 - Silo 1"),
                             QStringLiteral("101 > 10101 - Boca"),
                             QStringLiteral("10101 > 1010101 - Tramo"),
                             QStringLiteral("1010101 > 101010101 - Compuerta"),
                             QStringLiteral("1 > 102 - Silo 2"),
                             QStringLiteral("Consulta... > 2 - Deposito"),
                             QStringLiteral("2 > 201 - Nave A"),
                         }));

    // A first row with a long code, then a shorter one: both hang from the root.
    auto w = abrir(QStringLiteral("SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES WHERE IDPOSICION IN ('101', '2') "
                                  "ORDER BY DESCRIPCION DESC"),
                   QStringLiteral("IDPOSICION"));
    EXPECT_EQ(forma(*w), (QStringList{QStringLiteral("Consulta... > 101 - Silo 1"), QStringLiteral("Consulta... > 2 - Deposito")}));

    auto vacio = abrir(QStringLiteral("SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES WHERE 1 = 0"), QStringLiteral("IDPOSICION"));
    EXPECT_EQ(vacio->TreeV->topLevelItemCount(), 1);
    EXPECT_TRUE(forma(*vacio).isEmpty());
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(FrmCons3TreeTest, MarcarLlegaATresNivelesYDevuelveLasPosiciones)
{
    auto v = abrir(Posiciones, QStringLiteral("IDPOSICION"), true);
    v->TreeV->expandAll();
    // Found by typing, then Space in the tree marks it.
    QTest::keyClicks(v->CmbSearch[0], QStringLiteral("planta"));
    QTest::keyClick(v->CmbSearch[0], Qt::Key_Down);
    ASSERT_EQ(v->TreeV->currentItem(), v->Nodo(QStringLiteral("A1")));
    QTest::keyClick(v->TreeV, Qt::Key_Space);
    for (const char* c : {"A1", "A101", "A10101", "A1010101", "A102"})
        EXPECT_EQ(v->Nodo(QString::fromLatin1(c))->checkState(0), Qt::Checked) << c;
    EXPECT_EQ(v->Nodo(QStringLiteral("A101010101"))->checkState(0), Qt::Unchecked) << "a fourth level keeps its state";
    EXPECT_EQ(v->Nodo(QStringLiteral("A2"))->checkState(0), Qt::Unchecked);

    // The mouse on a check box: one taken away, one added.
    clicEnCasilla(*v, QStringLiteral("A102"));
    EXPECT_EQ(v->Nodo(QStringLiteral("A102"))->checkState(0), Qt::Unchecked);
    clicEnCasilla(*v, QStringLiteral("A201"));
    EXPECT_EQ(v->Nodo(QStringLiteral("A201"))->checkState(0), Qt::Checked);
    EXPECT_EQ(v->Nodo(QStringLiteral("A2"))->checkState(0), Qt::Unchecked) << "a child does not mark its parent";

    QTest::keyClick(v->TreeV, Qt::Key_Return);
    EXPECT_FALSE(v->isVisible());
    EXPECT_EQ(v->Valores, (QStringList{QStringLiteral("1"), QStringLiteral("101"), QStringLiteral("10101"),
                                       QStringLiteral("1010101"), QStringLiteral("201")}));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(FrmCons3TreeTest, BuscarElegirYBuscarEnLaBase)
{
    auto v = abrir(Posiciones, QStringLiteral("IDPOSICION"));
    QTest::keyClicks(v->CmbSearch[0], QStringLiteral("silo"));
    ASSERT_NE(v->TreeV->currentItem(), nullptr);
    EXPECT_EQ(v->TreeV->currentItem()->text(0), QStringLiteral("101 - Silo 1"));
    QTest::keyClicks(v->CmbSearch[0], QStringLiteral(" 2"));
    EXPECT_EQ(v->TreeV->currentItem()->text(0), QStringLiteral("102 - Silo 2"));
    // Inside an earlier node's description ("Compuerta"), at the start of none: it stays.
    v->CmbSearch[0]->selectAll();
    QTest::keyClicks(v->CmbSearch[0], QStringLiteral("ompu"));
    EXPECT_EQ(v->TreeV->currentItem()->text(0), QStringLiteral("102 - Silo 2"));
    v->CmbSearch[0]->selectAll();
    QTest::keyClicks(v->CmbSearch[0], QStringLiteral("silo 2"));
    QTest::keyClick(v->CmbSearch[0], Qt::Key_Down);
    EXPECT_TRUE(v->TreeV->hasFocus());
    QTest::keyClick(v->TreeV, Qt::Key_Return);
    EXPECT_EQ(v->ValorDevuelto.toString(), QStringLiteral("102"));

    // F5 keeps the rows whose description holds the text, quotes and all.
    auto w = abrir(Posiciones, QStringLiteral("IDPOSICION"));
    QTest::keyClicks(w->CmbSearch[0], QStringLiteral("AVE"));
    QTest::keyClick(w->CmbSearch[0], Qt::Key_F5);
    EXPECT_EQ(forma(*w), QStringList{QStringLiteral("Consulta... > 201 - Nave A")});
    QTest::keyClicks(w->CmbSearch[0], QStringLiteral("d'x"));
    QTest::keyClick(w->CmbSearch[0], Qt::Key_F5);
    EXPECT_TRUE(forma(*w).isEmpty());
    EXPECT_TRUE(w->SQL.contains(QStringLiteral("like '%AVE%'  and Descripcion like '%d''x%' ORDER BY IDPOSICION"))) << w->SQL.toStdString();
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();

    auto x = abrir(Posiciones, QStringLiteral("IDPOSICION"));
    x->TreeV->setCurrentItem(x->Nodo(QStringLiteral("A2")));
    QTest::keyClick(x->CmbSearch[0], Qt::Key_Escape);
    EXPECT_EQ(x->ValorDevuelto.toString(), QString());
}

CON_CADA_MOTOR(FrmCons3TreeTest);
