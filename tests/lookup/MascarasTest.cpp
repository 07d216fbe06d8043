#include "lookup/AnchosConsulta.h"
#include "lookup/Def_QConsulta.h"
#include "platform/Cp1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ArchivosDeConsultas : public testing::Test
{
protected:
    QString ruta(const char* nombre) const { return m_dir.path() + u'/' + QString::fromLatin1(nombre); }
    QByteArray leer(const QString& r) const
    {
        QFile f(r);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void escribir(const QString& r, const QByteArray& datos) const
    {
        QFile f(r);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(datos);
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ArchivosDeConsultas, LasMascarasPredeterminadasGuardanElFormatoDeLaSuite)
{
    const QString r = ruta("consultas.vlm");
    ASSERT_TRUE(Def_QConsulta::Sembrar(r));
    const QByteArray b = leer(r);
    ASSERT_EQ(b.size(), 7 * 1202);
    // Second record: customers, each field at its offset, padded with blanks, CR LF last.
    const QByteArray clientes = b.mid(1202, 1202);
    EXPECT_EQ(clientes.left(100), QByteArray("CLIENTES").leftJustified(100, ' '));
    EXPECT_EQ(clientes.mid(100, 100), QByteArray("VT_CLIENTES").leftJustified(100, ' '));
    EXPECT_EQ(clientes.mid(200, 500), QByteArray("|RAZON_SOCIAL|CODIGO|CONTACTO|").leftJustified(500, ' '));
    EXPECT_EQ(clientes.mid(700, 500), QByteArray(500, ' '));
    EXPECT_EQ(clientes.mid(1200), QByteArray("\r\n"));
    EXPECT_TRUE(b.startsWith("ARTICULOS"));
    EXPECT_EQ(b.mid(6 * 1202 + 100, 19), QByteArray("V_MA_MANTENIMIENTOS"));
}

TEST_F(ArchivosDeConsultas, LaTablaSeBuscaSinBlancosNiMayusculasYGanaLaPrimera)
{
    const QString r = ruta("consultas.vlm");
    MascaraConsulta a;
    a.Titulo = QStringLiteral("Años");
    a.Tabla = QStringLiteral("MA_AÑOS");
    a.Campos = QStringLiteral("|A|B|");
    MascaraConsulta b = a;
    b.Campos = QStringLiteral("|OTRA|");
    ASSERT_TRUE(Def_QConsulta::Agregar(r, a));
    ASSERT_TRUE(Def_QConsulta::Agregar(r, b));
    EXPECT_EQ(leer(r).at(1), char(0xF1)) << "the Windows code page, one byte per letter";
    const auto m = Def_QConsulta::Buscar(r, QStringLiteral("  ma_años "));
    ASSERT_TRUE(m);
    EXPECT_EQ(Def_QConsulta::Limpio(m->Titulo), QStringLiteral("Años"));
    EXPECT_EQ(Def_QConsulta::Limpio(m->Campos), QStringLiteral("|A|B|"));
    EXPECT_FALSE(Def_QConsulta::Buscar(r, QStringLiteral("MA")));
    EXPECT_FALSE(Def_QConsulta::Buscar(ruta("no-existe.vlm"), QStringLiteral("MA_AÑOS")));
}

TEST_F(ArchivosDeConsultas, UnArchivoCortoOSucioSeLeeHastaDondeEsSano)
{
    const QString r = ruta("consultas.vlm");
    // A record filled with NUL and 0xFF after the name, then one cut short before its end.
    QByteArray sucio = QByteArray(100, ' ') + QByteArray("VT_CLIENTES") + QByteArray(20, '\0') + QByteArray(69, char(0xFF))
                       + QByteArray(1002, ' ');
    QByteArray corto = Def_QConsulta::Registro({QStringLiteral("X"), QStringLiteral("MA_CORTA"), QStringLiteral("|C|D|"), {}}).left(300);
    escribir(r, sucio + corto);
    EXPECT_TRUE(Def_QConsulta::Buscar(r, QStringLiteral("VT_CLIENTES")));
    const auto m = Def_QConsulta::Buscar(r, QStringLiteral("MA_CORTA"));
    ASSERT_TRUE(m);
    EXPECT_EQ(Def_QConsulta::Limpio(m->Campos), QStringLiteral("|C|D|"));
    // Appending lands on a record boundary, over the cut record.
    ASSERT_TRUE(Def_QConsulta::Agregar(r, {QStringLiteral("N"), QStringLiteral("MA_NUEVA"), {}, {}}));
    EXPECT_EQ(leer(r).size(), 2 * 1202);
    EXPECT_TRUE(Def_QConsulta::Buscar(r, QStringLiteral("MA_NUEVA")));

    escribir(r, QByteArray());
    EXPECT_FALSE(Def_QConsulta::Buscar(r, QStringLiteral("VT_CLIENTES")));
}

TEST_F(ArchivosDeConsultas, ElCodigoDeWindowsIdaYVuelta)
{
    const QString texto = QStringLiteral("€ “ñandú” – Œ");
    EXPECT_EQ(Cp1252::Decodificar(Cp1252::Codificar(texto)), texto);
    EXPECT_EQ(Cp1252::Codificar(QStringLiteral("Ω")), QByteArray("?"));
    EXPECT_EQ(Cp1252::Decodificar(QByteArray("\x81", 1)), QString(QChar(0x81)));
}

TEST_F(ArchivosDeConsultas, LosAnchosDeOtrasTablasSeConservanYLasLineasMalasSeSaltan)
{
    const QString r = ruta("CONSULTASLEN.VLM");
    escribir(r, "basura sin comillas\r\n\"VT_CLIENTES\",\"100|200|\"\r\n\"ROTA\r\n\"MA_CUENTAS\" , \"1500|abc|900|\"\r\n");
    EXPECT_EQ(AnchosConsulta::Leer(r, QStringLiteral("vt_clientes")), (QVector<double>{100, 200}));
    EXPECT_EQ(AnchosConsulta::Leer(r, QStringLiteral("MA_CUENTAS")), (QVector<double>{1500, 0, 900}));
    EXPECT_TRUE(AnchosConsulta::Leer(r, QStringLiteral("ROTA")).isEmpty());

    ASSERT_TRUE(AnchosConsulta::Grabar(r, QStringLiteral("Vt_Clientes"), {2400, 1200.4, 3000}));
    EXPECT_EQ(AnchosConsulta::Leer(r, QStringLiteral("VT_CLIENTES")), (QVector<double>{2400, 1200, 3000}));
    EXPECT_EQ(AnchosConsulta::Leer(r, QStringLiteral("MA_CUENTAS")), (QVector<double>{1500, 0, 900}));
    const QByteArray b = leer(r);
    EXPECT_EQ(b.count("VT_CLIENTES") + b.count("Vt_Clientes"), 1) << b.toStdString();
    EXPECT_TRUE(b.endsWith("\"Vt_Clientes\",\"2400|1200|3000|\"\r\n")) << b.toStdString();
    EXPECT_TRUE(b.contains("basura sin comillas")) << "lines that are not ours are not lost";
    EXPECT_FALSE(QFile::exists(ruta("CONSULTASLEN.AUX")));

    const QString nueva = ruta("nuevo/CONSULTASLEN.VLM");
    EXPECT_FALSE(AnchosConsulta::Grabar(nueva, QStringLiteral("T"), {1})) << "a folder that does not exist";
}
