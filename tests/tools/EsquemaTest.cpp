#include "tests/support/BaseDePrueba.h"
#include "tools/esquema/Esquema.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {
using EsquemaTest = BaseDePrueba;
}

TEST_P(EsquemaTest, CrearDosVecesNoCambiaNada)
{
    const Esquema::Cambios primera = Esquema::Actualizar(m_cnn);
    EXPECT_TRUE(primera.contains(QStringLiteral("tabla creada: EM_Tolvario")));
    EXPECT_TRUE(primera.contains(QStringLiteral("vista creada: VT_CLIENTES")));
    EXPECT_TRUE(Esquema::Actualizar(m_cnn).isEmpty());
}

TEST_P(EsquemaTest, UnaTablaViejaRecibeLasColumnasQueLeFaltan)
{
    ejecutar(QStringLiteral("CREATE TABLE ta_usuarios (nombre VARCHAR(50) PRIMARY KEY)"));
    ejecutar(QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('viejo')"));
    const Esquema::Cambios c = Esquema::Actualizar(m_cnn);
    EXPECT_TRUE(c.contains(QStringLiteral("columna agregada: ta_usuarios.Administrador")));
    EXPECT_TRUE(c.contains(QStringLiteral("columna agregada: ta_usuarios.UNegocio")));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM ta_usuarios")), QStringLiteral("1"));
}

TEST_P(EsquemaTest, LaDemoLlenaUnMolinoYNoSeDuplica)
{
    Esquema::Actualizar(m_cnn);
    EXPECT_FALSE(Esquema::LlenarDemo(m_cnn).isEmpty());
    const QString filas = valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario"));
    // Three users for three years, five in the last six months.
    EXPECT_EQ(filas, QString::number(36 * 4 * 31 + 6 * 2 * 31));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(DISTINCT Cuenta) FROM EM_Tolvario WHERE Periodo = '11/2026'")), QStringLiteral("6"));
    EXPECT_TRUE(Esquema::LlenarDemo(m_cnn).isEmpty());
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario")), filas);
    // Every account and period holds days 1 to 31 exactly once.
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM (SELECT Periodo, Cuenta FROM EM_Tolvario GROUP BY Periodo, Cuenta "
                                   "HAVING COUNT(*) <> 31 OR MIN(DIA) <> 1 OR MAX(DIA) <> 31) x")),
              QStringLiteral("0"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM VT_CLIENTES")), QStringLiteral("162"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM VT_PROVEEDORES")), QStringLiteral("2"));
    // The lookups' trees: families nest under their two-digit parents.
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM V_TA_FAMILIAS WHERE IDFAMILIA LIKE '01%'")), QStringLiteral("5"));
    EXPECT_EQ(valor(QStringLiteral("SELECT Stock FROM VT_MA_ARTICULOS WHERE IDARTICULO = 'ENV-O''B'")).toDouble(), 300.0);
    EXPECT_EQ(valor(QStringLiteral("SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'tolvario_medida'")), QStringLiteral("TONELADAS"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM ta_usuarios WHERE Administrador = 1")), QStringLiteral("1"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM ta_usuarios WHERE Administrador = 0")), QStringLiteral("1"));
}

TEST_P(EsquemaTest, LosTextosQueLasConsultasBuscanNoDistinguenMayusculas)
{
    Esquema::Actualizar(m_cnn);
    // By bytes "BOLSA" sorts before "bidon"; without regard to case it comes after.
    int n = 0;
    for (const char* texto : {"BOLSA", "bidon"}) {
        const QString t = QString::fromLatin1(texto);
        const QString k = QString::number(++n);
        ejecutar(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, TIPO, Descripcion, Razon_Social, Numero_documento, CONTACTO, "
                                "Dada_De_Baja) VALUES ('C%1', 'C', '%2', '%2', '%2', '%2', 0)").arg(k, t));
        ejecutar(QStringLiteral("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, UNIDAD, SUSPENDIDO) VALUES ('A%1', '%2', '%2', 0)")
                     .arg(k, t));
        const char* const codigos[][2] = {{"TA_FAMILIAS", "IDFAMILIA"}, {"MA_POSICIONES", "IDPOSICION"}, {"TA_CCOSTO", "CODIGO"}};
        for (const auto& c : codigos)
            ejecutar(QStringLiteral("INSERT INTO %1 (%2, DESCRIPCION) VALUES ('%3', '%4')")
                         .arg(QString::fromLatin1(c[0]), QString::fromLatin1(c[1]), k, t));
    }
    // Read through the views the lookups use, which keep their tables' comparison.
    const char* const columnas[][2] = {
        {"VT_CLIENTES", "Descripcion"}, {"VT_CLIENTES", "Razon_Social"}, {"VT_CLIENTES", "Numero_documento"},
        {"VT_CLIENTES", "CONTACTO"},    {"VT_MA_ARTICULOS", "DESCRIPCION"}, {"V_MA_ARTICULOS", "UNIDAD"},
        {"V_TA_FAMILIAS", "DESCRIPCION"}, {"MA_POSICIONES", "DESCRIPCION"}, {"TA_CCOSTO", "DESCRIPCION"},
    };
    for (const auto& c : columnas) {
        const QString vista = QString::fromLatin1(c[0]);
        const QString columna = QString::fromLatin1(c[1]);
        EXPECT_EQ(valor(QStringLiteral("SELECT TOP 1 %2 FROM %1 ORDER BY %2").arg(vista, columna)), QStringLiteral("bidon"))
            << c[0] << '.' << c[1];
        EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = 'bolsa'").arg(vista, columna)), QStringLiteral("1"))
            << c[0] << '.' << c[1];
    }
}

CON_CADA_MOTOR(EsquemaTest);

// A backup of the mill's database restores whole: pg_dump and pg_restore end with 0, the
// register's indexes are there and used, and the server's own analyze (which runs with
// nothing but pg_catalog on its search path) goes through, before and after.
TEST_P(EsquemaTest, UnaCopiaDeSeguridadSeRestauraEntera)
{
    if (!esPostgres())
        GTEST_SKIP() << "pg_dump and pg_restore are PostgreSQL's";
    Esquema::Actualizar(m_cnn);
    ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                            "VALUES ('10/2026', 'MOLINO', 1, 5, 0, '')"));
    const QString bin = [] {
        const QStringList versiones = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        return versiones.isEmpty() ? QString() : QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(versiones.last());
    }();
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("PGPASSWORD"), m_clave);
    const QStringList servidor{QStringLiteral("-h"), qEnvironmentVariable("TOLVARIO_PG_HOST"), QStringLiteral("-p"),
                               qEnvironmentVariable("TOLVARIO_PG_PORT"), QStringLiteral("-U"), m_usuario};
    const auto correr = [&](const QString& programa, const QStringList& argumentos) {
        QProcess p;
        p.setProcessEnvironment(e);
        p.start(bin + programa, servidor + argumentos);
        p.waitForFinished(120000);
        return std::pair{p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
    };
    const auto analizar = [&](QSqlDatabase bd) {
        QSqlQuery q(bd);
        EXPECT_TRUE(q.exec(QStringLiteral("SET search_path = pg_catalog"))) << q.lastError().text().toStdString();
        EXPECT_TRUE(q.exec(QStringLiteral("ANALYZE public.em_tolvario"))) << q.lastError().text().toStdString();
        EXPECT_TRUE(q.exec(QStringLiteral("SET search_path = \"$user\", public")));
    };
    analizar(m_cnn.bd());

    QTemporaryDir dir;
    const QString copia = dir.filePath(QStringLiteral("molino.dump"));
    const auto [volcado, errorVolcado] = correr(QStringLiteral("pg_dump"), {QStringLiteral("-Fc"), QStringLiteral("-f"), copia, m_base});
    ASSERT_EQ(volcado, 0) << errorVolcado.toStdString();
    const QString restaurada = m_base + QStringLiteral("_r");
    ASSERT_TRUE(AdministrarServidor(QStringLiteral("CREATE DATABASE ") + restaurada));
    const auto [restauracion, errorRestauracion] = correr(QStringLiteral("pg_restore"), {QStringLiteral("-d"), restaurada, copia});
    EXPECT_EQ(restauracion, 0) << errorRestauracion.toStdString();
    {
        QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("restaurada"));
        bd.setHostName(qEnvironmentVariable("TOLVARIO_PG_HOST"));
        bd.setPort(qEnvironmentVariable("TOLVARIO_PG_PORT").toInt());
        bd.setUserName(m_usuario);
        bd.setPassword(m_clave);
        bd.setDatabaseName(restaurada);
        ASSERT_TRUE(bd.open()) << bd.lastError().text().toStdString();
        QSqlQuery q(bd);
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT COUNT(*) FROM pg_indexes WHERE indexname IN ('ix_em_tolvario_aniomes', 'ix_em_tolvario_periodo')")));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toInt(), 2) << "the register's indexes came back";
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT COUNT(*) FROM em_tolvario WHERE ltrim(rtrim(periodo)) = '10/2026'")));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toInt(), 1);
        q.exec(QStringLiteral("SET enable_seqscan = off"));
        ASSERT_TRUE(q.exec(QStringLiteral("EXPLAIN SELECT sum(Entradas) FROM em_tolvario WHERE Cuenta = 'MOLINO' AND "
                                          "(SUBSTR(Periodo,4,4) || SUBSTR(Periodo,1,2)) < '202611'")));
        QString plan;
        while (q.next())
            plan += q.value(0).toString() + u'\n';
        EXPECT_TRUE(plan.contains(QStringLiteral("ix_em_tolvario_aniomes"))) << plan.toStdString();
        analizar(bd);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("restaurada"));
    AdministrarServidor(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(restaurada));
}
