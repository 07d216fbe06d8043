#include "data/DB_Dll.h"
#include "lookup/Def_QConsulta.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "startup/Configuracion.h"
#include "tests/lookup/BaseDeConsultas.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace {

class ClsCons3Test : public BaseDeConsultas
{
protected:
    Lib_ClsCons3& pedido() { return Lib_ClsCons3::Instancia(); }
    QString mascaras() const { return carpeta() + QStringLiteral("/consultas.vlm"); }

    // One lookup with the given arguments and the rest empty.
    void consultar(const QString& sql, QStringList* cmps, bool arbol = false, QString campo = {})
    {
        QString clave, where, opcional, defecto;
        pedido().ConsultaSearch(sql, cmps, clave, campo, where, opcional, arbol, defecto);
    }
};

} // namespace

TEST_P(ClsCons3Test, ElInicioCreaLasMascarasYUnClienteSeEligeBuscandolo)
{
    ASSERT_TRUE(QFileInfo::exists(mascaras()));
    EXPECT_EQ(QFileInfo(mascaras()).size(), 7 * Def_QConsulta::LargoRegistro);

    Lib_ClsCons3& p = pedido();
    p.CampoDevuelto = QStringLiteral("CODIGO");
    p.CmpsDevueltos << QStringLiteral("RAZON_SOCIAL") << QStringLiteral("CONTACTO");
    int filas = -1;
    QString sql;
    ConVentanaModal([&](QWidget* w) {
        auto* ventana = qobject_cast<Lib_FrmCons3*>(w);
        ASSERT_NE(ventana, nullptr);
        filas = ventana->ListView1->topLevelItemCount();
        sql = ventana->SQL;
        QTest::keyClicks(ventana->CmbSearch[0], QStringLiteral("acop"));
        QTest::keyClick(ventana->CmbSearch[0], Qt::Key_Return);
    }, [&] { consultar(QStringLiteral("VT_CLIENTES"), &p.CmpsDevueltos); });

    EXPECT_EQ(sql.trimmed(), QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 "
                                            "ORDER BY RAZON_SOCIAL"));
    EXPECT_EQ(filas, 5) << "the customer taken off the books is not offered";
    EXPECT_EQ(p.ValorDevuelto.toString(), QStringLiteral("C003"));
    EXPECT_EQ(p.Valores, (QStringList{QStringLiteral("Acopio Tres Lomas"), QStringLiteral("Ruben Sosa")}));
    EXPECT_TRUE(p.CampoDevuelto.isEmpty());
    EXPECT_TRUE(p.CmpsDevueltos.isEmpty());
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(ClsCons3Test, UnaMascaraSinDosColumnasAvisaYNoTocaNada)
{
    ASSERT_TRUE(Def_QConsulta::Agregar(mascaras(), {QStringLiteral("X"), QStringLiteral("MA_CUENTAS"), QStringLiteral("|CODIGO|"), {}}));
    Lib_ClsCons3& p = pedido();
    p.CampoDevuelto = QStringLiteral("CODIGO");
    p.Checks = true;
    p.CmpsDevueltos << QStringLiteral("CODIGO");
    p.ValorDevuelto = QStringLiteral("anterior");
    consultar(QStringLiteral("MA_CUENTAS"), &p.CmpsDevueltos);
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_EQ(m_guion->avisos[0].texto, QStringLiteral("Debe configurar la consulta para esta tabla"));
    EXPECT_EQ(m_guion->avisos[0].titulo, QStringLiteral("Aviso al operador"));
    EXPECT_EQ(p.CampoDevuelto, QStringLiteral("CODIGO"));
    EXPECT_TRUE(p.Checks);
    EXPECT_EQ(p.CmpsDevueltos.size(), 1);
    EXPECT_EQ(p.ValorDevuelto.toString(), QStringLiteral("anterior"));
}

TEST_P(ClsCons3Test, LimiteDeFilasYSentenciasCompletas)
{
    Lib_ClsCons3& p = pedido();
    QString campo, where;
    EXPECT_EQ(p.Sentencia(QStringLiteral("VT_PROVEEDORES"), campo, where, {}),
              QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL"));
    GrabarConfiguracion(QStringLiteral("TopConsArt"), QStringLiteral("250"));
    campo.clear();
    EXPECT_TRUE(p.Sentencia(QStringLiteral("VT_CLIENTES"), campo, where, {})->startsWith(QStringLiteral("SELECT TOP 250 ")));
    EXPECT_EQ(p.Sentencia(QStringLiteral("select * from v_ma_articulos where x = 1"), campo, where, {}),
              QStringLiteral("select * from VT_MA_ARTICULOS where x = 1"));
    // A table without a mask takes its own columns, last first.
    campo.clear();
    where = QStringLiteral("a=1");
    EXPECT_EQ(p.Sentencia(QStringLiteral("TA_CCOSTO"), campo, where, {}).value_or(QString()).toUpper(),
              QStringLiteral("SELECT TOP 250 DESCRIPCION,CODIGO FROM TA_CCOSTO ORDER BY DESCRIPCION"));
    EXPECT_EQ(where, QStringLiteral(" (a=1) "));
    EXPECT_EQ(p.Sentencia(QStringLiteral("TA_CCOSTO"), campo, where, QStringLiteral("SELECT 1")), QStringLiteral("SELECT 1"));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(ClsCons3Test, SinMascaraSanaLaConsultaTomaLasColumnasDeLaTabla)
{
    Lib_ClsCons3& p = pedido();
    for (const QByteArray& contenido : {QByteArray(), QByteArray(700, char(0xFF)), QByteArray("VT_CLIENTES\r\n")}) {
        QFile f(mascaras());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contenido);
        f.close();
        QString campo, where;
        const auto sql = p.Sentencia(QStringLiteral("VT_CLIENTES"), campo, where, {});
        ASSERT_TRUE(sql);
        EXPECT_EQ(sql->toUpper(), QStringLiteral("SELECT TOP 1000 DADA_DE_BAJA,CONTACTO,NUMERO_DOCUMENTO,RAZON_SOCIAL,DESCRIPCION,CODIGO "
                                                 "FROM VT_CLIENTES ORDER BY DESCRIPCION"));
    }
    QFile::remove(mascaras());
    QString campo, where;
    EXPECT_TRUE(p.Sentencia(QStringLiteral("VT_CLIENTES"), campo, where, {})->startsWith(QStringLiteral("SELECT TOP 1000 ")))
        << "a missing masks file falls back the same way";
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(ClsCons3Test, UnaTablaQueNoExisteDejaLaConsultaUsable)
{
    Lib_ClsCons3& p = pedido();
    p.CampoDevuelto = QStringLiteral("CODIGO");
    // What an earlier lookup left behind must not survive this one.
    p.Checks = true;
    p.ValorDevuelto = QStringLiteral("C001");
    p.Valores = {QStringLiteral("C002")};
    bool abierta = false;
    ConVentanaModal([&](QWidget* w) {
        auto* ventana = qobject_cast<Lib_FrmCons3*>(w);
        ASSERT_NE(ventana, nullptr);
        abierta = ventana->isVisible();
        QTest::keyClicks(ventana->CmbSearch[0], QStringLiteral("x'; DROP TABLE MA_CUENTAS; --"));
        QTest::keyClick(ventana->CmbSearch[0], Qt::Key_F5);
        QTest::keyClick(ventana->CmbSearch[0], Qt::Key_Escape);
    }, [&] { consultar(QStringLiteral("MA_NO_EXISTE"), nullptr); });
    EXPECT_TRUE(abierta);
    EXPECT_EQ(p.ValorDevuelto.toString(), QString());
    EXPECT_TRUE(p.Valores.isEmpty());
    EXPECT_FALSE(p.Checks) << "the check boxes are for one lookup only";
    EXPECT_FALSE(m_guion->avisos.empty()) << "the failing statement is reported";
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS")), QStringLiteral("6"));
}

TEST_P(ClsCons3Test, ElArbolDevuelveLaFamiliaElegida)
{
    Lib_ClsCons3& p = pedido();
    p.CampoDevuelto = QStringLiteral("IDFAMILIA");
    ConVentanaModal([&](QWidget* w) {
        auto* arbol = qobject_cast<Lib_FrmCons3Tree*>(w);
        ASSERT_NE(arbol, nullptr);
        QTest::keyClicks(arbol->CmbSearch[0], QStringLiteral("harina 0000"));
        QTest::keyClick(arbol->CmbSearch[0], Qt::Key_Return);
    }, [&] { consultar(QStringLiteral("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA"), nullptr, true); });
    EXPECT_EQ(p.ValorDevuelto.toString(), QStringLiteral("010102"));
    EXPECT_TRUE(p.CampoDevuelto.isEmpty());
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

CON_CADA_MOTOR(ClsCons3Test);
