// Books handed to ONCCA stay what was handed in: the ONCCA copy records the delivery, a
// save or a deletion that would alter one (or move the opening balance of later months)
// asks first and writes nothing on No, and tolvario-libro checks a delivered book against
// what is stored. Driven through the window with keys and clicks, read back with SQL.
#include "output/LibroDelRegistro.h"
#include "platform/Operador.h"
#include "register/Planilla.h"
#include "tests/register/BaseDeRegistro.h"
#include "tests/support/Controles.h"
#include "tests/support/UnidadesDeCarpeta.h"

#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

using P = Planilla;

class EntregasTest : public BaseDeRegistro
{
protected:
    void SetUp() override
    {
        BaseDeRegistro::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // Five months of the mill and of a customer, every day.
        for (const QString& p : {u"12/2025"_s, u"01/2026"_s, u"02/2026"_s, u"03/2026"_s, u"04/2026"_s})
            for (int dia = 1; dia <= 31; ++dia) {
                fila(p, u"MOLINO"_s, dia, u"10"_s, u"4"_s);
                fila(p, u"C001"_s, dia, u"2"_s, u"0"_s);
            }
        auto u = std::make_unique<UnidadesDeCarpeta>();
        m_disco = u->Agregar(u"PENDRIVE"_s, Unidades::Tipo::Removible);
        Unidades::establecer(std::move(u));
        m_ventana->EstablecerLibro(std::make_unique<LibroDelRegistro>());
        m_ventana->ActualizarUnidades();
    }
    void TearDown() override
    {
        Unidades::establecer(nullptr);
        BaseDeRegistro::TearDown();
    }

    // The ONCCA button, the disk used as it is (not formatted).
    void entregar(const QString& periodo)
    {
        elegirPeriodo(periodo);
        m_guion->avisos.clear();
        m_guion->respuestas = {Operador::Si, Operador::Aceptar, Operador::Aceptar, Operador::No};
        clicOncca();
        ASSERT_TRUE(aviso(u"FINALIZADO"_s)) << todo();
        m_guion->avisos.clear();
    }
    void clicOncca()
    {
        auto* boton = Controles::Hijo<QPushButton>(m_ventana.get(), "CmdArchivo");
        QTest::mouseClick(boton, Qt::LeftButton);
    }
    QString rotulo() const { return Controles::Hijo<QLabel>(m_ventana.get(), "LblEntrega")->text(); }
    QString modificado(const QString& periodo)
    {
        return valor(u"SELECT Modificado FROM EM_TolvarioEntrega WHERE Periodo = '%1'"_s.arg(periodo));
    }
    QString historia(const QString& periodo)
    {
        return valor(u"SELECT COUNT(*) FROM EM_TolvarioHistoria WHERE Periodo = '%1'"_s.arg(periodo));
    }
    double entradas(const QString& periodo, const QString& cuenta, int dia)
    {
        return valor(u"SELECT Entradas FROM EM_Tolvario WHERE Periodo = '%1' AND Cuenta = '%2' AND DIA = %3"_s.arg(periodo, cuenta).arg(dia))
            .toDouble();
    }

    struct Salida {
        int codigo;
        QString texto;
        QString errores;
    };
    Salida libro(const QStringList& argumentos)
    {
        QProcess p;
        p.setProgram(QCoreApplication::applicationDirPath() + u"/tolvario-libro"_s);
        p.setArguments(argumentos + QStringList{comando()});
        p.start();
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    QString m_disco;
};

} // namespace

TEST_P(EntregasTest, UnCambioQueMueveMesesPosterioresYUnLibroEntregadoPreguntaPrimero)
{
    entregar(u"12/2025"_s);
    entregar(u"03/2026"_s);
    EXPECT_EQ(rotulo(), u"Entregado a ONCCA el "_s + QDate::currentDate().toString(u"dd/MM/yyyy"_s));
    EXPECT_EQ(modificado(u"03/2026"_s), u"0"_s);
    EXPECT_EQ(libro({u"--verificar"_s, u"03/2026"_s}).codigo, 0);

    // January's mill changes: February, March and April open with another balance, and
    // March was delivered. One question, the delivered book first and apart.
    elegirPeriodo(u"01/2026"_s);
    EXPECT_TRUE(rotulo().isEmpty()) << "January was never delivered";
    escribirDia(3, P::ColEntradas, u"55"_s);
    m_guion->avisos.clear();
    tecla(Qt::Key_F5); // no answer queued: the default, as Escape or Enter would give
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    const QString pregunta = m_guion->avisos[0].texto;
    EXPECT_TRUE(pregunta.startsWith(u"Este cambio altera libros ya entregados a ONCCA:\n    03/2026 (Entregado a ONCCA el"_s)) << pregunta.toStdString();
    EXPECT_TRUE(pregunta.contains(u"\n\nCambia el saldo anterior de los meses siguientes: 02/2026, 03/2026, 04/2026."_s)) << pregunta.toStdString();
    EXPECT_FALSE(pregunta.contains(u"12/2025"_s));
    EXPECT_EQ(m_guion->avisos[0].estilo & Operador::SegundoBoton, Operador::SegundoBoton) << "No is the default";
    // No: nothing written, not even history; the edit stays on screen.
    EXPECT_EQ(entradas(u"01/2026"_s, u"MOLINO"_s, 3), 10.0);
    EXPECT_EQ(historia(u"01/2026"_s), u"0"_s);
    EXPECT_EQ(modificado(u"03/2026"_s), u"0"_s);
    EXPECT_EQ(enGrilla(4, P::ColEntradas), u"55"_s);

    // A save the database refuses halfway: neither the lines, nor the history, nor the mark.
    rechazarDia(15);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si, Operador::Abortar};
    tecla(Qt::Key_F5);
    ASSERT_TRUE(aviso(u"ACTUALIZAR DATOS"_s)) << todo();
    EXPECT_EQ(entradas(u"01/2026"_s, u"MOLINO"_s, 3), 10.0);
    EXPECT_EQ(historia(u"01/2026"_s), u"0"_s);
    EXPECT_EQ(modificado(u"03/2026"_s), u"0"_s);
    quitarRechazo();

    // Sí: stored, one history row for the one account that changed, March marked.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F5);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_EQ(entradas(u"01/2026"_s, u"MOLINO"_s, 3), 55.0);
    EXPECT_EQ(historia(u"01/2026"_s), u"1"_s);
    EXPECT_EQ(valor(u"SELECT Cuenta FROM EM_TolvarioHistoria WHERE Periodo = '01/2026'"_s), u"MOLINO"_s);
    EXPECT_EQ(valor(u"SELECT Usuario FROM EM_TolvarioHistoria WHERE Periodo = '01/2026'"_s), u"JUAN"_s)
        << "the suite user the menu named, not the database login";
    EXPECT_EQ(modificado(u"03/2026"_s), u"1"_s);
    EXPECT_EQ(modificado(u"12/2025"_s), u"0"_s);

    // The check names the account whose page changed; the untouched delivery passes.
    const Salida marzo = libro({u"--verificar"_s, u"03/2026"_s});
    EXPECT_NE(marzo.codigo, 0);
    EXPECT_TRUE(marzo.texto.contains(u"Cambió: cuenta MOLINO."_s)) << marzo.texto.toStdString();
    EXPECT_FALSE(marzo.texto.contains(u"C001"_s));
    const Salida diciembre = libro({u"--verificar"_s, u"12/2025"_s});
    EXPECT_EQ(diciembre.codigo, 0) << diciembre.texto.toStdString();
    const Salida febrero = libro({u"--verificar"_s, u"02/2026"_s});
    EXPECT_NE(febrero.codigo, 0);
    EXPECT_TRUE(febrero.texto.contains(u"nunca se entregó"_s)) << febrero.texto.toStdString();
    EXPECT_TRUE(libro({u"--periodo"_s, u"03/2026"_s, u"--salida"_s, carpeta()})
                    .errores.contains(u"modificado después de la entrega"_s));

    // March on screen says so; a new copy asks once more, and No leaves the record as it was.
    elegirPeriodo(u"03/2026"_s);
    EXPECT_TRUE(rotulo().endsWith(u", modificado después de la entrega"_s)) << rotulo().toStdString();
    m_guion->avisos.clear();
    clicOncca();
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(u"¿Generar el archivo ONCCA otra vez"_s));
    EXPECT_EQ(modificado(u"03/2026"_s), u"1"_s);
    // Delivered again: the mark goes, and the stored figures are the delivered book.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si, Operador::Si, Operador::Aceptar, Operador::Aceptar, Operador::No};
    clicOncca();
    ASSERT_TRUE(aviso(u"FINALIZADO"_s)) << todo();
    EXPECT_EQ(modificado(u"03/2026"_s), u"0"_s);
    EXPECT_FALSE(rotulo().contains(u"modificado"_s));
    EXPECT_EQ(libro({u"--verificar"_s, u"03/2026"_s}).codigo, 0);
}

TEST_P(EntregasTest, ElUltimoMesEntregadoTambienPreguntaAlGrabarYAlBorrar)
{
    entregar(u"04/2026"_s);
    // Only a remark: no later month moves, but the delivered page does.
    escribirDia(5, P::ColObservaciones, u"remito 77"_s);
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(u"Este cambio altera libros ya entregados a ONCCA:\n    04/2026"_s));
    EXPECT_FALSE(m_guion->avisos[0].texto.contains(u"saldo anterior"_s));
    EXPECT_EQ(valor(u"SELECT Observaciones FROM EM_Tolvario WHERE Periodo = '04/2026' AND Cuenta = 'MOLINO' AND DIA = 5"_s), u""_s);

    // The ONCCA button saves first: refused, nothing is copied and no delivery recorded.
    const QString momento = valor(u"SELECT Momento FROM EM_TolvarioEntrega WHERE Periodo = '04/2026'"_s);
    EXPECT_EQ(valor(u"SELECT Usuario FROM EM_TolvarioEntrega WHERE Periodo = '04/2026'"_s), u"JUAN"_s);
    m_guion->avisos.clear();
    clicOncca();
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(u"Este cambio altera"_s));
    EXPECT_EQ(valor(u"SELECT Momento FROM EM_TolvarioEntrega WHERE Periodo = '04/2026'"_s), momento);
    EXPECT_EQ(modificado(u"04/2026"_s), u"0"_s);

    // The remark dropped (the month read again), only the sheet number changed. Shown old
    // and new first; Sí to it, then it is part of the delivered header, so that asks too:
    // No there writes nothing.
    m_guion->respuestas = {Operador::No};
    elegirPeriodo(u"04/2026"_s);
    m_guion->avisos.clear();
    teclearEnCaja(u"HOJA"_s, u"99"_s);
    m_guion->respuestas = {Operador::Si, Operador::No};
    tecla(Qt::Key_F5);
    ASSERT_EQ(m_guion->avisos.size(), 2u) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(u"Cambió el encabezado:\n    Hoja Nro: «"_s)) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(u"» → «99»"_s));
    EXPECT_TRUE(m_guion->avisos[1].texto.startsWith(u"Este cambio altera libros ya entregados a ONCCA:\n    04/2026"_s));
    EXPECT_NE(valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_HOJA_202604'"_s), u"99"_s);
    EXPECT_EQ(modificado(u"04/2026"_s), u"0"_s);
    // Sí to both: stored, the delivered book marked.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si, Operador::Si};
    tecla(Qt::Key_F5);
    EXPECT_EQ(m_guion->avisos.size(), 2u) << todo();
    EXPECT_EQ(valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_HOJA_202604'"_s), u"99"_s);
    EXPECT_EQ(modificado(u"04/2026"_s), u"1"_s);
    EXPECT_TRUE(rotulo().endsWith(u"modificado después de la entrega"_s));
    // Said once: saving again with nothing changed asks nothing.
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_TRUE(m_guion->avisos.empty()) << todo();

    // Deleting it names it in the one question; the default keeps it.
    m_guion->avisos.clear();
    tecla(Qt::Key_F4);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_EQ(m_guion->avisos[0].estilo & Operador::SegundoBoton, Operador::SegundoBoton);
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(u"Confirma la baja de este registro?\n04/2026"_s));
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(u"Este cambio altera libros ya entregados a ONCCA:\n    04/2026"_s));
    EXPECT_EQ(cuantas(u"04/2026"_s, u"MOLINO"_s), u"31"_s);
    // Sí: gone, with its history, and the delivered book marked.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F4);
    EXPECT_EQ(cuantas(u"04/2026"_s, u"MOLINO"_s), u"0"_s);
    EXPECT_EQ(historia(u"04/2026"_s), u"2"_s) << "one row per account";
    EXPECT_EQ(modificado(u"04/2026"_s), u"1"_s);
    EXPECT_NE(libro({u"--verificar"_s, u"04/2026"_s}).codigo, 0);
    // Nothing is on screen any more: a figure typed on the cleared grid goes nowhere.
    irA(2, P::ColEntradas);
    QTest::keyClicks(grilla(), u"555"_s);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_TRUE(enGrilla(2, P::ColEntradas).isEmpty());
}

// A remark is part of the delivered page: changed and stored, the check fails on it.
TEST_P(EntregasTest, UnaObservacionCambiadaNoPasaLaVerificacion)
{
    entregar(u"04/2026"_s);
    escribirDia(5, P::ColObservaciones, u"remito 77"_s);
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F5);
    ASSERT_EQ(valor(u"SELECT Observaciones FROM EM_Tolvario WHERE Periodo = '04/2026' AND Cuenta = 'MOLINO' AND DIA = 5"_s),
              u"remito 77"_s) << todo();
    const Salida abril = libro({u"--verificar"_s, u"04/2026"_s});
    EXPECT_NE(abril.codigo, 0);
    EXPECT_TRUE(abril.texto.contains(u"Cambió: cuenta MOLINO."_s)) << abril.texto.toStdString();
    EXPECT_FALSE(abril.texto.contains(u"C001"_s)) << abril.texto.toStdString();
}

// Half-way: an earlier month edited, then another period typed without Enter and a tab
// clicked, then the window closed; each path asks the same one question, and No keeps
// everything on screen and nothing written.
TEST_P(EntregasTest, DejarUnMesAnteriorAMedioCaminoPreguntaIgual)
{
    entregar(u"03/2026"_s);
    elegirPeriodo(u"01/2026"_s);
    escribirDia(4, P::ColEntradas, u"77"_s);
    teclearEnCaja(u"Periodo"_s, u"022026"_s);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si, Operador::No};
    clicTab(1);
    ASSERT_TRUE(aviso(u"Hay cambios sin grabar en 01/2026"_s)) << todo();
    ASSERT_TRUE(aviso(u"Este cambio altera libros ya entregados a ONCCA:\n    03/2026"_s)) << todo();
    EXPECT_EQ(periodo(), u"01/2026"_s) << "the save said No: the month stays on screen";
    EXPECT_EQ(entradas(u"01/2026"_s, u"MOLINO"_s, 4), 10.0);
    EXPECT_EQ(historia(u"01/2026"_s), u"0"_s);

    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si, Operador::No};
    m_ventana->close();
    EXPECT_TRUE(m_ventana->isVisible()) << todo();
    EXPECT_TRUE(aviso(u"Este cambio altera libros ya entregados"_s)) << todo();
    EXPECT_EQ(entradas(u"01/2026"_s, u"MOLINO"_s, 4), 10.0);
    EXPECT_EQ(modificado(u"03/2026"_s), u"0"_s);
    // Sí at last: stored, marked.
    m_guion->respuestas = {Operador::Si, Operador::Si};
    m_ventana->close();
    EXPECT_FALSE(m_ventana->isVisible()) << todo();
    EXPECT_EQ(entradas(u"01/2026"_s, u"MOLINO"_s, 4), 77.0);
    EXPECT_EQ(modificado(u"03/2026"_s), u"1"_s);
}

// A database the schema tool did not prepare: said once at start, and saves go on.
TEST_P(EntregasTest, SinLasTablasSeAvisaUnaVezYSeGrabaIgual)
{
    for (const char* t : {"EM_TolvarioEntregaCuenta", "EM_TolvarioEntrega", "EM_TolvarioHistoria"})
        ejecutar(u"DROP TABLE "_s + QString::fromLatin1(t));
    m_guion->avisos.clear();
    reabrir();
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(u"no se registran las entregas a ONCCA"_s));
    elegirPeriodo(u"04/2026"_s);
    escribirDia(2, P::ColEntradas, u"12"_s);
    tecla(Qt::Key_F5);
    EXPECT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_EQ(entradas(u"04/2026"_s, u"MOLINO"_s, 2), 12.0);
}

// A database prepared before deliveries were recorded still keeps its history.
TEST_P(EntregasTest, ConSoloElHistorialSeLoSigueLlevando)
{
    for (const char* t : {"EM_TolvarioEntregaCuenta", "EM_TolvarioEntrega"})
        ejecutar(u"DROP TABLE "_s + QString::fromLatin1(t));
    m_guion->avisos.clear();
    reabrir();
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(u"no se registran las entregas a ONCCA: le faltan"_s)) << todo();
    EXPECT_FALSE(m_guion->avisos[0].texto.contains(u"historial"_s));
    elegirPeriodo(u"04/2026"_s);
    escribirDia(2, P::ColEntradas, u"12"_s);
    tecla(Qt::Key_F5);
    EXPECT_EQ(historia(u"04/2026"_s), u"1"_s);
    const Salida h = libro({u"--historial"_s, u"04/2026"_s});
    EXPECT_TRUE(h.texto.contains(u"GRABAR  MOLINO"_s)) << h.texto.toStdString();
}

CON_CADA_MOTOR(EntregasTest);
