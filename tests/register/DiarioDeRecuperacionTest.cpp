// The journal of what the clerk typed, on its own: what it gives back after a cut is the last
// value of each change since the period was opened, less what a save stored since; it stays
// small for a whole month typed; a line cut mid-write is not read as an entry.
#include "register/DiarioDeRecuperacion.h"
#include "register/SesionRegistro.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class DiarioDeRecuperacionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_datos.isValid());
        qputenv("XDG_DATA_HOME", m_datos.path().toLocal8Bit());
        ASSERT_TRUE(m_diario->Abrir(m_id));
    }
    static LineaRegistro dia(int d, int entradas, int salidas = 0, const QString& obs = {})
    {
        return {d, Importe::desdeEntero(entradas), Importe::desdeEntero(salidas), obs, {}};
    }
    // The process ends without a word: a new one takes the journal.
    DiarioDeRecuperacion::Pendiente trasElCorte()
    {
        m_diario = std::make_unique<DiarioDeRecuperacion>();
        EXPECT_TRUE(m_diario->Abrir(m_id));
        return m_diario->Leer();
    }

    QTemporaryDir m_datos;
    DiarioDeRecuperacion::Identidad m_id{u"pg:db.molino:5432"_s, u"empresa"_s, u"2"_s, u"ANA"_s};
    std::unique_ptr<DiarioDeRecuperacion> m_diario = std::make_unique<DiarioDeRecuperacion>();
};

} // namespace

TEST_F(DiarioDeRecuperacionTest, DevuelveLoUltimoDeCadaCambioMenosLoGrabado)
{
    const std::vector<LineaRegistro> leidas = {dia(1, 5), dia(2, 6)};
    m_diario->AnotarDia(u"11/2026"_s, u"MOLINO"_s, leidas, dia(1, 10));
    m_diario->AnotarDia(u"11/2026"_s, u"MOLINO"_s, leidas, dia(1, 11));
    m_diario->AnotarDia(u"11/2026"_s, u"MOLINO"_s, leidas, dia(3, 12, 1, u"remito 7 «ñ»"_s));
    m_diario->AnotarDia(u"11/2026"_s, u"C002"_s, {}, dia(7, 4));
    m_diario->AnotarAjuste(u"11/2026"_s, u"TITULO"_s, u"LIBRO 'NUEVO'"_s);
    m_diario->AnotarUsuario(u"11/2026"_s, 3, u"C004"_s);
    DiarioDeRecuperacion::Pendiente p = trasElCorte();
    ASSERT_EQ(p.periodo, u"11/2026"_s);
    ASSERT_EQ(p.cuentas.size(), 2u);
    EXPECT_EQ(p.cuentas[0].cuenta, u"MOLINO"_s);
    EXPECT_EQ(p.cuentas[0].leidas, leidas) << "the account as it was loaded, once";
    EXPECT_EQ(p.cuentas[0].dias.size(), 2);
    EXPECT_EQ(p.cuentas[0].dias.value(1), dia(1, 11)) << "the last value of the day";
    EXPECT_EQ(p.cuentas[0].dias.value(3), dia(3, 12, 1, u"remito 7 «ñ»"_s));
    EXPECT_TRUE(p.cuentas[1].leidas.empty()) << "nothing stored when it was loaded";
    EXPECT_EQ(p.ajustes.value(u"TITULO"_s), u"LIBRO 'NUEVO'"_s);
    EXPECT_EQ(p.usuarios.value(3), u"C004"_s);
    EXPECT_TRUE(p.escrito.isValid());
    EXPECT_TRUE(SesionRegistro::TextoDeRecuperacion(p).startsWith(
        u"Quedaron cambios sin grabar de 11/2026 (Molino: días 1, 3; C002: día 7; usuario 3: C004; Título), escritos el "_s))
        << SesionRegistro::TextoDeRecuperacion(p).toStdString();

    // A save stored the mill: only the user's day and the settings stay; then the settings.
    m_diario->AnotarGrabada(u"11/2026"_s, u"MOLINO"_s);
    p = trasElCorte();
    ASSERT_EQ(p.cuentas.size(), 1u);
    EXPECT_EQ(p.cuentas[0].cuenta, u"C002"_s);
    m_diario->AnotarAjustesGrabados(u"11/2026"_s);
    p = trasElCorte();
    EXPECT_TRUE(p.ajustes.isEmpty());
    EXPECT_TRUE(p.usuarios.isEmpty());
    EXPECT_FALSE(p.Vacio());

    // Days 1 to 3 read as a run; another period's first change means this one was resolved.
    m_diario->AnotarDia(u"11/2026"_s, u"C002"_s, {}, dia(8, 1));
    m_diario->AnotarDia(u"11/2026"_s, u"C002"_s, {}, dia(9, 1));
    EXPECT_TRUE(SesionRegistro::TextoDeRecuperacion(trasElCorte()).contains(u"(C002: días 7 a 9)"_s));
    m_diario->AnotarDia(u"12/2026"_s, u"MOLINO"_s, {}, dia(1, 1));
    p = trasElCorte();
    EXPECT_EQ(p.periodo, u"12/2026"_s);
    ASSERT_EQ(p.cuentas.size(), 1u);
    EXPECT_EQ(p.cuentas[0].cuenta, u"MOLINO"_s);
    m_diario->Vaciar();
    EXPECT_TRUE(trasElCorte().Vacio());
}

// A line the power cut off mid-write is not an entry; the ones before it are all there.
TEST_F(DiarioDeRecuperacionTest, UnRenglonCortadoNoSeLee)
{
    m_diario->AnotarDia(u"11/2026"_s, u"MOLINO"_s, {}, dia(1, 10));
    {
        QFile f(m_diario->Ruta());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(R"({"t":"D","c":"MOLINO","l":[2,99)");
    }
    const DiarioDeRecuperacion::Pendiente p = trasElCorte();
    ASSERT_EQ(p.cuentas.size(), 1u);
    EXPECT_EQ(p.cuentas[0].dias.keys(), QList<int>{1});
}

// Six accounts with every day typed in both figures and a remark stay under 64 KB; refused at
// start, the journal goes aside under a dated name and a clean one begins; another database
// or user has a journal of its own; only this user reads it.
TEST_F(DiarioDeRecuperacionTest, UnMesEnteroEsChicoYSeApartaSinPerderse)
{
    const char* const cuentas[] = {"MOLINO", "C001", "C002", "C003", "C004", "C005"};
    for (const char* c : cuentas) {
        std::vector<LineaRegistro> leidas;
        for (int d = 1; d <= 31; ++d)
            leidas.push_back(dia(d, 100000 + d, 90000 + d, u"remito de entrada"_s));
        for (int d = 1; d <= 31; ++d) {
            m_diario->AnotarDia(u"11/2026"_s, QLatin1String(c), leidas, dia(d, 123456789));
            m_diario->AnotarDia(u"11/2026"_s, QLatin1String(c), leidas, dia(d, 123456789, 987654321));
            m_diario->AnotarDia(u"11/2026"_s, QLatin1String(c), leidas, dia(d, 123456789, 987654321, u"remito 0001-00012345"_s));
        }
    }
    EXPECT_LT(QFileInfo(m_diario->Ruta()).size(), 64 * 1024);
    EXPECT_EQ(QFileInfo(m_diario->Ruta()).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);

    const QString aparte = m_diario->Apartar();
    EXPECT_TRUE(QFileInfo::exists(aparte));
    EXPECT_TRUE(QFileInfo(aparte).fileName().endsWith(u".apartado"_s));
    EXPECT_TRUE(trasElCorte().Vacio());

    DiarioDeRecuperacion otraBase;
    ASSERT_TRUE(otraBase.Abrir({m_id.servidor, u"otra"_s, m_id.caja, m_id.usuario}));
    EXPECT_NE(otraBase.Ruta(), m_diario->Ruta());
    DiarioDeRecuperacion mismo;
    qint64 quien = 0;
    EXPECT_FALSE(mismo.Abrir(m_id, &quien)) << "held by this process's journal";
    EXPECT_EQ(quien, QCoreApplication::applicationPid());
}
