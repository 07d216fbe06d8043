// Database failures reach the clerk with a number that says what happened, and the writes
// whose failure matters learn of it.
#include "data/DB_Dll.h"
#include "data/Transaccion.h"
#include "platform/Pasos.h"
#include "tests/support/BaseDePrueba.h"

#include <QFile>
#include <QSqlQuery>

namespace {

class FallosVisiblesTest : public BaseIniciada
{
protected:
    long numeroDe(const QString& sql)
    {
        try {
            DB_Dll::Instancia().EjecutaSentenciaSQL(sql);
        } catch (const ErrorVB& e) {
            return e.Number;
        }
        return 0;
    }
    QByteArray log() const
    {
        QFile f(carpeta() + QStringLiteral("/VMERR.LOG"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QString fila(const QString& periodo, int dia, const QString& entradas = QStringLiteral("1"))
    {
        return QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas) VALUES ('%1', 'MOLINO', %2, %3, 0)")
            .arg(periodo)
            .arg(dia)
            .arg(entradas);
    }
};

} // namespace

TEST_P(FallosVisiblesTest, CadaMotorDaElNumeroDeLoQuePaso)
{
    ejecutar(fila(QStringLiteral("01/2024"), 1));
    EXPECT_EQ(numeroDe(fila(QStringLiteral("01/2024"), 1)), ErrorVB::ViolacionIntegridad);
    EXPECT_EQ(numeroDe(QStringLiteral("UPDATE NO_EXISTE SET A = 1")), ErrorVB::TablaInexistente);
    EXPECT_EQ(numeroDe(QStringLiteral("UPDATE EM_Tolvario SET NoEsta = 1")), ErrorVB::ErrorEnComando);
    if (!esPostgres())
        return; // SQLite stores any length and any text: neither fails there
    EXPECT_EQ(numeroDe(QStringLiteral("UPDATE EM_Tolvario SET Observaciones = '%1'").arg(QString(300, u'x'))),
              ErrorVB::DatosDesbordados);
    EXPECT_EQ(numeroDe(fila(QStringLiteral("02/2024"), 1, QStringLiteral("'doce'"))), ErrorVB::ConversionInvalida);
}

TEST_P(FallosVisiblesTest, LoQueEjecutaConsultaSQLCallaQuedaEnElLogYLoDemasSeMuestra)
{
    DB_Dll& db = DB_Dll::Instancia();
    long n = 0;
    QString repetida = fila(QStringLiteral("01/2024"), 1);
    ejecutar(repetida);
    EXPECT_FALSE(db.EjecutaConsultaSQL(repetida, n));
    EXPECT_TRUE(m_guion->avisos.empty()) << "the suite's callers rely on an existing row passing";
    EXPECT_TRUE(log().contains("EjecutaConsultaSQL")) << log().toStdString();
    EXPECT_TRUE(log().contains("INSERT INTO EM_Tolvario"));
    if (esPostgres()) {
        QString larga = QStringLiteral("UPDATE EM_Tolvario SET Observaciones = '%1'").arg(QString(300, u'x'));
        EXPECT_FALSE(db.EjecutaConsultaSQL(larga, n));
        ASSERT_EQ(m_guion->avisos.size(), 1u) << "a value too long for its column is shown";
        EXPECT_EQ(m_guion->avisos[0].titulo, QStringLiteral("Aviso al operador!!!"));
    }
}

TEST_P(FallosVisiblesTest, LaListaDeErroresGuardaSoloLaUltimaOperacion)
{
    Conexion& cnn = DB_Dll::Instancia().gCnn;
    numeroDe(QStringLiteral("SELEC 1"));
    numeroDe(QStringLiteral("SELEC 2"));
    EXPECT_EQ(cnn.Errors.size(), 1u);
    cnn.Execute(fila(QStringLiteral("03/2024"), 1));
    EXPECT_TRUE(cnn.Errors.empty());
}

TEST_P(FallosVisiblesTest, ElEjecutorQueLanzaTraduceComoElQueCalla)
{
    DB_Dll& db = DB_Dll::Instancia();
    // The suite's "Delete T where" form and TOP pass the same translations.
    ejecutar(fila(QStringLiteral("04/2024"), 1));
    EXPECT_EQ(db.EjecutaSentenciaSQL(QStringLiteral("Delete EM_Tolvario where Periodo = '04/2024'")), 1);
    EXPECT_THROW(db.EjecutaSentenciaSQL(QStringLiteral("Delete EM_Tolvario where Nada = 1")), ErrorVB);
    EXPECT_TRUE(m_guion->avisos.empty()) << "it raises; it shows nothing itself";
}

// A failed statement inside a transaction: on PostgreSQL every statement after it fails too,
// so a retry must repeat the whole transaction.
TEST_P(FallosVisiblesTest, ReintentarRepiteLaTransaccionEntera)
{
    DB_Dll& db = DB_Dll::Instancia();
    Conexion& cnn = db.gCnn;
    ejecutar(fila(QStringLiteral("05/2024"), 9));
    if (esPostgres()) {
        cnn.BeginTrans();
        EXPECT_THROW(db.EjecutaSentenciaSQL(fila(QStringLiteral("05/2024"), 9)), ErrorVB);
        try {
            db.EjecutaSentenciaSQL(fila(QStringLiteral("05/2024"), 1));
            ADD_FAILURE() << "a statement after a failed one ran inside the same transaction";
        } catch (const ErrorVB& e) {
            EXPECT_EQ(e.SQLState, QStringLiteral("25P02"));
        }
        cnn.RollbackTrans();
    }
    int intentos = 0;
    m_guion->respuestas = {Operador::Reintentar};
    const bool completo = Pasos::Ejecutar({[&] {
        EnTransaccion(cnn, [&] {
            ++intentos;
            db.EjecutaSentenciaSQL(QStringLiteral("Delete EM_Tolvario where Periodo = '05/2024'"));
            db.EjecutaSentenciaSQL(fila(QStringLiteral("05/2024"), 1));
            db.EjecutaSentenciaSQL(fila(QStringLiteral("05/2024"), intentos == 1 ? 1 : 2));
        });
    }}, [&](const ErrorVB& e) { return db.TratamientoErrores(e, std::nullopt, QStringLiteral("prueba")); });
    EXPECT_TRUE(completo);
    EXPECT_EQ(intentos, 2);
    EXPECT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '05/2024'")), QStringLiteral("2"));
    EXPECT_EQ(valor(QStringLiteral("SELECT SUM(DIA) FROM EM_Tolvario WHERE Periodo = '05/2024'")), QStringLiteral("3"));
}

// A lost connection inside a transaction is told (that transaction is gone); outside one the
// connection is opened again and the statement goes through.
TEST_P(FallosVisiblesTest, UnaConexionPerdidaSeInformaEnUnaTransaccionYSeRecuperaFuera)
{
    if (!esPostgres())
        GTEST_SKIP() << "a SQLite file has no server to lose";
    Conexion& cnn = DB_Dll::Instancia().gCnn;
    const auto cortar = [this] {
        QSqlQuery q(m_cnn.bd());
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT pg_terminate_backend(pid, 5000) FROM pg_stat_activity "
                                          "WHERE datname = current_database() AND pid <> pg_backend_pid()")));
    };
    cnn.BeginTrans();
    cortar();
    EXPECT_EQ(numeroDe(fila(QStringLiteral("06/2024"), 1)), ErrorVB::ConexionInutilizable);
    try {
        cnn.RollbackTrans();
    } catch (const ErrorVB&) {
    }
    EXPECT_EQ(numeroDe(fila(QStringLiteral("06/2024"), 1)), 0) << "opened again outside the transaction";
    // Cut outside a transaction: a statement caught in flight is told, never sent twice; the
    // next one finds the connection open again.
    cortar();
    long n = 0;
    QString sql = fila(QStringLiteral("06/2024"), 2);
    if (!DB_Dll::Instancia().EjecutaConsultaSQL(sql, n)) {
        EXPECT_EQ(m_guion->avisos.size(), 1u) << m_guion->todo().toStdString();
        sql = fila(QStringLiteral("06/2024"), 2);
        EXPECT_TRUE(DB_Dll::Instancia().EjecutaConsultaSQL(sql, n)) << m_guion->todo().toStdString();
    }
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '06/2024'")), QStringLiteral("2"));
}

TEST_P(FallosVisiblesTest, UnArchivoBloqueadoEsperaPocoYSeInforma)
{
    if (esPostgres())
        GTEST_SKIP() << "file locks are SQLite's";
    Conexion& cnn = DB_Dll::Instancia().gCnn;
    // The suite's six-minute command time-out must not become six minutes of frozen window.
    cnn.EstablecerCommandTimeout(360);
    QSqlQuery espera(cnn.bd());
    ASSERT_TRUE(espera.exec(QStringLiteral("PRAGMA busy_timeout")) && espera.next());
    EXPECT_LE(espera.value(0).toInt(), Conexion::EsperaBloqueoMs);
    espera.finish();

    cnn.EstablecerCommandTimeout(0);
    ejecutar(QStringLiteral("BEGIN IMMEDIATE"));
    EXPECT_EQ(numeroDe(fila(QStringLiteral("07/2024"), 1)), ErrorVB::TiempoAgotado);
    ejecutar(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(numeroDe(fila(QStringLiteral("07/2024"), 1)), 0) << "once free, the retry goes through";
}

CON_CADA_MOTOR(FallosVisiblesTest);
