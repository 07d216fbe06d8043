#include "data/DB_Dll.h"
#include "suite/SuiteUtil.h"
#include "tests/support/BaseDePrueba.h"

namespace {

class RecordsetTest : public BaseIniciada
{
protected:
    Recordset abrir(const QString& sql, int cursor = 2, int bloqueo = 3)
    {
        Recordset rs;
        QString s = sql;
        DB_Dll::Instancia().AbrirRecordset(s, rs, nullptr, cursor, bloqueo);
        return rs;
    }

    static Importe importe(const char* t)
    {
        Importe i;
        EXPECT_TRUE(Importe::leer(QString::fromLatin1(t), i));
        return i;
    }
};

} // namespace

TEST_P(RecordsetTest, AgregarFilasComoLasGrabaElRegistro)
{
    Recordset rs = abrir(QStringLiteral("Select  * from EM_Tolvario where Periodo = '01/2024' and Cuenta = 'MOLINO'"));
    ASSERT_EQ(rs.State(), 1);
    EXPECT_TRUE(rs.BOF());
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(rs.RecordCount(), 0);
    for (int dia = 1; dia <= 3; ++dia) {
        rs.AddNew();
        rs.SetField(QStringLiteral("Periodo"), QStringLiteral("01/2024"));
        rs.SetField(QStringLiteral("cuenta"), QStringLiteral("MOLINO"));
        rs.SetField(QStringLiteral("DIA"), DB_Dll::SQLValue(QString::number(dia), QStringLiteral("@")));
        rs.SetField(QStringLiteral("Entradas"), DB_Dll::SQLValue(QStringLiteral("1234,5678"), QStringLiteral("@")));
        rs.SetField(QStringLiteral("Salidas"), DB_Dll::SQLValue(QString(), QStringLiteral("@")));
        rs.SetField(QStringLiteral("Observaciones"), dia == 2 ? QStringLiteral("Remito de O'Brien") : QString());
        rs.Update();
    }
    Recordset leido = abrir(QStringLiteral("SELECT * FROM EM_Tolvario ORDER BY DIA"), 0, 1);
    ASSERT_EQ(leido.RecordCount(), 3);
    leido.MoveFirst();
    leido.MoveNext();
    EXPECT_EQ(leido.Field(QStringLiteral("dia")).toInt(), 2);
    // Amounts arrive as exact text, never through a double.
    EXPECT_EQ(SuiteUtil::TextToAmount(leido.Field(QStringLiteral("ENTRADAS")).toString()), importe("1234.5678"));
    EXPECT_EQ(SuiteUtil::TextToAmount(leido.Field(QStringLiteral("Salidas")).toString()), Importe());
    EXPECT_EQ(leido.Field(QStringLiteral("Observaciones")).toString(), QStringLiteral("Remito de O'Brien"));
    leido.MoveLast();
    leido.MoveNext();
    EXPECT_TRUE(leido.Eof());
    EXPECT_THROW(leido.MoveNext(), ErrorVB);
}

TEST_P(RecordsetTest, CambiarUnaFilaExistentePorSuClave)
{
    ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas) VALUES ('02/2024', 'C001', 1, 1, 2)"));
    ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas) VALUES ('02/2024', 'C001', 2, 3, 4)"));
    Recordset rs = abrir(QStringLiteral("SELECT * FROM EM_Tolvario WHERE DIA = 2"));
    ASSERT_EQ(rs.RecordCount(), 1);
    rs.SetField(QStringLiteral("Salidas"), QStringLiteral("0.25"));
    rs.Update();
    EXPECT_EQ(SuiteUtil::TextToAmount(valor(QStringLiteral("SELECT Salidas FROM EM_Tolvario WHERE DIA = 2"))), importe("0.25"));
    EXPECT_EQ(SuiteUtil::TextToAmount(valor(QStringLiteral("SELECT Salidas FROM EM_Tolvario WHERE DIA = 1"))), importe("2"));
}

TEST_P(RecordsetTest, SoloLecturaNoSeModificaYUnCampoQueFaltaEsError)
{
    ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas) VALUES ('02/2024', 'C001', 1, 1, 2)"));
    Recordset rs = abrir(QStringLiteral("SELECT * FROM EM_Tolvario"), 0, 1);
    EXPECT_THROW(rs.AddNew(), ErrorVB);
    EXPECT_THROW((void)rs.Field(QStringLiteral("NoEsta")), ErrorVB);
    EXPECT_TRUE(rs.Field(QStringLiteral("Observaciones")).isNull());
}

TEST_P(RecordsetTest, UnaConsultaFallidaSeTrataYSeAnota)
{
    m_guion->respuestas = {Operador::Ignorar};
    Recordset rs = abrir(QStringLiteral("SELECT * FROM NO_EXISTE"));
    EXPECT_EQ(rs.State(), 0);
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_TRUE(m_guion->avisos[0].titulo.contains(QStringLiteral("AbrirRecordset")));
    QFile log(carpeta() + QStringLiteral("/VMERR.LOG"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("Rutina: - AbrirRecordset"));
}

TEST_P(RecordsetTest, UnaFilaBorradaDesdeOtraEstacionNoSeActualizaCallada)
{
    ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas) VALUES ('02/2024', 'C001', 1, 1, 2)"));
    Recordset rs = abrir(QStringLiteral("SELECT * FROM EM_Tolvario WHERE DIA = 1"));
    ASSERT_EQ(rs.RecordCount(), 1);
    ejecutar(QStringLiteral("DELETE FROM EM_Tolvario"));
    rs.SetField(QStringLiteral("Salidas"), QStringLiteral("7"));
    try {
        rs.Update();
        ADD_FAILURE() << "the update of a row that is gone passed";
    } catch (const ErrorVB& e) {
        EXPECT_EQ(e.Number, ErrorVB::FilaNoEncontrada);
    }
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario")), QStringLiteral("0"));
}

// An amount travels as an amount: into a statement's text, into a bound value, and back.
TEST_P(RecordsetTest, UnImporteViajaExactoEnAmbasDirecciones)
{
    const Importe grande = importe("922337203685.4775");
    const Importe chico = importe("-0.0001");
    EXPECT_EQ(DB_Dll::SQLValue(QVariant::fromValue(grande), QStringLiteral("@")), QStringLiteral("922337203685.4775"));
    EXPECT_EQ(SuiteUtil::NullSafe(QVariant::fromValue(chico)), QStringLiteral("-0.0001"));
    Recordset rs = abrir(QStringLiteral("SELECT * FROM EM_Tolvario WHERE Periodo = '03/2024'"));
    rs.AddNew();
    rs.SetField(QStringLiteral("Periodo"), QStringLiteral("03/2024"));
    rs.SetField(QStringLiteral("Cuenta"), QStringLiteral("MOLINO"));
    rs.SetField(QStringLiteral("DIA"), 1);
    rs.SetField(QStringLiteral("Entradas"), QVariant::fromValue(importe("1234567.8901")));
    rs.SetField(QStringLiteral("Salidas"), QVariant::fromValue(chico));
    rs.Update();
    Recordset leido = abrir(QStringLiteral("SELECT Entradas, Salidas, DIA FROM EM_Tolvario"), 0, 1);
    EXPECT_EQ(SuiteUtil::VariantToAmount(leido.Field(QStringLiteral("Entradas"))), importe("1234567.8901"));
    EXPECT_EQ(SuiteUtil::VariantToAmount(leido.Field(QStringLiteral("Salidas"))), chico);
    EXPECT_EQ(SuiteUtil::VariantToAmount(leido.Field(QStringLiteral("DIA"))), importe("1"));
    EXPECT_EQ(SuiteUtil::VariantToAmount(QVariant()), Importe());
}

CON_CADA_MOTOR(RecordsetTest);
