// The book from the register window: the report saves, builds the workbook and prints it;
// the ONCCA button copies it to a removable disk, every answer of the clerk taken.
#include "tests/support/Controles.h"
#include "output/LibroDelRegistro.h"
#include "output/ImpresionLibro.h"
#include "platform/Carpetas.h"
#include "platform/Operador.h"
#include "startup/Configuracion.h"
#include "tests/register/BaseDeRegistro.h"
#include "tests/support/LectorXlsx.h"
#include "tests/support/UnidadesDeCarpeta.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

class LibroVentanaTest : public BaseDeRegistro
{
protected:
    void SetUp() override
    {
        BaseDeRegistro::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        GrabarConfiguracion(QStringLiteral("NOMBRE"), QStringLiteral("MOLINO HARINERO SAN ISIDRO S.A."));
        // The mill, a customer and an account that is not a customer, with their 31 days.
        for (int dia = 1; dia <= 31; ++dia) {
            fila(QStringLiteral("03/2005"), QStringLiteral("MOLINO"), dia, QStringLiteral("10"), QStringLiteral("4"),
                 dia == 2 ? QStringLiteral("Remito 0001-0000123 de O'Brien") : QString());
            fila(QStringLiteral("03/2005"), QStringLiteral("C001"), dia, QStringLiteral("2.5"), QStringLiteral("0"));
            fila(QStringLiteral("03/2005"), QStringLiteral("A99"), dia, QStringLiteral("1"), QStringLiteral("1"));
        }
        fila(QStringLiteral("02/2005"), QStringLiteral("MOLINO"), 1, QStringLiteral("100"), QStringLiteral("0"));
        auto libro = std::make_unique<LibroDelRegistro>();
        m_libro = libro.get();
        m_libro->Imprimir = [this](const Hoja& hoja, QWidget*) {
            m_pdf = carpeta() + QStringLiteral("/libro.pdf");
            GuardarPdf(hoja, m_pdf);
        };
        m_ventana->EstablecerLibro(std::move(libro));
        Controles::Caja(m_ventana.get(), FrmTolvario::cDecimales)->setText(QStringLiteral("2"));
        Controles::Caja(m_ventana.get(), FrmTolvario::cLinea)->setText(QStringLiteral("2"));
        elegirPeriodo(QStringLiteral("03/2005"));
        // The settings above stored, once the clerk confirms them.
        m_guion->respuestas = {Operador::Si};
        tecla(Qt::Key_F5);
        m_guion->avisos.clear();
    }
    void TearDown() override
    {
        Unidades::establecer(nullptr);
        BaseDeRegistro::TearDown();
    }
    QString libroGuardado() const { return carpeta() + QStringLiteral("/032005.xlsx"); }
    UnidadesDeCarpeta& discos()
    {
        auto u = std::make_unique<UnidadesDeCarpeta>();
        UnidadesDeCarpeta& r = *u;
        Unidades::establecer(std::move(u));
        return r;
    }

    LibroDelRegistro* m_libro = nullptr;
    QString m_pdf;
};

} // namespace

TEST_P(LibroVentanaTest, ElReporteGrabaArmaElLibroYLoImprime)
{
    tecla(Qt::Key_F8);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    LectorXlsx x;
    ASSERT_TRUE(x.Leer(libroGuardado()));
    const int L = 2, D = 10;
    EXPECT_EQ(x.Texto(L, 1), QStringLiteral("libro de movimientos y existencia de Mercadería"));
    EXPECT_EQ(x.Texto(L + 1, 1), QStringLiteral("MOLINO HARINERO SAN ISIDRO S.A."));
    EXPECT_EQ(x.Texto(L + 3, 1), QStringLiteral("PERIODO: 03/2005"));
    EXPECT_EQ(x.Texto(L + 6, 2), QStringLiteral("MOLINO")) << "no row in the accounts table: the code";
    EXPECT_EQ(x.Texto(L + 6, 5), QStringLiteral("Panificadora La Espiga S.R.L."));
    EXPECT_EQ(x.Texto(L + 6, 8), QStringLiteral("A99"));
    EXPECT_EQ(x.Texto(L + 7, 14), QStringLiteral("Observaciones"));
    EXPECT_EQ(x.Texto(D, 4), QStringLiteral("106.00")) << "100 carried from February";
    EXPECT_TRUE(x.En(D, 4).numero) << "a figure a spreadsheet sums";
    EXPECT_EQ(x.En(D, 4).formato, QStringLiteral("0.00"));
    EXPECT_EQ(x.NombreHoja, QStringLiteral("03-2005"));
    EXPECT_EQ(x.Texto(D + 1, 14), QStringLiteral("Remito 0001-000"));
    EXPECT_EQ(x.Texto(D + 30, 4), QStringLiteral("286.00"));
    EXPECT_EQ(x.Texto(D + 31, 2), QStringLiteral("310.00"));
    EXPECT_EQ(x.Texto(D + 31, 6), QStringLiteral("0.00"));
    EXPECT_EQ(x.Texto(D + 31, 7), QStringLiteral("77.50"));
    EXPECT_EQ(x.Texto(D, 11), QStringLiteral("13.50"));
    EXPECT_EQ(x.Texto(D + 31, 11), QStringLiteral("418.50"));
    EXPECT_EQ(x.Texto(D + 31, 13), QStringLiteral("363.50"));
    EXPECT_EQ(x.Texto(D + 32, 1), QStringLiteral("Cantidades expresadas en  "));
    EXPECT_TRUE(x.En(D, 4).negrita);
    EXPECT_TRUE(x.En(D, 2).borde);

    // The printed book says the same.
    ASSERT_FALSE(m_pdf.isEmpty());
    QProcess texto;
    texto.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), m_pdf, QStringLiteral("-")});
    ASSERT_TRUE(texto.waitForFinished(30000));
    const QString pdf = QString::fromUtf8(texto.readAllStandardOutput());
    for (const char* cifra : {"PERIODO: 03/2005", "418.50", "363.50", "286.00", "Remito 0001-000", "S.R.L."})
        EXPECT_TRUE(pdf.contains(QString::fromUtf8(cifra))) << cifra << "\n" << pdf.left(2000).toStdString();
}

TEST_P(LibroVentanaTest, SinBordesSiLaCasillaNoEstaMarcadaYSinLibroSiNoSeGrabo)
{
    Controles::Hijo<QCheckBox>(m_ventana.get(), "chk")->setChecked(false);
    tecla(Qt::Key_F8);
    LectorXlsx x;
    ASSERT_TRUE(x.Leer(libroGuardado()));
    EXPECT_FALSE(x.En(10, 2).borde);
    QFile::remove(libroGuardado());
    Controles::Caja(m_ventana.get(), FrmTolvario::cPeriodo)->setText(QStringLiteral("3/2005"));
    tecla(Qt::Key_F8);
    EXPECT_FALSE(QFile::exists(libroGuardado()));
}

TEST_P(LibroVentanaTest, ElArchivoOnccaCadaRespuestaDelOperador)
{
    // No removable disk: said plainly, nothing else happens.
    UnidadesDeCarpeta& u = discos();
    m_ventana->CmdArchivo_Click();
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(QStringLiteral("No hay ningún disco extraíble")));
    EXPECT_FALSE(QFile::exists(libroGuardado()));

    // No to the first question: nothing after the save.
    const QString disco = u.Agregar(QStringLiteral("PENDRIVE"), Unidades::Tipo::Removible);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::No};
    m_ventana->CmdArchivo_Click();
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_EQ(m_guion->avisos[0].texto, QStringLiteral("Inserte un disquete en la unidad ") + disco);
    EXPECT_FALSE(QFile::exists(libroGuardado()));

    // Cancel at the disk's question: the book stays saved, the disk untouched.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si, Operador::Cancelar};
    m_ventana->CmdArchivo_Click();
    // A cancel is the last word: nothing was finished.
    ASSERT_EQ(m_guion->avisos.size(), 3u) << m_guion->todo().toStdString();
    EXPECT_TRUE(m_guion->avisos[1].texto.startsWith(QStringLiteral("Por Favor cataloge un disquete como \r\nLIBRO DE EXISTENCIA")));
    EXPECT_EQ(m_guion->avisos[2].texto, QStringLiteral("Cancelado por el Usuario!!!"));
    EXPECT_TRUE(QFile::exists(libroGuardado()));
    EXPECT_FALSE(QFile::exists(disco + QStringLiteral("/032005.xlsx")));

    // The last word refused: no format, the copy lands on the disk as it is.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si, Operador::Aceptar, Operador::Aceptar, Operador::No};
    m_ventana->CmdArchivo_Click();
    EXPECT_TRUE(u.formateadas.isEmpty());
    EXPECT_TRUE(QFile::exists(disco + QStringLiteral("/032005.xlsx"))) << m_guion->todo().toStdString();
    EXPECT_FALSE(QFile::exists(disco + QStringLiteral("/xx.xx"))) << "the probe does not stay behind";

    // Formatted, and mounted elsewhere afterwards: the copy goes where the disk is now.
    const QString nuevo = QDir(carpeta()).filePath(QStringLiteral("montado-de-nuevo"));
    u.montarDespuesEn = nuevo;
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si, Operador::Aceptar, Operador::Aceptar, Operador::Si};
    m_ventana->CmdArchivo_Click();
    EXPECT_EQ(u.formateadas, QStringList{disco});
    LectorXlsx copia;
    EXPECT_TRUE(copia.Leer(nuevo + QStringLiteral("/032005.xlsx"))) << m_guion->todo().toStdString();
    EXPECT_EQ(copia.Texto(8, 1), QStringLiteral("Día"));
    QFile enDisco(nuevo + QStringLiteral("/032005.xlsx")), enCarpeta(libroGuardado());
    ASSERT_TRUE(enDisco.open(QIODevice::ReadOnly) && enCarpeta.open(QIODevice::ReadOnly));
    EXPECT_EQ(enDisco.readAll(), enCarpeta.readAll()) << "the ONCCA copy is the same workbook";
    EXPECT_EQ(m_guion->avisos.back().texto, QStringLiteral("FINALIZADO"));
}

TEST_P(LibroVentanaTest, UnDiscoQueNoSePuedeEscribirSeAvisaYElLibroQuedaEnLaCarpeta)
{
    UnidadesDeCarpeta& u = discos();
    // A drive whose mount point is not a folder fails the write test and the copy.
    const QString disco = u.Agregar(QStringLiteral("ROTO"), Unidades::Tipo::Removible);
    QDir(disco).removeRecursively();
    QFile(disco).open(QIODevice::WriteOnly);
    u.fallaFormato = true;
    m_guion->respuestas = {Operador::Si, Operador::Aceptar, Operador::Reintentar, Operador::Cancelar, Operador::Aceptar,
                           Operador::Si, Operador::Aceptar};
    // (the copy that fails is tried below, with the format refused)
    m_ventana->CmdArchivo_Click();
    const QString todo = m_guion->todo();
    EXPECT_EQ(todo.count(QStringLiteral(",verifiquelo y vuelva a intentarlo")), 2) << todo.toStdString();
    EXPECT_TRUE(todo.contains(QStringLiteral("será formateado")));
    EXPECT_TRUE(todo.contains(QStringLiteral("no se pudo formatear")));
    EXPECT_TRUE(todo.contains(QStringLiteral("El libro no se copió; quedó en ") + libroGuardado())) << "nothing copied blind";
    EXPECT_TRUE(m_guion->avisos.back().texto.contains(QStringLiteral("El libro no se copió"))) << "the failure is the last word";
    EXPECT_FALSE(todo.contains(QStringLiteral("FINALIZADO")));
    EXPECT_TRUE(QFile::exists(libroGuardado()));

    // Not formatted, the copy itself fails: told, with where the book is.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si, Operador::Aceptar, Operador::Cancelar, Operador::Aceptar, Operador::No};
    m_ventana->CmdArchivo_Click();
    EXPECT_TRUE(m_guion->todo().contains(QStringLiteral("No se pudo copiar el libro a ")));
    EXPECT_TRUE(m_guion->todo().contains(QStringLiteral("El libro quedó en ") + libroGuardado()));
    EXPECT_FALSE(m_guion->todo().contains(QStringLiteral("FINALIZADO")));
}

// The disk pulled out after the format, and a workbook that cannot replace the older one:
// each told, nothing passed as done, the window still works.
TEST_P(LibroVentanaTest, UnDiscoRetiradoOUnLibroQueNoSePuedeReemplazarSeAvisan)
{
    UnidadesDeCarpeta& u = discos();
    const QString disco = u.Agregar(QStringLiteral("PENDRIVE"), Unidades::Tipo::Removible);
    u.retiradoTrasFormato = true;
    m_guion->respuestas = {Operador::Si, Operador::Aceptar, Operador::Aceptar, Operador::Si};
    m_ventana->CmdArchivo_Click();
    EXPECT_TRUE(m_guion->todo().contains(QStringLiteral("No se pudo copiar el libro a ") + disco)) << m_guion->todo().toStdString();
    EXPECT_FALSE(m_guion->todo().contains(QStringLiteral("FINALIZADO")));
    EXPECT_TRUE(QFile::exists(libroGuardado()));

    // Where the workbook goes stands a folder: it cannot be replaced, and the report says so.
    QFile::remove(libroGuardado());
    ASSERT_TRUE(QDir().mkpath(libroGuardado()));
    QFile(libroGuardado() + QStringLiteral("/dentro")).open(QIODevice::WriteOnly);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Ignorar};
    m_pdf.clear();
    tecla(Qt::Key_F8);
    EXPECT_TRUE(m_guion->todo().contains(QStringLiteral("No se pudo guardar el libro en ") + libroGuardado()))
        << m_guion->todo().toStdString();
    EXPECT_TRUE(m_pdf.isEmpty()) << "nothing printed from a book that was not saved";
    QDir(libroGuardado()).removeRecursively();
    m_guion->avisos.clear();
    tecla(Qt::Key_F8);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    EXPECT_FALSE(m_pdf.isEmpty());
}

// A new stick, with no file system and mounted nowhere: nothing to try a write on, so it is
// not tried; refused the format, it cannot take the book and says so; formatted, it does.
TEST_P(LibroVentanaTest, UnDiscoSinFormatoSoloRecibeElLibroFormateado)
{
    UnidadesDeCarpeta& u = discos();
    const QString disco = u.AgregarSinFormato(QStringLiteral("NUEVO"));
    m_ventana->ActualizarUnidades();
    m_guion->respuestas = {Operador::Si, Operador::Aceptar, Operador::Aceptar, Operador::No};
    m_ventana->CmdArchivo_Click();
    EXPECT_TRUE(u.formateadas.isEmpty());
    for (const auto& a : m_guion->avisos)
        EXPECT_FALSE(a.texto.contains(QStringLiteral("verifiquelo"))) << "no write tried: " << a.texto.toStdString();
    ASSERT_FALSE(m_guion->avisos.empty());
    EXPECT_EQ(m_guion->avisos.back().texto, QStringLiteral("El disco %1 no tiene formato y no se formateó.\r\nEl libro no se copió; quedó en %2.")
                                                .arg(disco, libroGuardado()));

    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si, Operador::Aceptar, Operador::Aceptar, Operador::Si};
    m_ventana->CmdArchivo_Click();
    EXPECT_EQ(u.formateadas, QStringList{disco});
    EXPECT_TRUE(QFile::exists(disco + QStringLiteral("/032005.xlsx"))) << m_guion->todo().toStdString();
    EXPECT_EQ(m_guion->avisos.back().texto, QStringLiteral("FINALIZADO"));
}

TEST_P(LibroVentanaTest, ElDiscoElegidoSigueElegido)
{
    UnidadesDeCarpeta& u = discos();
    u.Agregar(QStringLiteral("PRIMERO"), Unidades::Tipo::Removible);
    const QString segundo = u.Agregar(QStringLiteral("SEGUNDO"), Unidades::Tipo::Removible);
    m_ventana->ActualizarUnidades();
    Controles::Discos(m_ventana.get())->setCurrentText(segundo);
    m_guion->respuestas = {Operador::Si, Operador::Aceptar, Operador::Aceptar, Operador::Si};
    m_ventana->CmdArchivo_Click();
    EXPECT_EQ(u.formateadas, QStringList{segundo});
    EXPECT_TRUE(QFile::exists(segundo + QStringLiteral("/032005.xlsx")));

    // Pulled out before the button: said, and no other disk formatted in its place.
    u.Quitar(segundo);
    m_guion->avisos.clear();
    u.formateadas.clear();
    m_guion->respuestas = {Operador::Si, Operador::Aceptar, Operador::Aceptar, Operador::Si};
    m_ventana->CmdArchivo_Click();
    EXPECT_TRUE(u.formateadas.isEmpty()) << m_guion->todo().toStdString();
    ASSERT_FALSE(m_guion->avisos.empty());
    EXPECT_EQ(m_guion->avisos.back().texto,
              QStringLiteral("El disco %1 ya no está conectado. Elija el disco en la lista y vuelva a pulsar el botón.").arg(segundo));
}

CON_CADA_MOTOR(LibroVentanaTest);
