#include "platform/Carpetas.h"
#include "suite/SuiteForms.h"
#include "suite/SuiteIni.h"
#include "suite/SuiteUtil.h"
#include "tests/support/OperadorGuionado.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace SuiteUtil;

TEST(SuiteUtil, TextosDeAyuda)
{
    EXPECT_EQ(StripChars(QStringLiteral("@Server=SRV"), u'='), QStringLiteral("@ServerSRV"));
    EXPECT_EQ(StripChars(QStringLiteral("a|b") + QChar(0xff) + u'c', u'|', QChar(0xff)), QStringLiteral("abc"));
    EXPECT_EQ(PadLeft(QStringLiteral("12"), 4), QStringLiteral("  12"));
    // Wider than the width: kept whole, never cut.
    EXPECT_EQ(PadLeft(QStringLiteral("123456"), 4), QStringLiteral("123456"));
    EXPECT_EQ(FolderPath(QStringLiteral("/opt/tolvario")), QStringLiteral("/opt/tolvario/"));
    EXPECT_EQ(FolderPath(QStringLiteral("/opt/tolvario/")), QStringLiteral("/opt/tolvario/"));
    EXPECT_EQ(WordCount(QStringLiteral("  uno dos\ttres ")), 3);
    EXPECT_EQ(NullSafe(QVariant()), QString());
    EXPECT_EQ(NullSafe(QVariant(12)), QStringLiteral("12"));
}

TEST(SuiteUtil, ReplaceNameSoloNombresEnteros)
{
    const QString sql = QStringLiteral("SELECT * FROM v_ma_articulos WHERE X IN (SELECT A FROM XV_MA_ARTICULOS)");
    EXPECT_EQ(ReplaceName(sql, QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("VT_MA_ARTICULOS")),
              QStringLiteral("SELECT * FROM VT_MA_ARTICULOS WHERE X IN (SELECT A FROM XV_MA_ARTICULOS)"));
}

TEST(SuiteUtil, CifradoIdaYVuelta)
{
    for (const QString& t : {QStringLiteral("Velmora"), QStringLiteral("quenaro"), QStringLiteral("contraseña ñandú"), QString()}) {
        const QString c = Encipher(t);
        EXPECT_EQ(Decipher(c), t);
        if (!t.isEmpty())
            EXPECT_NE(c, t);
    }
}

TEST(SuiteUtil, ReportErrorPreguntaConAbortarReintentarIgnorar)
{
    OperadorGuionado& g = guion();
    g.respuestas = {Operador::Reintentar};
    EXPECT_EQ(ReportError(ErrorVB(3021, QStringLiteral("No hay fila actual")), QStringLiteral("Form_Load")),
              Operador::Reintentar);
    ASSERT_EQ(g.avisos.size(), 1u);
    EXPECT_EQ(g.avisos[0].estilo, 18);
    EXPECT_EQ(g.avisos[0].titulo, QStringLiteral("Aviso al operador..."));
    EXPECT_TRUE(g.avisos[0].texto.contains(QStringLiteral("3021")));
    EXPECT_TRUE(g.avisos[0].texto.contains(QStringLiteral("Form_Load")));
    establecerOperador(nullptr);
}

TEST(SuiteIni, SeccionesYClavesSinDistinguirMayusculas)
{
    QTemporaryDir dir;
    Carpetas::EstablecerAplicacion(dir.path());
    QFile f(dir.filePath(QStringLiteral("CN000pr.INI")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Iconos]\r\nIconoDelSistema = OTRO\r\n[EQUIPO|ANA]\r\nflattoolbars=2\r\n");
    f.close();
    EXPECT_EQ(SuiteIni::Read(QStringLiteral("CN000pr.INI"), QStringLiteral("equipo|ana"), QStringLiteral("FlatToolbars"),
                             QStringLiteral("1")),
              QStringLiteral("2"));
    EXPECT_EQ(SuiteIni::Read(QStringLiteral("CN000pr.INI"), QStringLiteral("Iconos"), QStringLiteral("IconoDelSistema"), {}),
              QStringLiteral("OTRO"));
    EXPECT_EQ(SuiteIni::Read(QStringLiteral("CN000pr.INI"), QStringLiteral("Iconos"), QStringLiteral("Falta"),
                             QStringLiteral("def")),
              QStringLiteral("def"));
    EXPECT_EQ(SuiteIni::Read(QStringLiteral("NOESTA.INI"), QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("d")),
              QStringLiteral("d"));
    Carpetas::EstablecerAplicacion({});
}

TEST(SuiteForms, IndexOfPorCampoDeDatosSinMayusculas)
{
    QLineEdit a, b;
    a.setProperty("DataField", QStringLiteral("PERIODO"));
    b.setProperty("DataField", QStringLiteral("Decimales"));
    const QList<QLineEdit*> campos{&a, &b};
    EXPECT_EQ(SuiteForms::IndexOf(QStringLiteral("periodo"), campos), 0);
    EXPECT_EQ(SuiteForms::IndexOf(QStringLiteral("DECIMALES"), campos), 1);
    EXPECT_EQ(SuiteForms::IndexOf(QStringLiteral("HOJA"), campos), -1);
}
