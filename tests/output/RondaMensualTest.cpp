// The clerk's monthly round on a fresh copy of the demo, through the real window with keys
// and clicks only: the new month with its carried balances and last month's users, a user
// added through the customer lookup, a month typed for the mill and two users, saved, the
// window closed and started again with everything there, the book printed (and its preview
// opened) and copied to the ONCCA disk. Then a save the database refuses, retried once the fault is mended.
#include "lookup/Lib_FrmCons3.h"
#include "output/ImpresionLibro.h"
#include "output/LibroDelRegistro.h"
#include "platform/Operador.h"
#include "register/Planilla.h"
#include "suite/SuiteUtil.h"
#include "tests/register/BaseDeRegistro.h"
#include "tests/support/Controles.h"
#include "tests/support/UnidadesDeCarpeta.h"
#include "tests/support/VentanaModal.h"
#include "tools/esquema/Esquema.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

using P = Planilla;

class RondaMensualTest : public BaseDeRegistro
{
protected:
    void datos() override { Esquema::LlenarDemo(m_cnn); }
    void SetUp() override
    {
        BaseDeRegistro::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        auto u = std::make_unique<UnidadesDeCarpeta>();
        m_disco = u->Agregar(u"PENDRIVE"_s, Unidades::Tipo::Removible);
        Unidades::establecer(std::move(u));
        conLibro();
    }
    void TearDown() override
    {
        Unidades::establecer(nullptr);
        BaseDeRegistro::TearDown();
    }
    // The book as the program installs it, printed to a PDF instead of the preview's printer.
    void conLibro()
    {
        auto libro = std::make_unique<LibroDelRegistro>();
        libro->Imprimir = [this](const Hoja& hoja, QWidget*) {
            m_pdf = carpeta() + u"/vista.pdf"_s;
            GuardarPdf(hoja, m_pdf);
        };
        m_ventana->EstablecerLibro(std::move(libro));
        m_ventana->ActualizarUnidades();
    }
    double numero(const QString& texto) const { return SuiteUtil::TextToAmountOrZero(texto).diezmilesimos() / 10000.0; }
    double saldoHasta(const QString& cuenta)
    {
        return valor(u"SELECT SUM(Entradas) - SUM(Salidas) FROM EM_Tolvario WHERE Cuenta = '%1'"_s.arg(cuenta)).toDouble();
    }
    double cifra(const QString& cuenta, int dia, const char* columna)
    {
        return valor(u"SELECT %1 FROM EM_Tolvario WHERE Periodo = '12/2026' AND Cuenta = '%2' AND DIA = %3"_s
                         .arg(QString::fromLatin1(columna), cuenta)
                         .arg(dia))
            .toDouble();
    }
    // A whole month of a grid, keys only, as the clerk types it: on day 1's Entradas, the
    // figure, Enter, the one delivered, Enter, Enter past the remark (back to Entradas), Down.
    void unMes(double base)
    {
        // Key by key to whatever has the focus: the first opens the editor, the rest go into it.
        const auto teclear = [](const QString& texto) {
            for (QChar c : texto)
                QTest::keyClicks(QApplication::focusWidget(), QString(c));
        };
        irA(1, P::ColEntradas);
        for (int dia = 1; dia <= 31; ++dia) {
            teclear(QString::number(base + dia, 'f', 2));
            tecla(Qt::Key_Return);
            teclear(QString::number(dia));
            tecla(Qt::Key_Return);
            tecla(Qt::Key_Return);
            if (dia < 31)
                tecla(Qt::Key_Down);
        }
    }
    int tabDe(const QString& codigo) const
    {
        for (int t = 1; t <= 5; ++t)
            if (m_ventana->CuentaDeTab(t) == codigo)
                return t;
        return -1;
    }

    QString m_disco;
    QString m_pdf;
};

} // namespace

TEST_P(RondaMensualTest, ElMesEnteroDeUnMolino)
{
    const double molinoAntes = saldoHasta(u"MOLINO"_s);
    const double c001Antes = saldoHasta(u"C001"_s);

    // The new month: the balances carried from every month before, last month's users.
    elegirPeriodo(u"12/2026"_s);
    EXPECT_EQ(periodo(), u"12/2026"_s);
    EXPECT_NEAR(numero(enGrilla(1, P::ColSaldo)), molinoAntes, 0.005);
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(usuario(k)->text(), u"C00%1"_s.arg(k)) << k;
    ASSERT_GT(tabDe(u"C001"_s), 0);
    clicTab(tabDe(u"C001"_s));
    EXPECT_NEAR(numero(enGrilla(1, P::ColSaldo)), c001Antes, 0.005);

    // C005 leaves, C011 comes in through the customer lookup (right button on its box).
    clicTab(FrmTolvario::TabUsuarios);
    QLineEdit* quinto = usuario(5);
    ConVentanaModal(
        [&](QWidget* w) {
            auto* consulta = qobject_cast<Lib_FrmCons3*>(w);
            ASSERT_NE(consulta, nullptr);
            QTest::keyClicks(consulta->CmbSearch[0], u"Semillero"_s);
            QTest::keyClick(consulta->CmbSearch[0], Qt::Key_Return);
        },
        [&] { QTest::mouseClick(quinto, Qt::RightButton); });
    EXPECT_EQ(quinto->text(), u"C011"_s);
    ASSERT_GT(tabDe(u"C011"_s), 0);

    // The mill and two users typed, tab after tab; F5.
    clicTab(FrmTolvario::TabMolino);
    unMes(1000);
    clicTab(tabDe(u"C001"_s));
    unMes(200);
    clicTab(tabDe(u"C011"_s));
    unMes(30);
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_TRUE(m_guion->avisos.empty()) << todo();
    EXPECT_TRUE(Controles::Estado(m_ventana.get())->currentMessage().startsWith(u"Período 12/2026 grabado"_s))
        << Controles::Estado(m_ventana.get())->currentMessage().toStdString();
    EXPECT_EQ(cifra(u"MOLINO"_s, 2, "Entradas"), 1002.0);
    EXPECT_EQ(cifra(u"C001"_s, 3, "Salidas"), 3.0);
    EXPECT_EQ(cifra(u"C011"_s, 1, "Entradas"), 31.0);
    EXPECT_EQ(cifra(u"MOLINO"_s, 31, "Entradas"), 1031.0);
    EXPECT_EQ(cifra(u"C011"_s, 31, "Salidas"), 31.0);
    EXPECT_EQ(valor(u"SELECT SUM(Entradas) FROM EM_Tolvario WHERE Periodo = '12/2026' AND Cuenta = 'C001'"_s).toDouble(), 200 * 31 + 496.0);
    EXPECT_EQ(cuantas(u"12/2026"_s, u"C002"_s), u"31"_s) << "a user carried over gets its month too";
    EXPECT_EQ(cuantas(u"12/2026"_s, u"C005"_s), u"0"_s);

    // Closed, started again: everything is there.
    m_ventana->close();
    EXPECT_FALSE(m_ventana->isVisible()) << todo();
    reabrir();
    conLibro();
    elegirPeriodo(u"12/2026"_s);
    EXPECT_EQ(enGrilla(3, P::ColEntradas), u"1002.00"_s);
    EXPECT_NEAR(numero(enGrilla(4, P::ColSaldo)), molinoAntes + 1001 + 1002 + 1003 - 6, 0.005);
    EXPECT_GT(tabDe(u"C011"_s), 0);
    EXPECT_LT(tabDe(u"C005"_s), 0);
    clicTab(tabDe(u"C011"_s));
    EXPECT_EQ(enGrilla(2, P::ColEntradas), u"31.00"_s);

    // The book, printed (the preview's page drawn to a PDF).
    m_guion->avisos.clear();
    tecla(Qt::Key_F8);
    EXPECT_TRUE(m_guion->avisos.empty()) << todo();
    ASSERT_FALSE(m_pdf.isEmpty());
    QProcess texto;
    texto.start(u"pdftotext"_s, {u"-layout"_s, m_pdf, u"-"_s});
    ASSERT_TRUE(texto.waitForFinished(30000));
    const QString pdf = QString::fromUtf8(texto.readAllStandardOutput());
    EXPECT_TRUE(pdf.contains(u"PERIODO: 12/2026"_s)) << pdf.left(1500).toStdString();
    EXPECT_TRUE(pdf.contains(u"1,002.00"_s) || pdf.contains(u"1002.00"_s)) << pdf.left(3000).toStdString();

    // And the preview itself, as the installed program opens it.
    m_ventana->EstablecerLibro(std::make_unique<LibroDelRegistro>());
    bool vista = false;
    ConVentanaModal(
        [&](QWidget* w) {
            vista = qobject_cast<QPrintPreviewDialog*>(w) != nullptr;
            QMetaObject::invokeMethod(w, "reject", Qt::QueuedConnection);
        },
        [&] { tecla(Qt::Key_F8); });
    EXPECT_TRUE(vista) << "F8 opens the print preview";
    conLibro();

    // The ONCCA disk: asked, the disk used as it is, copied, read back, delivered.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si, Operador::Aceptar, Operador::Aceptar, Operador::No};
    QTest::mouseClick(Controles::Hijo<QPushButton>(m_ventana.get(), "CmdArchivo"), Qt::LeftButton);
    ASSERT_TRUE(aviso(u"FINALIZADO"_s)) << todo();
    EXPECT_TRUE(QFile::exists(m_disco + u"/122026.xlsx"_s));
    EXPECT_TRUE(Controles::Hijo<QLabel>(m_ventana.get(), "LblEntrega")->text().startsWith(u"Entregado a ONCCA el "_s));

    m_ventana->close();
    EXPECT_FALSE(m_ventana->isVisible()) << todo();
}

TEST_P(RondaMensualTest, UnaGrabacionRechazadaSeReintentaYQuedaEntera)
{
    elegirPeriodo(u"12/2026"_s);
    unMes(500);
    // The database refuses day 15 (a full disk); the clerk frees space and presses Retry.
    rechazarDia(15);
    m_guion->alMostrar = [this](const OperadorGuionado::Aviso& a) {
        if (a.texto.contains(u"Ha ocurrido el siguiente error"_s))
            quitarRechazo();
    };
    m_guion->respuestas = {Operador::Reintentar};
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    m_guion->alMostrar = nullptr;
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(u"disco lleno"_s)) << todo();
    EXPECT_TRUE(Controles::Estado(m_ventana.get())->currentMessage().startsWith(u"Período 12/2026 grabado"_s))
        << Controles::Estado(m_ventana.get())->currentMessage().toStdString();
    EXPECT_EQ(cuantas(u"12/2026"_s, u"MOLINO"_s), u"31"_s);
    EXPECT_EQ(cifra(u"MOLINO"_s, 3, "Entradas"), 503.0);
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_TolvarioHistoria WHERE Periodo = '12/2026' AND Cuenta = 'MOLINO'"_s), u"1"_s)
        << "the refused attempt left no history row";
    // Nothing pending: closing asks nothing.
    m_guion->avisos.clear();
    m_ventana->close();
    EXPECT_TRUE(m_guion->avisos.empty()) << todo();
}

CON_CADA_MOTOR(RondaMensualTest);
