#include "lookup/SentenciaConsulta.h"

#include <gtest/gtest.h>
#include <limits>

using namespace SentenciaConsulta;

namespace {

MascaraConsulta mascara(const char* tabla, const char* campos, const char* filtro = "")
{
    return {QStringLiteral("T"), QString::fromLatin1(tabla), QString::fromLatin1(campos), QString::fromLatin1(filtro)};
}

} // namespace

TEST(SentenciaConsulta, CondicionYLimite)
{
    EXPECT_EQ(PrepararWhere(QStringLiteral("a=1")), QStringLiteral(" (a=1) "));
    EXPECT_EQ(PrepararWhere(QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_EQ(PrepararWhere(QStringLiteral(" x ")), QStringLiteral(" x ")) << "one character once trimmed";
    EXPECT_EQ(PrepararWhere(QStringLiteral("(a=1) or b=2")), QStringLiteral("(a=1) or b=2"));
    EXPECT_EQ(PrepararWhere(QString()), QString());

    EXPECT_EQ(LimiteFilas(QStringLiteral(" ")), 1000);
    EXPECT_EQ(LimiteFilas(QStringLiteral("0")), 1000);
    EXPECT_EQ(LimiteFilas(QStringLiteral("250")), 250);
    EXPECT_EQ(LimiteFilas(QStringLiteral("abc")), 1000);
    EXPECT_EQ(LimiteFilas(QStringLiteral("120filas")), 120);
    EXPECT_EQ(LimiteFilas(QStringLiteral("2.5")), 2) << "halves to even";
    EXPECT_EQ(LimiteFilas(QStringLiteral("-5")), 1000) << "no count of rows";
    EXPECT_EQ(LimiteFilas(QString(40, u'9')), std::numeric_limits<int>::max()) << "beyond any amount: no limit";
}

TEST(SentenciaConsulta, MascarasDeLaSuite)
{
    QString campo;
    EXPECT_EQ(ConMascara(mascara("VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"), 1000, campo, {}),
              QStringLiteral("SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL"));
    EXPECT_EQ(campo, QStringLiteral("RAZON_SOCIAL"));
    campo.clear();
    EXPECT_EQ(ConMascara(mascara("v_ma_articulos", "|DESCRIPCION|IDARTICULO|"), 1000, campo, {}),
              QStringLiteral("SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION"));
    campo = QStringLiteral("CODIGO");
    EXPECT_EQ(ConMascara(mascara("VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"), 50, campo, QStringLiteral(" (TIPO = 'P') ")),
              QStringLiteral("SELECT TOP 50 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES WHERE  (TIPO = 'P')  ORDER BY CODIGO"));
}

TEST(SentenciaConsulta, MascarasMalConfiguradas)
{
    QString campo;
    EXPECT_FALSE(ConMascara(mascara("MA_X", "   "), 1000, campo, {}));
    EXPECT_FALSE(ConMascara(mascara("MA_X", "|UNICA|"), 1000, campo, {}));
    EXPECT_TRUE(campo.isEmpty());
    campo = QStringLiteral("UNICA");
    EXPECT_EQ(ConMascara(mascara("MA_X", "|UNICA|"), 1000, campo, {}),
              QStringLiteral("SELECT TOP 1000 UNICA FROM MA_X ORDER BY UNICA"));
    campo = QStringLiteral("A");
    EXPECT_EQ(ConMascara(mascara("MA_X", "|A|B|", "B > 2"), 10, campo, QStringLiteral(" (A = 1) ")),
              QStringLiteral("SELECT TOP 10 A,B FROM MA_X WHERE B > 2 ORDER BY A"))
        << "the mask's own filter wins over the caller's";
}

TEST(SentenciaConsulta, ColumnasDeUnaTablaSinMascara)
{
    QString campo;
    const QString lista = ListaAutomatica({QStringLiteral("ID"), QStringLiteral("CODIGO"), QStringLiteral("DESCRIPCION"),
                                           QStringLiteral("PRECIO"), QStringLiteral("FechaHora_Grabacion")},
                                          campo);
    EXPECT_EQ(lista, QStringLiteral("PRECIO,DESCRIPCION,CODIGO"));
    EXPECT_EQ(campo, QStringLiteral("DESCRIPCION"));
    EXPECT_EQ(Automatica(QStringLiteral("MA_X"), lista, 1000, campo),
              QStringLiteral("SELECT TOP 1000 PRECIO,DESCRIPCION,CODIGO FROM MA_X ORDER BY DESCRIPCION"));
    campo.clear();
    EXPECT_EQ(ListaAutomatica({QStringLiteral("nombre"), QStringLiteral("detalle"), QStringLiteral("X")}, campo),
              QStringLiteral("X,detalle,nombre"));
    EXPECT_EQ(campo, QStringLiteral("detalle")) << "the last such name met wins";
    campo = QStringLiteral("sin cambio");
    EXPECT_EQ(ListaAutomatica({}, campo), QStringLiteral(" * "));
}

TEST(SentenciaConsulta, BuscarEnLaBaseAgregaCondicionesTextuales)
{
    const QString inicial = QStringLiteral(" SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL");
    QString base = inicial;
    QString sql = ConBusqueda(inicial, base, {}, QStringLiteral("RAZON_SOCIAL"), QStringLiteral("o'b%n"), false);
    EXPECT_EQ(sql, QStringLiteral(" SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES WHERE Dada_De_Baja = 0  and "
                                  "RAZON_SOCIAL like 'o''b%n%' ORDER BY RAZON_SOCIAL"));
    base = sql;
    sql = ConBusqueda(sql, base, {}, QStringLiteral("CODIGO"), QStringLiteral("C0"), true);
    EXPECT_TRUE(sql.contains(QStringLiteral("like 'o''b%n%'  and CODIGO like '%C0%' ORDER BY RAZON_SOCIAL"))) << sql.toStdString();

    QString sinOrden = QStringLiteral(" SELECT * FROM MA_X");
    EXPECT_EQ(ConBusqueda(sinOrden, sinOrden, QStringLiteral("v_ma_articulos."), QStringLiteral("D"), QStringLiteral("x"), false),
              QStringLiteral(" SELECT * FROM MA_X where v_ma_articulos.D like 'x%' "));
    // Words inside a searched text are not taken for the statement's own.
    QString conTexto = QStringLiteral(" SELECT * FROM T ORDER BY A");
    const QString buscado = ConBusqueda(conTexto, conTexto, {}, QStringLiteral("A"), QStringLiteral("where order by"), false);
    conTexto = buscado;
    EXPECT_TRUE(ConBusqueda(buscado, conTexto, {}, QStringLiteral("B"), QStringLiteral("y"), false)
                    .endsWith(QStringLiteral("like 'where order by%'  and B like 'y%' ORDER BY A")));

    EXPECT_EQ(PrefijoArticulos(QStringLiteral("select stk_ma_articulos.x, v_ma_articulos.y")), QStringLiteral("v_ma_articulos."));
    EXPECT_EQ(TablaDe(QStringLiteral(" SELECT TOP 10 A FROM VT_CLIENTES WHERE X")), QStringLiteral("VT_CLIENTES"));
    EXPECT_EQ(TablaDe(QStringLiteral("select * from MA_X")), QStringLiteral("MA_X"));
}
