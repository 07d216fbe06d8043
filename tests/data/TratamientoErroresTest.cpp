#include "data/DB_Dll.h"
#include "platform/Carpetas.h"
#include "tests/support/BaseDePrueba.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

class TratamientoErroresTest : public ProcesoLimpio
{
protected:
    QString log() const
    {
        QFile f(carpeta() + QStringLiteral("/VMERR.LOG"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

} // namespace

TEST_F(TratamientoErroresTest, MuestraElErrorYAnotaUnaLineaConLaRespuesta)
{
    DB_Dll& db = DB_Dll::Instancia();
    m_guion->respuestas = {Operador::Reintentar, Operador::Ignorar};
    const ErrorVB e(ErrorVB::TablaInexistente, QStringLiteral(" no such table: X "), QStringLiteral("SQLite"));
    EXPECT_EQ(db.TratamientoErrores(e, std::nullopt, QStringLiteral("AbrirRecordset")), Operador::Reintentar);
    EXPECT_EQ(db.TratamientoErrores(e, std::nullopt, QString()), Operador::Ignorar);
    ASSERT_EQ(m_guion->avisos.size(), 2u);
    EXPECT_EQ(m_guion->avisos[0].texto, QStringLiteral("Ha ocurrido el Siguiente Error (-2147217865) no such table: X"));
    EXPECT_EQ(m_guion->avisos[0].titulo, QStringLiteral("SQLite - AbrirRecordset Aviso al operador!!! "));
    EXPECT_EQ(m_guion->avisos[0].estilo, 18);
    EXPECT_EQ(m_guion->avisos[1].titulo, QStringLiteral("SQLite Aviso al operador!!! "));

    const QStringList lineas = log().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 2);
    static const QRegularExpression forma(
        QStringLiteral("^\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d Rutina: - AbrirRecordset Mensaje Ha ocurrido el Siguiente "
                       "Error \\(-2147217865\\) no such table: X Respondió : Reintentar$"));
    EXPECT_TRUE(forma.match(lineas[0]).hasMatch()) << lineas[0].toStdString();
    EXPECT_TRUE(lineas[1].endsWith(QStringLiteral("Respondió : Ignorar")));
    EXPECT_TRUE(lineas[1].contains(QStringLiteral(" Rutina:  Mensaje "))) << lineas[1].toStdString();
}

TEST_F(TratamientoErroresTest, ElNumeroCeroNoHaceNada)
{
    EXPECT_EQ(DB_Dll::Instancia().TratamientoErrores(ErrorVB(0, QString()), std::nullopt, QStringLiteral("X")), 0);
    EXPECT_TRUE(m_guion->avisos.empty());
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(TratamientoErroresTest, LaContrasenaNoLlegaNiALaPantallaNiAlArchivo)
{
    DB_Dll& db = DB_Dll::Instancia();
    db.gUserPassWord = QStringLiteral("Secreto#77");
    db.TratamientoErrores(ErrorVB(-1, QStringLiteral("login failed: password=Secreto#77")), std::nullopt, QStringLiteral("R"));
    EXPECT_FALSE(m_guion->todo().contains(QStringLiteral("Secreto#77")));
    EXPECT_FALSE(log().contains(QStringLiteral("Secreto#77")));
    EXPECT_TRUE(log().contains(QStringLiteral("password=****")));
}

TEST_F(TratamientoErroresTest, UnaCarpetaSinPermisoPierdeSoloLaLinea)
{
    DB_Dll& db = DB_Dll::Instancia();
    db.setArchivoErrores(carpeta() + QStringLiteral("/no/existe/VMERR.LOG"));
    m_guion->respuestas = {Operador::Abortar};
    EXPECT_EQ(db.TratamientoErrores(ErrorVB(13, QStringLiteral("tipos")), std::nullopt, QStringLiteral("R")), Operador::Abortar);
    EXPECT_EQ(m_guion->avisos.size(), 1u);
}

// A driver's message of several lines (a server going down says two or three) is one line
// of the log, ended as every other, so the log reads line by line anywhere.
TEST_F(TratamientoErroresTest, UnMensajeDeVariasLineasQuedaEnUnaSolaLinea)
{
    DB_Dll& db = DB_Dll::Instancia();
    m_guion->respuestas = {Operador::Abortar};
    const ErrorVB e(ErrorVB::ConexionInutilizable,
                    QStringLiteral("FATAL:  terminating connection due to administrator command\nserver closed the connection "
                                   "unexpectedly\r\n\tThis probably means the server terminated abnormally\n"),
                    QStringLiteral("PostgreSQL"));
    db.TratamientoErrores(e, std::nullopt, QStringLiteral("ACTUALIZAR DATOS"));
    const QString texto = log();
    EXPECT_EQ(texto.count(QStringLiteral("\r\n")), 1) << texto.toStdString();
    EXPECT_EQ(texto.count(u'\n'), 1) << "no line ends but with CR LF";
    EXPECT_TRUE(texto.endsWith(QStringLiteral("Respondió : Abortar\r\n")));
    EXPECT_TRUE(texto.contains(QStringLiteral("administrator command server closed the connection unexpectedly This probably")));
}
