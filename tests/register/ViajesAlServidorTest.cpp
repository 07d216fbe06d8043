// How many statements reach a PostgreSQL server for each thing the clerk does through the
// real window, counted in the server's own log (the driver's statements included): a station
// far from its server waits one round trip for each.
#include "output/ImpresionLibro.h"
#include "platform/Operador.h"
#include "output/LibroDelRegistro.h"
#include "register/Planilla.h"
#include "tests/register/BaseDeRegistro.h"
#include "tests/support/SentenciasDelServidor.h"
#include "tests/support/VentanaModal.h"
#include "tools/esquema/Esquema.h"

#include <QFile>
#include <QTabBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

using P = Planilla;

class ViajesAlServidorTest : public BaseDeRegistro
{
protected:
    void SetUp() override
    {
        if (esPostgres() && SentenciasDelServidor::Bitacora().isEmpty())
            GTEST_SKIP() << "sin el registro del servidor (lo da scripts/test en TOLVARIO_PG_LOG)";
        BaseDeRegistro::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_inicio = m_log.desdeLaMarca();
        // The book as the program installs it, printed to a PDF instead of the preview's printer.
        auto libro = std::make_unique<LibroDelRegistro>();
        libro->Imprimir = [this](const Hoja& hoja, QWidget*) { GuardarPdf(hoja, carpeta() + u"/libro.pdf"_s); };
        m_ventana->EstablecerLibro(std::move(libro));
    }
    void datos() override
    {
        Esquema::LlenarDemo(m_cnn);
        m_ultimo = valor(u"SELECT MAX(SUBSTR(Periodo, 4, 4) || SUBSTR(Periodo, 1, 2)) FROM EM_Tolvario"_s);
        m_ultimo = m_ultimo.right(2) + u'/' + m_ultimo.left(4);
        // The period was handed to ONCCA: a save marks its book as changed since.
        ejecutar(u"INSERT INTO EM_TolvarioEntrega (Periodo, Momento, Usuario, Caja, Titulo, Empresa, Oncca, Medida, Hoja, "
                 "Decimales, LineaInicial, Bordes, Huella, Modificado) VALUES ('%1', '2026-12-01 10:00:00', 'JUAN', '3', 't', "
                 "'e', 'o', 'm', '36', 2, 2, 0, 'h', 0)"_s.arg(m_ultimo));
        m_log.registrar(m_cnn, m_base);
    }
    // The statements of `accion`, printed when they pass `tope`.
    QStringList contar(const char* que, int tope, const std::function<void()>& accion)
    {
        m_log.marcar();
        accion();
        const QStringList s = m_log.desdeLaMarca();
        EXPECT_LE(s.size(), tope) << que << ":\n  " << s.join(u"\n  "_s).toStdString();
        std::printf("%s: %lld sentencias\n", que, static_cast<long long>(s.size()));
        return s;
    }

    SentenciasDelServidor m_log;
    QStringList m_inicio;
    QString m_ultimo;
};

} // namespace

TEST_P(ViajesAlServidorTest, CadaOperacionLlegaAlServidorEnPocasSentencias)
{
    EXPECT_LE(m_inicio.size(), 12) << "inicio:\n  " << m_inicio.join(u"\n  "_s).toStdString();
    std::printf("inicio: %lld sentencias\n", static_cast<long long>(m_inicio.size()));
    contar("Enter en el periodo", 6, [&] { elegirPeriodo(m_ultimo); });
    // The clerk is told the delivered book changes, and saves: the question costs no statement.
    m_guion->respuestasFijas = {{u"¿Grabar de todos modos?"_s, Operador::Si}};
    contar("F5 con un valor cambiado", 10, [&] {
        escribirDia(3, P::ColEntradas, u"1234.5"_s);
        tecla(Qt::Key_Return);
        tecla(Qt::Key_F5);
    });
    EXPECT_EQ(valor(u"SELECT Entradas FROM EM_Tolvario WHERE Periodo = '%1' AND Cuenta = 'MOLINO' AND DIA = 3"_s.arg(m_ultimo)).toDouble(),
              1234.5)
        << todo();
    contar("cambio de solapa", 12, [&] {
        escribirDia(4, P::ColSalidas, u"7"_s);
        tecla(Qt::Key_Return);
        clicTab(1);
    });
    // Each save kept its history row and marked the delivered book, in the same statement.
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_TolvarioHistoria WHERE Periodo = '%1'"_s.arg(m_ultimo)), u"2"_s);
    EXPECT_EQ(valor(u"SELECT Modificado FROM EM_TolvarioEntrega WHERE Periodo = '%1'"_s.arg(m_ultimo)), u"1"_s);
    EXPECT_EQ(valor(u"SELECT Salidas FROM EM_Tolvario WHERE Periodo = '%1' AND Cuenta = 'MOLINO' AND DIA = 4"_s.arg(m_ultimo)).toDouble(), 7.0);
    contar("el año", 3, [&] { ConVentanaModal([](QWidget* d) { d->close(); }, [this] { tecla(Qt::Key_F6); }); });
    contar("el libro", 4, [&] { tecla(Qt::Key_F8); });
    EXPECT_TRUE(QFile::exists(carpeta() + u"/libro.pdf"_s)) << todo();
}

INSTANTIATE_TEST_SUITE_P(Motores, ViajesAlServidorTest, testing::Values(Motor::PostgreSQL), NombreMotor);
