#include "data/DB_Dll.h"
#include "tests/support/BaseDePrueba.h"

namespace {

class BusquedasTest : public BaseIniciada
{
protected:
    void poblar() override
    {
        ejecutar(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, Descripcion, TIPO, Razon_Social, Numero_documento, Dada_De_Baja) "
                                "VALUES (' C001 ', 'La Espiga', 'C', 'Panificadora La Espiga', '30-1', 0)"));
        ejecutar(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, Descripcion, TIPO, Razon_Social, Numero_documento, Dada_De_Baja) "
                                "VALUES ('C002', 'O''Higgins', 'C', NULL, '30-2', 0)"));
        ejecutar(QStringLiteral("INSERT INTO ta_usuarios (nombre, Administrador, UNegocio) VALUES ('%1', 1, '2')").arg(m_usuario));
    }

    QString ultima() const { return DB_Dll::Instancia().gCnn.UltimaSentencia(); }
};

} // namespace

TEST_P(BusquedasTest, ExisteEnTablaTextoIgnoraBlancosYMayusculas)
{
    DB_Dll& db = DB_Dll::Instancia();
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("Vt_Clientes"), QStringLiteral(" c001"), QStringLiteral("CODIGO"), nullptr, 8));
    EXPECT_EQ(ultima(), QStringLiteral("SELECT TOP 1  * FROM Vt_Clientes WHERE LTRIM(RTRIM(CODIGO)) ='c001'"));
    EXPECT_FALSE(db.ExisteEnTabla(QStringLiteral("Vt_Clientes"), QStringLiteral("C009"), QStringLiteral("CODIGO"), nullptr, 8));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(BusquedasTest, ExisteEnTablaDejaElRecordsetEnLaFilaHallada)
{
    DB_Dll& db = DB_Dll::Instancia();
    Recordset rs;
    ASSERT_TRUE(db.ExisteEnTabla(QStringLiteral("Vt_Clientes"), QStringLiteral("C002"), QStringLiteral("CODIGO"), &rs, 8));
    EXPECT_EQ(rs.Field(QStringLiteral("numero_documento")).toString(), QStringLiteral("30-2"));
    EXPECT_TRUE(rs.Field(QStringLiteral("Razon_Social")).isNull());
}

TEST_P(BusquedasTest, CondicionConOSinWhere)
{
    DB_Dll& db = DB_Dll::Instancia();
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), {}, {}, nullptr, 0, QStringLiteral("TIPO = 'C'")));
    EXPECT_EQ(ultima(), QStringLiteral("SELECT TOP 1 * FROM MA_CUENTAS WHERE TIPO = 'C'"));
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), {}, {}, nullptr, 0, QStringLiteral("M where M.TIPO = 'C'")));
    EXPECT_EQ(ultima(), QStringLiteral("SELECT TOP 1 * FROM MA_CUENTAS M where M.TIPO = 'C'"));
}

TEST_P(BusquedasTest, LasComillasDelValorSeDoblan)
{
    DB_Dll& db = DB_Dll::Instancia();
    EXPECT_FALSE(db.ExisteEnTabla(QStringLiteral("Vt_Clientes"), QStringLiteral("x' OR '1'='1"), QStringLiteral("CODIGO"), nullptr, 8));
    EXPECT_EQ(ultima(), QStringLiteral("SELECT TOP 1  * FROM Vt_Clientes WHERE LTRIM(RTRIM(CODIGO)) ='x'' OR ''1''=''1'"));
    EXPECT_EQ(db.DatosTabla(QStringLiteral("Vt_Clientes"), QStringLiteral("O'Higgins"), QStringLiteral("CODIGO"),
                            QStringLiteral("Descripcion"), 8, QString(), false),
              QStringLiteral("C002"));
    EXPECT_EQ(ultima(), QStringLiteral("SELECT TOP 1 * FROM Vt_Clientes WHERE Descripcion ='O''Higgins' "));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(BusquedasTest, DatosTablaDevuelveTextoOVacio)
{
    DB_Dll& db = DB_Dll::Instancia();
    EXPECT_EQ(db.DatosTabla(QStringLiteral("ta_usuarios"), m_usuario.toUpper(), QStringLiteral("UNegocio"), QStringLiteral("nombre"),
                            8, QString(), true),
              QStringLiteral("2"));
    EXPECT_EQ(ultima(), QStringLiteral("SELECT TOP 1 * FROM ta_usuarios WHERE LTRIM(RTRIM(nombre)) ='%1' ").arg(m_usuario.toUpper()));
    EXPECT_EQ(db.DatosTabla(QStringLiteral("Vt_Clientes"), QStringLiteral("C002"), QStringLiteral("Razon_Social"),
                            QStringLiteral("CODIGO"), 8, QString(), true),
              QString()) << "Null reads as empty";
    EXPECT_EQ(db.DatosTabla(QStringLiteral("Vt_Clientes"), QStringLiteral("C404"), QStringLiteral("Razon_Social"),
                            QStringLiteral("CODIGO"), 8, QStringLiteral("TIPO = 'C'"), true),
              QString());
    EXPECT_EQ(ultima(), QStringLiteral("SELECT TOP 1 * FROM Vt_Clientes WHERE LTRIM(RTRIM(CODIGO)) ='C404'  AND TIPO = 'C'"));
}

TEST_P(BusquedasTest, UnaTablaQueFaltaSeAvisaYSigue)
{
    DB_Dll& db = DB_Dll::Instancia();
    m_guion->respuestas = {Operador::Ignorar};
    EXPECT_FALSE(db.ExisteEnTabla(QStringLiteral("NO_EXISTE"), QStringLiteral("1"), QStringLiteral("ID"), nullptr, 3));
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_EQ(m_guion->avisos[0].titulo, QStringLiteral("Aviso al Operador"));
    EXPECT_EQ(m_guion->avisos[0].estilo, 18);
}

TEST_P(BusquedasTest, MaximoYMinimoSonExactos)
{
    DB_Dll& db = DB_Dll::Instancia();
    ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas) VALUES ('01/2024', 'MOLINO', 1, 12.3456, 0)"));
    ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas) VALUES ('01/2024', 'MOLINO', 2, 0.0001, 0)"));
    Importe max, min;
    ASSERT_TRUE(Importe::leer(QStringLiteral("12.3456"), max));
    ASSERT_TRUE(Importe::leer(QStringLiteral("0.0001"), min));
    EXPECT_EQ(db.BuscaMaximo(QStringLiteral("EM_Tolvario"), QStringLiteral("Entradas")), max);
    EXPECT_EQ(db.BuscaMinimo(QStringLiteral("EM_Tolvario"), QStringLiteral("Entradas"), {}, QStringLiteral("DIA = 2")), min);
    EXPECT_EQ(db.BuscaUltimoCodigo(QStringLiteral("EM_Tolvario"), QStringLiteral("DIA"), {}, QStringLiteral("  ")),
              Importe::desdeEntero(2));
}

CON_CADA_MOTOR(BusquedasTest);

TEST(SQLValue, NumerosConPuntoTextosEntreComillasYNulos)
{
    EXPECT_EQ(DB_Dll::SQLValue(QStringLiteral("1234,5"), QStringLiteral("@")), QStringLiteral("1234.5"));
    EXPECT_EQ(DB_Dll::SQLValue(QStringLiteral("1234.5"), QStringLiteral("@")), QStringLiteral("1234.5"));
    EXPECT_EQ(DB_Dll::SQLValue(QVariant(), QStringLiteral("@")), QStringLiteral("0"));
    EXPECT_EQ(DB_Dll::SQLValue(QVariant(), QStringLiteral("'")), QStringLiteral("NULL"));
    EXPECT_EQ(DB_Dll::SQLValue(QVariant(), QString()), QStringLiteral("NULL"));
    EXPECT_EQ(DB_Dll::SQLValue(QStringLiteral("texto"), QStringLiteral("'")), QStringLiteral("'texto'"));
    EXPECT_EQ(DB_Dll::SQLValue(QStringLiteral("D'Amico"), QStringLiteral("'")), QStringLiteral("'D''Amico'"));
    EXPECT_EQ(DB_Dll::SQLValue(QStringLiteral("7"), QString()), QStringLiteral("7"));
}
