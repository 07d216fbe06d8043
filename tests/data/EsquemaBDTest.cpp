#include "data/DB_Dll.h"
#include "tests/support/BaseDePrueba.h"

namespace {
using EsquemaBDTest = BaseIniciada;
}

TEST_P(EsquemaBDTest, CamposSinMayusculasNiBlancos)
{
    DB_Dll& db = DB_Dll::Instancia();
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("EM_Tolvario"), QStringLiteral("dia")));
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("em_tolvario"), QStringLiteral(" Observaciones ")));
    EXPECT_FALSE(db.ExisteCampoDB(QStringLiteral("EM_Tolvario"), QStringLiteral("Saldo")));
    EXPECT_FALSE(db.ExisteCampoDB(QStringLiteral("NO_EXISTE"), QStringLiteral("dia")));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(EsquemaBDTest, AgregarUnCampoConSuValorPorDefecto)
{
    DB_Dll& db = DB_Dll::Instancia();
    ejecutar(QStringLiteral("CREATE TABLE MA_X (ID INTEGER)"));
    ejecutar(QStringLiteral("INSERT INTO MA_X (ID) VALUES (1)"));
    db.AddField(QStringLiteral("MA_X"), QStringLiteral("OBS"), QStringLiteral("varchar(50)"), true, QStringLiteral("''"));
    EXPECT_EQ(db.gCnn.UltimaSentencia(), QStringLiteral("ALTER TABLE dbo.MA_X ADD OBS varchar(50) Null  CONSTRAINT DF_MA_X_OBS DEFAULT ('')"));
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("MA_X"), QStringLiteral("OBS")));
    EXPECT_EQ(valor(QStringLiteral("SELECT OBS FROM MA_X")), QString());
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(EsquemaBDTest, VerCampoAgregaSoloCuandoSePideYLaTablaExiste)
{
    DB_Dll& db = DB_Dll::Instancia();
    EXPECT_TRUE(db.VerCampoDB(QStringLiteral("NO_EXISTE"), QStringLiteral("A"), true, QStringLiteral("INTEGER"), true));
    EXPECT_TRUE(db.VerCampoDB(QStringLiteral("EM_Tolvario"), QStringLiteral("Lote"), false, QStringLiteral("INTEGER"), true));
    EXPECT_FALSE(db.ExisteCampoDB(QStringLiteral("EM_Tolvario"), QStringLiteral("Lote")));
    EXPECT_TRUE(db.VerCampoDB(QStringLiteral("EM_Tolvario"), QStringLiteral("Lote"), true, QStringLiteral("INTEGER"), true));
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("EM_Tolvario"), QStringLiteral("Lote")));
    // The provider's name is not what decides the backend: the connection is.
    db.gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
    EXPECT_FALSE(db.ExisteCampoDB(QStringLiteral("EM_Tolvario"), QStringLiteral("Otro")));
}

CON_CADA_MOTOR(EsquemaBDTest);
