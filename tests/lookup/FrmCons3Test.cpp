#include "data/DB_Dll.h"
#include "lookup/AnchosConsulta.h"
#include "lookup/Lib_FrmCons3.h"
#include "tests/lookup/BaseDeConsultas.h"

#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <memory>

namespace {

const QString Clientes = QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL");

class FrmCons3Test : public BaseDeConsultas
{
protected:
    std::unique_ptr<Lib_FrmCons3> abrir(const QString& sql, const std::function<void(Lib_FrmCons3&)>& preparar = {})
    {
        auto v = std::make_unique<Lib_FrmCons3>();
        v->SQL = sql;
        v->CampoDevuelto = QStringLiteral("CODIGO");
        if (preparar)
            preparar(*v);
        v->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(v.get()));
        return v;
    }
    static QString actual(const Lib_FrmCons3& v)
    {
        const QTreeWidgetItem* f = v.ListView1->currentItem();
        return f ? f->text(1).trimmed() : QString();
    }
    static QStringList columna(const Lib_FrmCons3& v, int c)
    {
        QStringList r;
        for (int i = 0; i < v.ListView1->topLevelItemCount(); ++i)
            r << v.ListView1->topLevelItem(i)->text(c).trimmed();
        return r;
    }
};

} // namespace

TEST_P(FrmCons3Test, LaBusquedaMientrasSeEscribeIgnoraMayusculasYSigueAlaCaja)
{
    auto v = abrir(Clientes);
    ASSERT_EQ(v->ListView1->columnCount(), 3);
    ASSERT_EQ(v->CmbSearch.size(), 3);
    // Each box sits over its column.
    const int x1 = v->ListView1->header()->sectionViewportPosition(1);
    EXPECT_NEAR(v->CmbSearch[1]->x(), x1 + v->ListView1->frameWidth(), 1);

    QTest::keyClicks(v->CmbSearch[1], QStringLiteral("c00"));
    EXPECT_EQ(actual(*v), QStringLiteral("C003")) << "list order is by name: Acopio comes first";
    QTest::keyClicks(v->CmbSearch[1], QStringLiteral("9"));
    EXPECT_EQ(actual(*v), QStringLiteral("C003")) << "no row starts with C009: the selection stays";

    // Typing in the list goes to the box used last; Backspace takes a letter away.
    v->CmbSearch[0]->setFocus();
    QTest::keyClicks(v->CmbSearch[0], QStringLiteral("pana"));
    EXPECT_EQ(actual(*v), QStringLiteral("C004")) << "Panaderia O'Brien comes before PANADERIA SAN CAYETANO";
    QTest::keyClick(v->ListView1, Qt::Key_Backspace);
    QTest::keyClicks(v->ListView1, QStringLiteral("if"));
    EXPECT_EQ(v->CmbSearch[0]->text(), QStringLiteral("panif"));
    EXPECT_EQ(actual(*v), QStringLiteral("C001"));
    EXPECT_EQ(v->CajaActiva(), 0);
    EXPECT_EQ(v->CmbSearch[0]->palette().color(QPalette::Base), QColor(0, 255, 255)) << "the active box is cyan";

    // Text inside an earlier name ("Acopio Tres Lomas") but at the start of none: the search
    // is by the start, the cursor stays.
    v->CmbSearch[0]->selectAll();
    QTest::keyClicks(v->CmbSearch[0], QStringLiteral("lomas"));
    EXPECT_EQ(actual(*v), QStringLiteral("C001"));
    v->CmbSearch[0]->selectAll();
    QTest::keyClicks(v->CmbSearch[0], QStringLiteral("panif"));

    QTest::keyClick(v->CmbSearch[0], Qt::Key_Up);
    EXPECT_EQ(actual(*v), QStringLiteral("C006"));
    EXPECT_TRUE(v->ListView1->hasFocus());
    EXPECT_EQ(v->CmbSearch[0]->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(FrmCons3Test, F5BuscaEnLaBaseConComodinesYComillasComoTexto)
{
    auto v = abrir(Clientes);
    QTest::keyClicks(v->CmbSearch[0], QStringLiteral("pan*o'b"));
    QTest::keyClick(v->CmbSearch[0], Qt::Key_F5);
    EXPECT_EQ(columna(*v, 1), QStringList{QStringLiteral("C004")});
    EXPECT_TRUE(v->SQL.contains(QStringLiteral("RAZON_SOCIAL like 'pan%o''b%' ORDER BY RAZON_SOCIAL"), Qt::CaseInsensitive))
        << v->SQL.toStdString();
    EXPECT_TRUE(v->CmbSearch[0]->text().isEmpty());

    // A second search narrows the first; a new search goes back to the start.
    QTest::keyClicks(v->CmbSearch[2], QStringLiteral("nadie"));
    QTest::keyClick(v->CmbSearch[2], Qt::Key_F5);
    EXPECT_EQ(v->ListView1->topLevelItemCount(), 0);
    EXPECT_TRUE(v->SQL.contains(QStringLiteral("'pan%o''b%'  and CONTACTO like 'nadie%'"), Qt::CaseInsensitive)) << v->SQL.toStdString();
    QTest::mouseClick(v->CmdNueva, Qt::LeftButton);
    EXPECT_EQ(v->ListView1->topLevelItemCount(), 5);
    EXPECT_EQ(v->SQL.trimmed(), Clientes);

    // Either side with the setting on; the letters' case never matters.
    v->CfgUsaConsultaLIKE = true;
    QTest::keyClicks(v->CmbSearch[0], QStringLiteral("LOMAS"));
    QTest::keyClick(v->CmbSearch[0], Qt::Key_F5);
    EXPECT_EQ(columna(*v, 1), QStringList{QStringLiteral("C003")});
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS")), QStringLiteral("6"));
}

TEST_P(FrmCons3Test, ConCasillasSeDevuelvenLasMarcadas)
{
    auto v = abrir(Clientes, [](Lib_FrmCons3& f) {
        f.CheckBoxes = true;
        f.ValoresDefault = QStringLiteral("c002,C006");
    });
    ASSERT_EQ(v->ListView1->topLevelItemCount(), 5);
    QStringList marcadas;
    for (int i = 0; i < 5; ++i)
        if (v->ListView1->topLevelItem(i)->checkState(0) == Qt::Checked)
            marcadas << v->ListView1->topLevelItem(i)->text(1).trimmed();
    EXPECT_EQ(marcadas, (QStringList{QStringLiteral("C002"), QStringLiteral("C006")}));
    // Space on the first row (Acopio) checks it; Enter accepts.
    v->ListView1->setCurrentItem(v->ListView1->topLevelItem(0));
    QTest::keyClick(v->ListView1, Qt::Key_Space);
    QTest::keyClick(v->ListView1, Qt::Key_Return);
    EXPECT_FALSE(v->isVisible());
    EXPECT_EQ(v->Valores, (QStringList{QStringLiteral("C003"), QStringLiteral("C002"), QStringLiteral("C006")}));

    auto vacia = abrir(Clientes, [](Lib_FrmCons3& f) {
        f.CheckBoxes = true;
        f.CampoDevuelto.clear();
    });
    vacia->Aceptar();
    EXPECT_TRUE(vacia->Valores.isEmpty());
    EXPECT_EQ(vacia->ValorDevuelto.toString(), QString());
    EXPECT_EQ(vacia->CampoDevuelto.toUpper(), QStringLiteral("RAZON_SOCIAL")) << "the first column stands in";
}

TEST_P(FrmCons3Test, AceptarYCancelar)
{
    auto v = abrir(Clientes, [](Lib_FrmCons3& f) {
        f.CampoDevuelto = QStringLiteral("NO_ESTA");
        f.CmpsDevueltos = {QStringLiteral("contacto"), QStringLiteral("NO_ESTA")};
    });
    v->Aceptar();
    EXPECT_TRUE(v->Valores.isEmpty()) << "no row selected: nothing to give back";
    auto w = abrir(Clientes, [](Lib_FrmCons3& f) {
        f.CampoDevuelto = QStringLiteral("NO_ESTA");
        f.CmpsDevueltos = {QStringLiteral("contacto"), QStringLiteral("NO_ESTA")};
    });
    // The view takes a double click only on the row that was pressed first.
    const QPoint fila = w->ListView1->visualItemRect(w->ListView1->topLevelItem(0)).center();
    QTest::mouseClick(w->ListView1->viewport(), Qt::LeftButton, {}, fila);
    QTest::mouseDClick(w->ListView1->viewport(), Qt::LeftButton, {}, fila);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->ValorDevuelto.toString(), QString());
    EXPECT_EQ(w->Valores, (QStringList{QStringLiteral("Ruben Sosa"), QString()}));

    auto x = abrir(Clientes);
    x->ListView1->setCurrentItem(x->ListView1->topLevelItem(0));
    QTest::keyClick(x->CmbSearch[0], Qt::Key_Escape);
    EXPECT_FALSE(x->isVisible());
    EXPECT_EQ(x->ValorDevuelto.toString(), QString());
    EXPECT_TRUE(x->Valores.isEmpty());
}

TEST_P(FrmCons3Test, ElTituloOrdenaDescendenteYLuegoAscendente)
{
    auto v = abrir(Clientes);
    QHeaderView* h = v->ListView1->header();
    const QPoint codigo(h->sectionViewportPosition(1) + 5, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, codigo);
    EXPECT_EQ(columna(*v, 1).first(), QStringLiteral("C006"));
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, codigo);
    EXPECT_EQ(columna(*v, 1).first(), QStringLiteral("C001"));
}

TEST_P(FrmCons3Test, LaListaOrdenaSinDistinguirMayusculas)
{
    const QStringList sinCaso{QStringLiteral("C003"), QStringLiteral("C002"), QStringLiteral("C004"), QStringLiteral("C006"),
                              QStringLiteral("C001")};
    // Without ORDER BY the window sorts the rows itself, and typing follows that order.
    auto v = abrir(QStringLiteral("SELECT RAZON_SOCIAL, CODIGO FROM VT_CLIENTES WHERE Dada_De_Baja = 0"),
                   [](Lib_FrmCons3& f) { f.OrdenarPorLwv = true; });
    EXPECT_EQ(columna(*v, 1), sinCaso);
    QTest::keyClicks(v->CmbSearch[0], QStringLiteral("pana"));
    EXPECT_EQ(actual(*v), QStringLiteral("C004"));

    // The name's title: descending, then ascending.
    QHeaderView* h = v->ListView1->header();
    const QPoint nombre(h->sectionViewportPosition(0) + 5, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, nombre);
    QStringList alReves = sinCaso;
    std::reverse(alReves.begin(), alReves.end());
    EXPECT_EQ(columna(*v, 1), alReves);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, nombre);
    EXPECT_EQ(columna(*v, 1), sinCaso);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(FrmCons3Test, LosAnchosGuardadosSeAplicanYSeGuardan)
{
    const QString archivo = carpeta() + QStringLiteral("/CONSULTASLEN.VLM");
    {
        QFile f(archivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"otra\",\"15|15|\"\r\nesto no es una linea\r\n\"vt_clientes\",\"1500|3000|\"\r\n");
    }
    {
        auto v = abrir(Clientes, [](Lib_FrmCons3& f) { f.GrabarCfg = true; });
        EXPECT_EQ(v->ListView1->columnWidth(0), 100);
        EXPECT_EQ(v->ListView1->columnWidth(1), 200);
        EXPECT_EQ(v->CmbSearch[0]->width(), 100 - 3);
        v->ListView1->setColumnWidth(2, 50);
    }
    EXPECT_EQ(AnchosConsulta::Leer(archivo, QStringLiteral("VT_CLIENTES")), (QVector<double>{1500, 3000, 750}));
    EXPECT_EQ(AnchosConsulta::Leer(archivo, QStringLiteral("otra")), (QVector<double>{15, 15}));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(FrmCons3Test, ArticulosCantidadesColoresYFaltantes)
{
    const QString sql = QStringLiteral("SELECT IDARTICULO, DESCRIPCION, PUNTOPEDIDO, Stock, 0 AS \"**Cantidad**\" FROM VT_MA_ARTICULOS "
                                       "ORDER BY DESCRIPCION");
    auto v = abrir(sql, [](Lib_FrmCons3& f) {
        f.MuestraStock = QStringLiteral("SI");
        f.StkNivel1 = 0x0000FF; // red, as the suite writes colours: blue green red
        f.StkNivel2 = 0x00FF00;
        f.StkNivel3 = 0xFF0000;
        f.StkNivel4 = 0x808080;
        f.UsaCantidades = true;
        f.CheckBoxes = true;
        f.CampoDevuelto = QStringLiteral("IDARTICULO");
    });
    ASSERT_EQ(v->ListView1->topLevelItemCount(), 4);
    QMap<QString, QColor> colores;
    for (int i = 0; i < 4; ++i) {
        const QTreeWidgetItem* f = v->ListView1->topLevelItem(i);
        colores[f->text(0)] = f->foreground(1).color();
        EXPECT_TRUE(f->font(0).bold());
    }
    EXPECT_EQ(colores[QStringLiteral("HA000")], QColor(255, 0, 0));
    EXPECT_EQ(colores[QStringLiteral("HA0000")], QColor(0, 255, 0));
    EXPECT_EQ(colores[QStringLiteral("AFR")], QColor(0, 0, 255));
    EXPECT_EQ(colores[QStringLiteral("ENV-O'B")], QColor(128, 128, 128));

    // Afrechillo is first by description.
    QTreeWidgetItem* afr = v->ListView1->topLevelItem(0);
    ASSERT_EQ(afr->text(0), QStringLiteral("AFR"));
    v->ListView1->setCurrentItem(afr);
    QTest::keyClick(v->ListView1, Qt::Key_Insert);
    QTest::keyClick(v->ListView1, Qt::Key_Insert);
    EXPECT_EQ(afr->text(4), QStringLiteral("2.0"));
    EXPECT_EQ(afr->checkState(0), Qt::Checked);
    m_guion->entradas.push_back(QStringLiteral("12,5"));
    QTest::keyClick(v->ListView1, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(afr->text(4), QStringLiteral("12.50"));
    ASSERT_FALSE(m_guion->avisos.empty());
    EXPECT_EQ(m_guion->avisos.back().titulo, QStringLiteral("Carga de Datos"));
    m_guion->entradas.push_back(QString());
    QTest::keyClick(v->ListView1, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(afr->text(4), QStringLiteral("12.50")) << "an empty answer changes nothing";
    for (int i = 0; i < 13; ++i)
        QTest::keyClick(v->ListView1, Qt::Key_Delete);
    EXPECT_EQ(afr->text(4), QStringLiteral("0.00"));
    EXPECT_EQ(afr->checkState(0), Qt::Unchecked);

    // F12 reports the selected article; the quote in its code stays text.
    v->ListView1->setCurrentItem(v->ListView1->topLevelItem(1));
    ASSERT_EQ(v->ListView1->currentItem()->text(0), QStringLiteral("ENV-O'B"));
    m_guion->avisos.clear();
    m_guion->respuestas.push_back(Operador::Si);
    QTest::keyClick(v->ListView1, Qt::Key_F12);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << m_guion->todo().toStdString();
    EXPECT_EQ(m_guion->avisos[0].texto, QStringLiteral("Desea informar el articulo ENV-O'B Bolsa O'Brien\ncomo un faltante de stock?"));
    EXPECT_EQ(m_guion->avisos[0].titulo, QStringLiteral("Atención!"));
    EXPECT_EQ(valor(QStringLiteral("SELECT IdArticulo FROM V_MV_FALTANTES")), QStringLiteral("ENV-O'B").rightJustified(25, u' '));
    EXPECT_EQ(valor(QStringLiteral("SELECT Usuario FROM V_MV_FALTANTES")), m_usuario);
    m_guion->respuestas.push_back(Operador::No);
    QTest::keyClick(v->ListView1, Qt::Key_F12);
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM V_MV_FALTANTES")), QStringLiteral("1"));
}

TEST_P(FrmCons3Test, LosNombresDeListaDePrecioTitulanSusColumnas)
{
    ejecutar(QStringLiteral("INSERT INTO ta_configuracion (CLAVE, VALOR, Grupo, PoliticaNegocio) VALUES ('NOM_PCLASE2', 'Mayorista', 'DATOS', 0)"));
    auto v = abrir(QStringLiteral("SELECT IDARTICULO, PRECIO2 FROM V_MA_ARTICULOS"));
    EXPECT_EQ(v->ListView1->headerItem()->text(1), QStringLiteral("Mayorista"));
    EXPECT_EQ(v->IndiceColumna(QStringLiteral(" idarticulo ")), 1);
    EXPECT_EQ(v->IndiceColumna(QStringLiteral("precio2")), 0);
}

CON_CADA_MOTOR(FrmCons3Test);
