// tolvario-libro as a script or the suite's menu runs it: paths out, Spanish failures, exit codes.
#include "startup/Configuracion.h"
#include "tests/support/BaseDePrueba.h"
#include "tests/support/LectorXlsx.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <map>
#include <QRegularExpression>

namespace {

class LibroCliTest : public BaseDePrueba
{
protected:
    struct Salida {
        int codigo;
        QString texto;
        QString errores;
    };
    Salida correr(const QStringList& argumentos)
    {
        QProcess p;
        p.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/tolvario-libro"));
        p.setArguments(argumentos);
        p.start();
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
};

} // namespace

// The year, account by month: the CSV carries the stored amounts unrounded whatever the
// locale (the same text under es_AR.UTF-8), a month without rows carries the stock on, and
// the workbook has numeric cells rounded as the register shows them.
TEST_P(LibroCliTest, ElAnioSumaLoGuardadoCuentaPorCuenta)
{
    crearEsquema();
    const auto fila = [this](const char* periodo, const char* cuenta, int dia, const char* entradas, const char* salidas) {
        ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) VALUES ('%1', '%2', %3, %4, %5, '')")
                     .arg(QLatin1String(periodo), QLatin1String(cuenta))
                     .arg(dia)
                     .arg(QLatin1String(entradas), QLatin1String(salidas)));
    };
    fila("12/2004", "MOLINO", 1, "100", "0");   // before the year: its opening
    fila("01/2005", "MOLINO", 1, "10.1234", "0");
    fila("01/2005", "MOLINO", 2, "0", "5.5");
    fila("02/2005", "MOLINO", 1, "1", "2");
    fila("04/2005", "MOLINO", 9, "0", "200");   // March has no rows; April goes below zero
    fila("01/2005", "C002", 3, "7", "0");
    fila("06/2005", "C001", 1, "2.0001", "0");
    fila("01/2006", "MOLINO", 1, "999", "0");   // after the year: nothing of it
    const Salida csv = correr({QStringLiteral("--anio"), QStringLiteral("2005"), QStringLiteral("--csv"), comando()});
    ASSERT_EQ(csv.codigo, 0) << csv.errores.toStdString();
    EXPECT_EQ(csv.texto, QStringLiteral("Cuenta;Periodo;SaldoAnterior;Entradas;Salidas;Saldo\n"
                                        "MOLINO;01/2005;100.0000;10.1234;5.5000;104.6234\n"
                                        "MOLINO;02/2005;104.6234;1.0000;2.0000;103.6234\n"
                                        "MOLINO;04/2005;103.6234;0.0000;200.0000;-96.3766\n"
                                        "C001;06/2005;0.0000;2.0001;0.0000;2.0001\n"
                                        "C002;01/2005;0.0000;7.0000;0.0000;7.0000\n"));

    const Salida libro = correr({QStringLiteral("--anio"), QStringLiteral("2005"), QStringLiteral("--salida"), carpeta(), QStringLiteral("--pdf"), comando()});
    ASSERT_EQ(libro.codigo, 0) << libro.errores.toStdString();
    EXPECT_EQ(libro.texto, carpeta() + QStringLiteral("/2005.xlsx\n") + carpeta() + QStringLiteral("/2005.pdf\n"));
    LectorXlsx x;
    ASSERT_TRUE(x.Leer(carpeta() + QStringLiteral("/2005.xlsx")));
    EXPECT_EQ(x.Texto(3, 3), QStringLiteral("SaldoAnterior"));
    EXPECT_EQ(x.Texto(4, 1), QStringLiteral("MOLINO"));
    EXPECT_EQ(x.Texto(4, 2), QStringLiteral("01/2005"));
    for (int c = 3; c <= 6; ++c)
        EXPECT_TRUE(x.En(4, c).numero) << c;
    EXPECT_EQ(x.En(4, 6).valor, 105.0) << "whole numbers, as the register shows them with no decimals set";
    EXPECT_EQ(x.En(6, 6).valor, -96.0);
    EXPECT_EQ(x.Texto(8, 1), QStringLiteral("C002"));
    // The PDF is the view, months across on one landscape page for these accounts, and the
    // chart on a page of its own.
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {carpeta() + QStringLiteral("/2005.pdf")});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString datos = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(datos.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << datos.toStdString();
    EXPECT_TRUE(datos.contains(QRegularExpression(QStringLiteral("Page size:\\s+842 x 595")))) << "landscape: " << datos.toStdString();

    EXPECT_EQ(correr({QStringLiteral("--anio"), QStringLiteral("05"), QStringLiteral("--csv"), comando()}).codigo, 2);
    EXPECT_EQ(correr({QStringLiteral("--anio"), QStringLiteral("2005"), comando()}).codigo, 2) << "--csv or --salida";
}

// The demo mill's year, against sums made here from its raw rows, line by line.
TEST_P(LibroCliTest, ElAnioDeLaDemostracionSumaSusFilas)
{
    QProcess demo;
    demo.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tolvario-esquema"), {QStringLiteral("--demo"), comando()});
    ASSERT_TRUE(demo.waitForFinished(120000));
    ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
    // Every row, summed here: per account the stock before 2025, then each month of 2025.
    std::map<QString, Importe> antes;
    std::map<std::pair<QString, int>, std::pair<Importe, Importe>> meses;
    QSqlQuery q(m_cnn.bd());
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT Cuenta, Periodo, Entradas, Salidas FROM EM_Tolvario")));
    const auto importe = [](const QVariant& v) {
        Importe i;
        Importe::leer(v.toString(), i);
        return i;
    };
    while (q.next()) {
        const QString cuenta = q.value(0).toString().trimmed().toUpper(), periodo = q.value(1).toString().trimmed();
        const int anio = periodo.mid(3).toInt(), mes = periodo.left(2).toInt();
        if (anio < 2025)
            antes[cuenta] += importe(q.value(2)) - importe(q.value(3));
        else if (anio == 2025) {
            meses[{cuenta, mes}].first += importe(q.value(2));
            meses[{cuenta, mes}].second += importe(q.value(3));
        }
    }
    ASSERT_FALSE(meses.empty());
    QStringList cuentas;
    for (const auto& [clave, valores] : meses)
        if (!cuentas.contains(clave.first))
            cuentas << clave.first;
    std::sort(cuentas.begin(), cuentas.end(), [](const QString& a, const QString& b) {
        return (a == QLatin1String("MOLINO")) != (b == QLatin1String("MOLINO")) ? a == QLatin1String("MOLINO") : a < b;
    });
    QString esperado = QStringLiteral("Cuenta;Periodo;SaldoAnterior;Entradas;Salidas;Saldo\n");
    for (const QString& c : std::as_const(cuentas)) {
        Importe saldo = antes[c];
        for (int mes = 1; mes <= 12; ++mes) {
            const auto it = meses.find({c, mes});
            if (it == meses.end())
                continue;
            const Importe inicial = saldo;
            saldo = saldo + it->second.first - it->second.second;
            esperado += QStringLiteral("%1;%2/2025;%3;%4;%5;%6\n")
                            .arg(c)
                            .arg(mes, 2, 10, QLatin1Char('0'))
                            .arg(inicial.texto(4, u'.'), it->second.first.texto(4, u'.'), it->second.second.texto(4, u'.'), saldo.texto(4, u'.'));
        }
    }
    const Salida csv = correr({QStringLiteral("--anio"), QStringLiteral("2025"), QStringLiteral("--csv"), comando()});
    ASSERT_EQ(csv.codigo, 0) << csv.errores.toStdString();
    EXPECT_EQ(csv.texto, esperado);
}

TEST_P(LibroCliTest, EscribeElLibroConLosAjustesGuardadosYFallaConCodigo)
{
    crearEsquema();
    ejecutar(QStringLiteral("INSERT INTO ta_configuracion (CLAVE, VALOR, Grupo, PoliticaNegocio) VALUES ('TOLVARIO_DECIMALES', '3', 'DATOS', 0)"));
    ejecutar(QStringLiteral("INSERT INTO ta_configuracion (CLAVE, VALOR, Grupo, PoliticaNegocio) VALUES ('TOLVARIO_HOJA_200503', '7', 'DATOS', 0)"));
    for (int dia = 1; dia <= 31; ++dia)
        ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                                "VALUES ('03/2005', 'MOLINO', %1, 1.5, 0, '')").arg(dia));
    const Salida bien = correr({QStringLiteral("--periodo"), QStringLiteral("03/2005"), QStringLiteral("--salida"), carpeta(),
                                QStringLiteral("--pdf"), comando()});
    ASSERT_EQ(bien.codigo, 0) << bien.errores.toStdString();
    const QString xlsx = carpeta() + QStringLiteral("/032005.xlsx");
    EXPECT_EQ(bien.texto, xlsx + u'\n' + carpeta() + QStringLiteral("/032005.pdf\n"));
    LectorXlsx x;
    ASSERT_TRUE(x.Leer(xlsx));
    EXPECT_EQ(x.Texto(8, 1), QStringLiteral("Hoja Nro: 7"));
    EXPECT_EQ(x.Texto(12, 2), QStringLiteral("1.500"));
    EXPECT_EQ(x.Texto(43, 2), QStringLiteral("46.500"));
    EXPECT_TRUE(bien.errores.contains(QStringLiteral("Hoja Nro: 7 (la guardada para 03/2005)"))) << bien.errores.toStdString();

    // A period with no sheet number stored carries the next one, as the window would show it,
    // and nothing is written into the settings.
    const Salida siguiente = correr({QStringLiteral("--periodo"), QStringLiteral("04/2005"), QStringLiteral("--salida"), carpeta(), comando()});
    ASSERT_EQ(siguiente.codigo, 0) << siguiente.errores.toStdString();
    ASSERT_TRUE(x.Leer(carpeta() + QStringLiteral("/042005.xlsx")));
    EXPECT_EQ(x.Texto(8, 1), QStringLiteral("Hoja Nro: 8"));
    EXPECT_TRUE(siguiente.errores.contains(QStringLiteral("no se grabó"))) << siguiente.errores.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM ta_configuracion WHERE CLAVE LIKE 'TOLVARIO_HOJA_%'")), QStringLiteral("1"));

    // The history of a period, as an auditor reads it.
    ejecutar(QStringLiteral("INSERT INTO EM_TolvarioHistoria (Momento, Periodo, Cuenta, Usuario, Caja, Accion, EntradasAntes, "
                            "SalidasAntes, EntradasDespues, SalidasDespues) VALUES ('2026-12-09 10:00:00.000', '03/2005', 'MOLINO', "
                            "'ana', '2', 'GRABAR', 46.5, 0, 50, 0)"));
    const Salida historial = correr({QStringLiteral("--historial"), QStringLiteral("03/2005"), comando()});
    ASSERT_EQ(historial.codigo, 0) << historial.errores.toStdString();
    EXPECT_EQ(historial.texto.trimmed(),
              QStringLiteral("2026-12-09 10:00:00.000  GRABAR  MOLINO  ana  caja 2  entradas 46.5 -> 50  salidas 0 -> 0"));
    EXPECT_TRUE(correr({QStringLiteral("--historial"), QStringLiteral("04/2005"), comando()}).texto.contains(QStringLiteral("Sin cambios")));

    const Salida malPeriodo = correr({QStringLiteral("--periodo"), QStringLiteral("13/2005"), comando()});
    EXPECT_EQ(malPeriodo.codigo, 2) << "a wrong use, like a missing period";
    EXPECT_TRUE(malPeriodo.errores.contains(QStringLiteral("no es válido"))) << malPeriodo.errores.toStdString();
    const Salida sinBase = correr({QStringLiteral("--periodo"), QStringLiteral("03/2005"),
                                   QStringLiteral("@Server=sqlite:;@DbName=%1/no-existe.db;@Usuario=a;").arg(carpeta())});
    EXPECT_NE(sinBase.codigo, 0);
    // Why, in one Spanish line; nothing asked of a person who is not there.
    const Salida sinAcceso = correr({QStringLiteral("--periodo"), QStringLiteral("03/2005"), comandoConClave(QStringLiteral("no-es-la-clave"))});
    if (esPostgres()) {
        EXPECT_NE(sinAcceso.codigo, 0);
        const QStringList lineas = sinAcceso.errores.split(u'\n').filter(QStringLiteral("No se pudo conectar"));
        ASSERT_EQ(lineas.size(), 1) << sinAcceso.errores.toStdString();
        EXPECT_TRUE(lineas[0].startsWith(QStringLiteral("No se pudo conectar con la base de datos: El servidor de la base de datos rechazó")))
            << sinAcceso.errores.toStdString();
    }
    EXPECT_FALSE(sinAcceso.errores.contains(QStringLiteral("Desea Intentarlo"))) << sinAcceso.errores.toStdString();
    EXPECT_EQ(correr({}).codigo, 2);
}

CON_CADA_MOTOR(LibroCliTest);
