// The register window when the clerk leaves things half done: a period typed but not
// confirmed with Enter, a tab clicked or the window closed with edits pending, a user box
// overwritten without Enter. Keys and the mouse only; after each step the stored register
// and settings are read back with SQL, since what the screen shows can hide what was lost.
#include "register/EditorDeCelda.h"
#include "platform/Operador.h"
#include "register/FrmTolvario.h"
#include "register/Planilla.h"
#include "tests/register/BaseDeRegistro.h"

#include <QApplication>
#include <QScreen>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

using P = Planilla;

constexpr int TabMolino = 0;
constexpr int TabUsuarios = 6;

class MedioCaminoTest : public BaseDeRegistro
{
protected:
    void SetUp() override
    {
        BaseDeRegistro::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // The mill's stock before every period used here: the balance later periods open with.
        fila(u"03/2026"_s, u"MOLINO"_s, 1, u"50"_s, u"0"_s);
        // These walk through months nothing is stored for yet.
        m_guion->respuestasFijas = {{u"está lejos de los guardados"_s, Operador::Si}};
    }

    // The user box holding a customer, 0 when none: the database decides their order.
    int cajaDe(const QString& cuenta) const
    {
        for (int k = 1; k <= 5; ++k)
            if (usuario(k)->text() == cuenta)
                return k;
        return 0;
    }

    QString filasDe(const QString& periodo) { return valor(u"SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '%1'"_s.arg(periodo)); }
    double cifra(const QString& columna, const QString& periodo, const QString& cuenta, int dia)
    {
        return valor(u"SELECT COALESCE(SUM(%1), 0) FROM EM_Tolvario WHERE Periodo = '%2' AND Cuenta = '%3' AND DIA = %4"_s
                         .arg(columna, periodo, cuenta)
                         .arg(dia))
            .toDouble();
    }
    double entradas(const QString& periodo, const QString& cuenta, int dia) { return cifra(u"Entradas"_s, periodo, cuenta, dia); }
    void guardarHoja(const QString& anioMes, const QString& numero)
    {
        ejecutar(u"INSERT INTO ta_configuracion (CLAVE, VALOR, Grupo, PoliticaNegocio) VALUES ('TOLVARIO_HOJA_%1', '%2', 'DATOS', 0)"_s
                     .arg(anioMes, numero));
    }
    QString hojaGuardada(const QString& anioMes)
    {
        return valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_HOJA_%1'"_s.arg(anioMes));
    }
};

} // namespace

// F4 acts on the register on screen: a period typed over it is first loaded, as Enter would,
// and deleting it takes a second, confirmed F4 that names it.
TEST_P(MedioCaminoTest, BorrarConUnPeriodoSinConfirmarPrimeroLoCarga)
{
    fila(u"10/2026"_s, u"MOLINO"_s, 1, u"10"_s, u"0"_s);
    fila(u"09/2026"_s, u"MOLINO"_s, 3, u"30"_s, u"0"_s);
    fila(u"09/2026"_s, u"MOLINO"_s, 4, u"31"_s, u"0"_s);
    fila(u"09/2026"_s, u"C001"_s, 1, u"1"_s, u"0"_s);
    elegirPeriodo(u"10/2026"_s);
    teclearEnCaja(u"Periodo"_s, u"092026"_s);
    ASSERT_EQ(periodo(), u"09/2026"_s) << "the typing aid adds the slash";

    // Even a ready Sí deletes nothing on this F4: the clerk has not seen September yet.
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F4);
    EXPECT_EQ(aviso(u"Confirma la baja"_s), nullptr) << todo();
    EXPECT_EQ(filasDe(u"10/2026"_s), u"1"_s);
    EXPECT_EQ(filasDe(u"09/2026"_s), u"3"_s);
    EXPECT_EQ(periodo(), u"09/2026"_s);
    EXPECT_EQ(enGrilla(4, P::ColEntradas), u"30"_s) << "September is what the grid shows now";

    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F4);
    const auto* pregunta = aviso(u"Confirma la baja de este registro?"_s);
    ASSERT_NE(pregunta, nullptr) << todo();
    EXPECT_TRUE(pregunta->texto.startsWith(u"Confirma la baja de este registro?"_s));
    QStringList lineas = pregunta->texto.split(u'\n');
    for (QString& l : lineas)
        l = l.trimmed();
    EXPECT_TRUE(lineas.contains(u"09/2026"_s)) << pregunta->texto.toStdString();
    EXPECT_EQ(filasDe(u"09/2026"_s), u"0"_s);
    EXPECT_EQ(filasDe(u"10/2026"_s), u"1"_s) << "October was never the one on screen";
}

// A tab clicked with a period typed in the box: a good period is loaded as Enter would, a
// malformed one refused; nothing is ever stored under a period that is not MM/AAAA, nor
// under one the grid was not loaded for.
TEST_P(MedioCaminoTest, UnaPestanaConUnPeriodoSinConfirmarLoValidaComoEnter)
{
    const QString malFormados = u"SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo NOT LIKE '__/____' OR Periodo = ''"_s;
    fila(u"03/2026"_s, u"C001"_s, 1, u"5"_s, u"0"_s);

    // At start-up: a figure typed before any period, then April without Enter.
    escribirDia(1, P::ColEntradas, u"100"_s);
    teclearEnCaja(u"Periodo"_s, u"042026"_s);
    clicTab(TabUsuarios);
    clicTab(TabMolino);
    EXPECT_EQ(valor(malFormados), u"0"_s);
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = ''"_s), u"0"_s);
    EXPECT_EQ(periodo(), u"04/2026"_s);
    EXPECT_EQ(usuario(1)->text(), u"C001"_s) << "March's user, as Enter on the period brings it";
    EXPECT_TRUE(tabs()->isTabVisible(1));
    elegirPeriodo(u"05/2026"_s);
    EXPECT_EQ(enGrilla(P::FilaSaldoAnterior, P::ColSaldo), u"50"_s) << "the 100 typed before any period counts nowhere";

    // Not a period: said so, and the box shows again the period on screen.
    m_guion->avisos.clear();
    teclearEnCaja(u"Periodo"_s, u"0420"_s);
    ASSERT_EQ(periodo(), u"04/20"_s);
    clicTab(TabUsuarios);
    EXPECT_FALSE(m_guion->avisos.empty());
    EXPECT_EQ(periodo(), u"05/2026"_s);
    EXPECT_EQ(filasDe(u"04/20"_s), u"0"_s);
    EXPECT_EQ(valor(malFormados), u"0"_s);

    // From a user's tab to the mill's with February typed: February is on screen, so its
    // sheet number and the edit are February's, and January stays as stored.
    guardarHoja(u"202601"_s, u"7"_s);
    guardarHoja(u"202602"_s, u"9"_s);
    fila(u"01/2026"_s, u"MOLINO"_s, 1, u"30"_s, u"0"_s);
    fila(u"01/2026"_s, u"C001"_s, 1, u"40"_s, u"0"_s);
    elegirPeriodo(u"01/2026"_s);
    ASSERT_EQ(caja(u"HOJA"_s)->text(), u"7"_s);
    clicTab(1);
    teclearEnCaja(u"Periodo"_s, u"022026"_s);
    clicTab(TabMolino);
    EXPECT_EQ(periodo(), u"02/2026"_s);
    EXPECT_EQ(caja(u"HOJA"_s)->text(), u"9"_s);
    escribirDia(4, P::ColEntradas, u"7"_s);
    m_guion->respuestas = {Operador::Si}; // the later months' opening balance moves
    tecla(Qt::Key_F5);
    EXPECT_EQ(hojaGuardada(u"202602"_s), u"9"_s);
    EXPECT_EQ(hojaGuardada(u"202601"_s), u"7"_s);
    EXPECT_EQ(entradas(u"02/2026"_s, u"MOLINO"_s, 4), 7.0) << todo();
    EXPECT_EQ(valor(u"SELECT SUM(Entradas) FROM EM_Tolvario WHERE Periodo = '01/2026'"_s).toDouble(), 70.0);
    EXPECT_EQ(entradas(u"01/2026"_s, u"C001"_s, 1), 40.0);
}

// A user box overwritten without Enter: the tab clicked next stands for the new customer,
// the figure typed there is stored under it, and the old customer's lines go only after
// the clerk says so.
TEST_P(MedioCaminoTest, UnUsuarioCambiadoSinEnterSeGrabaComoElNuevo)
{
    fila(u"10/2026"_s, u"MOLINO"_s, 1, u"10"_s, u"0"_s);
    fila(u"10/2026"_s, u"C001"_s, 1, u"5"_s, u"0"_s);
    fila(u"10/2026"_s, u"C002"_s, 2, u"6"_s, u"0"_s);
    elegirPeriodo(u"10/2026"_s);
    const int k = cajaDe(u"C002"_s);
    ASSERT_NE(k, 0);
    clicTab(TabUsuarios);
    teclearEnCaja(u"USMOLINO%1"_s.arg(k), u"C004"_s);
    m_guion->respuestas = {Operador::Si};
    clicTab(k);
    escribirDia(5, P::ColEntradas, u"100"_s);
    tecla(Qt::Key_F5);

    EXPECT_EQ(entradas(u"10/2026"_s, u"C004"_s, 5), 100.0) << todo();
    const auto* pregunta = aviso(u"C002"_s);
    ASSERT_NE(pregunta, nullptr) << "C002 had lines in the period: " << todo();
    EXPECT_TRUE(pregunta->texto.contains(u"10/2026"_s)) << pregunta->texto.toStdString();
    EXPECT_EQ(cuantas(u"10/2026"_s, u"C002"_s), u"0"_s);
    EXPECT_EQ(entradas(u"10/2026"_s, u"C001"_s, 1), 5.0);
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM (SELECT Cuenta FROM EM_Tolvario WHERE Periodo = '10/2026' "
                    "GROUP BY Cuenta HAVING SUM(Entradas) = 0 AND SUM(Salidas) = 0) vacias"_s),
              u"0"_s)
        << "no account stored as a month of empty days";
}

// Edits not yet saved are never dropped without asking: a new period, F5 with another period
// typed, closing the window. Cancelar leaves everything as it was; Sí stores them under the
// period they were made in; No drops them.
TEST_P(MedioCaminoTest, LosCambiosSinGrabarSePreguntanAntesDePerderlos)
{
    fila(u"10/2026"_s, u"MOLINO"_s, 1, u"10"_s, u"0"_s);
    elegirPeriodo(u"10/2026"_s);
    escribirDia(3, P::ColEntradas, u"25"_s);

    m_guion->respuestas = {Operador::Cancelar};
    elegirPeriodo(u"11/2026"_s);
    const auto* pregunta = aviso(u"Hay cambios sin grabar en 10/2026"_s);
    ASSERT_NE(pregunta, nullptr) << todo();
    EXPECT_EQ(pregunta->estilo & 0xF, int(Operador::SiNoCancelar));
    EXPECT_EQ(periodo(), u"10/2026"_s);
    EXPECT_EQ(enGrilla(4, P::ColEntradas), u"25"_s);
    EXPECT_EQ(cuantas(u"10/2026"_s, u"MOLINO"_s), u"1"_s);
    EXPECT_EQ(filasDe(u"11/2026"_s), u"0"_s);

    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    elegirPeriodo(u"11/2026"_s);
    EXPECT_NE(aviso(u"Hay cambios sin grabar en 10/2026"_s), nullptr) << todo();
    EXPECT_EQ(entradas(u"10/2026"_s, u"MOLINO"_s, 3), 25.0);
    EXPECT_EQ(periodo(), u"11/2026"_s);
    EXPECT_TRUE(enGrilla(4, P::ColEntradas).isEmpty());
    EXPECT_EQ(filasDe(u"11/2026"_s), u"0"_s);

    escribirDia(4, P::ColEntradas, u"40"_s);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::No};
    elegirPeriodo(u"12/2026"_s);
    EXPECT_NE(aviso(u"Hay cambios sin grabar en 11/2026"_s), nullptr) << todo();
    EXPECT_EQ(filasDe(u"11/2026"_s), u"0"_s);
    EXPECT_EQ(periodo(), u"12/2026"_s);
    EXPECT_TRUE(enGrilla(5, P::ColEntradas).isEmpty());

    // F5 with January typed over December: December's edits are December's.
    escribirDia(5, P::ColEntradas, u"60"_s);
    teclearEnCaja(u"Periodo"_s, u"012027"_s);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F5);
    EXPECT_NE(aviso(u"Hay cambios sin grabar en 12/2026"_s), nullptr) << todo();
    EXPECT_EQ(entradas(u"12/2026"_s, u"MOLINO"_s, 5), 60.0);
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '01/2027' AND Entradas <> 0"_s), u"0"_s);

    // Closing: Cancelar keeps the window open, Sí stores and closes.
    elegirPeriodo(u"12/2026"_s);
    escribirDia(6, P::ColEntradas, u"70"_s);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Cancelar};
    m_ventana->close();
    EXPECT_NE(aviso(u"Hay cambios sin grabar en 12/2026"_s), nullptr) << todo();
    EXPECT_TRUE(m_ventana->isVisible());
    EXPECT_EQ(entradas(u"12/2026"_s, u"MOLINO"_s, 6), 0.0);
    m_guion->respuestas = {Operador::Si};
    m_ventana->close();
    EXPECT_EQ(entradas(u"12/2026"_s, u"MOLINO"_s, 6), 70.0);
    EXPECT_FALSE(m_ventana->isVisible());
}

// Sí to the question, and that save fails: nothing leaves the screen, neither for another
// period nor by closing; once the database takes it, Sí stores and goes on.
TEST_P(MedioCaminoTest, SiLaGrabacionPedidaFallaElPeriodoSeQueda)
{
    elegirPeriodo(u"10/2026"_s);
    escribirDia(15, P::ColEntradas, u"33"_s);
    rechazarDia(15);
    m_guion->respuestas = {Operador::Si, Operador::Abortar};
    elegirPeriodo(u"11/2026"_s);
    EXPECT_EQ(periodo(), u"10/2026"_s) << todo();
    EXPECT_EQ(enGrilla(16, P::ColEntradas), u"33"_s);
    m_guion->respuestas = {Operador::Si, Operador::Abortar};
    m_ventana->close();
    EXPECT_TRUE(m_ventana->isVisible());
    EXPECT_EQ(enGrilla(16, P::ColEntradas), u"33"_s);

    quitarRechazo();
    m_guion->respuestas = {Operador::Si};
    elegirPeriodo(u"11/2026"_s);
    EXPECT_EQ(periodo(), u"11/2026"_s);
    EXPECT_EQ(entradas(u"10/2026"_s, u"MOLINO"_s, 15), 33.0) << todo();
}

// Whole-number decimals only change what the grid shows: leaving a tab or saving without a
// change stores every figure exactly as it was.
TEST_P(MedioCaminoTest, LasCifrasGuardadasNoSeRedondeanPorMostrarlasEnteras)
{
    fila(u"10/2026"_s, u"MOLINO"_s, 3, u"2.5"_s, u"0"_s);
    fila(u"10/2026"_s, u"MOLINO"_s, 7, u"0"_s, u"0.5"_s);
    fila(u"10/2026"_s, u"C001"_s, 4, u"0"_s, u"1.5"_s);
    teclearEnCaja(u"Decimales"_s, u"0"_s);
    tecla(Qt::Key_Return);
    elegirPeriodo(u"10/2026"_s);
    EXPECT_EQ(enGrilla(4, P::ColEntradas), u"2"_s) << "shown whole, half to even";

    const auto intactas = [this](const char* paso) {
        SCOPED_TRACE(paso);
        EXPECT_EQ(entradas(u"10/2026"_s, u"MOLINO"_s, 3), 2.5);
        EXPECT_EQ(cifra(u"Salidas"_s, u"10/2026"_s, u"MOLINO"_s, 7), 0.5);
        EXPECT_EQ(cifra(u"Salidas"_s, u"10/2026"_s, u"C001"_s, 4), 1.5);
        EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_Tolvario WHERE Entradas IN (2, 3) OR Salidas IN (2, 3)"_s), u"0"_s);
    };
    clicTab(TabUsuarios);
    clicTab(TabMolino);
    intactas("una vuelta por las pestañas");
    tecla(Qt::Key_F5);
    intactas("F5 sin cambios");
    // Opened and confirmed as it was: still no change, nothing asked on leaving.
    irA(3, P::ColEntradas);
    tecla(Qt::Key_Space);
    ASSERT_TRUE(editor()->isVisible());
    tecla(Qt::Key_Return);
    m_guion->avisos.clear();
    clicTab(TabUsuarios);
    clicTab(TabMolino);
    elegirPeriodo(u"11/2026"_s);
    EXPECT_EQ(aviso(u"Hay cambios sin grabar"_s), nullptr) << todo();
    intactas("una celda abierta y confirmada sin cambios");
}

// What the clerk left half-way is pending too: a value still open in the editor, a sheet
// number typed, a user added. Each is asked about; No drops it, the sheet number included.
TEST_P(MedioCaminoTest, LoDejadoAMedioTambienSePregunta)
{
    guardarHoja(u"202610"_s, u"4"_s);
    elegirPeriodo(u"10/2026"_s);
    irA(3, P::ColEntradas);
    QTest::keyClicks(grilla(), u"2"_s);
    QTest::keyClicks(QApplication::focusWidget(), u"5"_s);
    ASSERT_TRUE(editor()->isVisible());
    m_guion->respuestas = {Operador::Cancelar};
    elegirPeriodo(u"11/2026"_s);
    EXPECT_NE(aviso(u"Hay cambios sin grabar en 10/2026 (Molino)"_s), nullptr) << todo();
    EXPECT_EQ(periodo(), u"10/2026"_s);
    EXPECT_EQ(enGrilla(4, P::ColEntradas), u"25"_s);

    teclearEnCaja(u"HOJA"_s, u"9"_s);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::No};
    m_ventana->close();
    EXPECT_NE(aviso(u"Hoja Nro"_s), nullptr) << todo();
    EXPECT_EQ(hojaGuardada(u"202610"_s), u"4"_s) << "No drops the sheet number typed";
    EXPECT_EQ(entradas(u"10/2026"_s, u"MOLINO"_s, 3), 0.0);

    reabrir();
    if (HasFatalFailure())
        return;
    elegirPeriodo(u"10/2026"_s);
    clicTab(TabUsuarios);
    usuario(1)->setFocus();
    QTest::keyClicks(usuario(1), u"C004"_s);
    tecla(Qt::Key_Return);
    ASSERT_TRUE(tabs()->isTabVisible(1));
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Cancelar};
    m_ventana->close();
    EXPECT_NE(aviso(u"alta de C004"_s), nullptr) << todo();
    EXPECT_TRUE(m_ventana->isVisible());
    m_guion->respuestas = {Operador::Si};
    m_ventana->close();
    EXPECT_EQ(cuantas(u"10/2026"_s, u"C004"_s), u"31"_s);
}

// A period whose load the database interrupts is not loaded: a save afterwards never writes
// over the register it did not read.
TEST_P(MedioCaminoTest, UnaCargaInterrumpidaNoQuedaCargada)
{
    fila(u"10/2026"_s, u"MOLINO"_s, 1, u"5"_s, u"0"_s);
    elegirPeriodo(u"09/2026"_s);
    ejecutar(u"ALTER TABLE EM_Tolvario RENAME TO EM_Tolvario_fuera"_s);
    m_guion->respuestas = {Operador::Abortar, Operador::Abortar, Operador::Abortar, Operador::Abortar};
    elegirPeriodo(u"10/2026"_s);
    ejecutar(u"ALTER TABLE EM_Tolvario_fuera RENAME TO EM_Tolvario"_s);
    EXPECT_TRUE(m_ventana->Sesion().Cargado().Periodo().isEmpty()) << todo();
    m_guion->respuestas = {};
    tecla(Qt::Key_F5);
    EXPECT_EQ(cuantas(u"10/2026"_s, u"MOLINO"_s), u"1"_s) << "nothing loaded, nothing to save";
    // Enter on the period still typed loads it now; saving it unchanged writes nothing.
    caja(u"Periodo"_s)->setFocus();
    tecla(Qt::Key_Return);
    tecla(Qt::Key_F5);
    EXPECT_EQ(m_ventana->Sesion().Cargado().Periodo(), u"10/2026"_s) << todo();
    EXPECT_EQ(cuantas(u"10/2026"_s, u"MOLINO"_s), u"1"_s) << todo();
    EXPECT_EQ(entradas(u"10/2026"_s, u"MOLINO"_s, 1), 5.0);
}

// The sheet number goes only under the period loaded when the window closes: never under
// one typed after it, never under a key that is no period.
TEST_P(MedioCaminoTest, AlCerrarLaHojaSeGrabaSoloBajoElPeriodoCargado)
{
    guardarHoja(u"202606"_s, u"5"_s);
    guardarHoja(u"202607"_s, u"6"_s);
    elegirPeriodo(u"06/2026"_s);
    ASSERT_EQ(caja(u"HOJA"_s)->text(), u"5"_s);
    teclearEnCaja(u"Periodo"_s, u"072026"_s);
    m_guion->respuestas = {Operador::No};
    m_ventana->close();
    EXPECT_EQ(hojaGuardada(u"202607"_s), u"6"_s) << todo();
    EXPECT_EQ(hojaGuardada(u"202606"_s), u"5"_s);

    reabrir();
    if (HasFatalFailure())
        return;
    elegirPeriodo(u"06/2026"_s);
    teclearEnCaja(u"Periodo"_s, u"129"_s);
    ASSERT_EQ(periodo(), u"12/9"_s);
    m_guion->respuestas = {Operador::No};
    m_ventana->close();
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM ta_configuracion WHERE CLAVE LIKE 'TOLVARIO_HOJA_%' AND LENGTH(CLAVE) <> 20"_s),
              u"0"_s)
        << "TOLVARIO_HOJA_ and six digits, nothing else";
    EXPECT_EQ(hojaGuardada(u"202606"_s), u"5"_s);
    EXPECT_EQ(hojaGuardada(u"202607"_s), u"6"_s);
}

// A period with fewer users than the one shown before it: the boxes and tabs left over are
// cleared, and saving stores nothing for customers the period does not have.
TEST_P(MedioCaminoTest, UnPeriodoConMenosUsuariosNoConservaLosDelAnterior)
{
    for (const QString& cuenta : {u"C001"_s, u"C002"_s, u"C003"_s, u"C004"_s, u"C005"_s})
        fila(u"05/2026"_s, cuenta, 1, u"1"_s, u"0"_s);
    fila(u"04/2026"_s, u"C001"_s, 1, u"1"_s, u"0"_s);
    fila(u"04/2026"_s, u"C002"_s, 2, u"2"_s, u"0"_s);
    elegirPeriodo(u"05/2026"_s);
    ASSERT_TRUE(tabs()->isTabVisible(5));
    elegirPeriodo(u"04/2026"_s);

    QStringList usuarios{usuario(1)->text(), usuario(2)->text()};
    usuarios.sort();
    EXPECT_EQ(usuarios, (QStringList{u"C001"_s, u"C002"_s}));
    for (int k = 3; k <= 5; ++k) {
        EXPECT_TRUE(usuario(k)->text().trimmed().isEmpty()) << k;
        EXPECT_FALSE(tabs()->isTabVisible(k)) << k;
    }
    tecla(Qt::Key_F5);
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '04/2026' AND Cuenta IN ('C003', 'C004', 'C005')"_s),
              u"0"_s);
    EXPECT_EQ(cuantas(u"04/2026"_s, u"C002"_s), u"1"_s) << "a stored user nobody changed is not written again";
}

// A stored remark longer than the editor used to take comes back whole after the clerk
// opens its cell and confirms it unchanged.
TEST_P(MedioCaminoTest, UnaObservacionLargaAbiertaYConfirmadaVuelveEntera)
{
    const QString larga = u"Entrega de trigo candeal segun remito 0001-"_s.leftJustified(200, u'9');
    fila(u"10/2026"_s, u"MOLINO"_s, 2, u"0"_s, u"0"_s, larga);
    elegirPeriodo(u"10/2026"_s);
    irA(2, P::ColObservaciones);
    tecla(Qt::Key_Space);
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->text(), larga);
    tecla(Qt::Key_Return);
    tecla(Qt::Key_F5);
    EXPECT_EQ(valor(u"SELECT Observaciones FROM EM_Tolvario WHERE Periodo = '10/2026' AND Cuenta = 'MOLINO' AND DIA = 2"_s), larga);
    EXPECT_EQ(valor(u"SELECT LENGTH(Observaciones) FROM EM_Tolvario WHERE Periodo = '10/2026' AND Cuenta = 'MOLINO' AND DIA = 2"_s),
              u"200"_s);
}

// After F5 the status bar says what was stored, and the clerk stays on the tab being worked.
TEST_P(MedioCaminoTest, TrasGrabarLaBarraDeEstadoLoDiceYLaPestanaSigue)
{
    fila(u"10/2026"_s, u"C001"_s, 1, u"5"_s, u"0"_s);
    fila(u"10/2026"_s, u"C002"_s, 1, u"6"_s, u"0"_s);
    elegirPeriodo(u"10/2026"_s);
    const QString cuenta = usuario(1)->text();
    clicTab(1);
    escribirDia(2, P::ColEntradas, u"8"_s);
    tecla(Qt::Key_F5);
    auto* barra = m_ventana->findChild<QStatusBar*>(u"BStat"_s);
    ASSERT_NE(barra, nullptr);
    const QString mensaje = barra->currentMessage();
    EXPECT_TRUE(mensaje.contains(u"Período 10/2026 grabado"_s)) << mensaje.toStdString();
    // The user changed, and the mill, which had nothing stored in the period yet.
    EXPECT_TRUE(mensaje.contains(u"2 cuentas"_s)) << mensaje.toStdString();
    EXPECT_EQ(tabs()->currentIndex(), 1);
    EXPECT_EQ(entradas(u"10/2026"_s, cuenta, 2), 8.0) << todo();
}

CON_CADA_MOTOR(MedioCaminoTest);

// Figures typed too early after Enter on the period land in the sheet number and the title:
// the boxes say so, and the save shows each old and new value before storing them; No (the
// default) puts the stored ones back and still saves the register. Closing with a setting
// changed asks too.
TEST_P(MedioCaminoTest, UnAjusteCambiadoPorErrorNoPasaSinVerse)
{
    fila(u"10/2026"_s, u"MOLINO"_s, 1, u"10"_s, u"0"_s);
    guardarHoja(u"202610"_s, u"7"_s);
    elegirPeriodo(u"10/2026"_s);
    QLineEdit* hoja = caja(u"HOJA"_s);
    QLineEdit* titulo = caja(u"TITULO"_s);
    const QString tituloGuardado = titulo->text();
    const QString tituloEnLaBase = valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_TITULO'"_s);
    ASSERT_EQ(QApplication::focusWidget(), hoja) << "the sheet number follows the period";
    EXPECT_FALSE(hoja->property("cambiado").toBool());
    QTest::keyClicks(QApplication::focusWidget(), u"150"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), u"20"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(hoja->text(), u"150"_s);
    EXPECT_TRUE(hoja->property("cambiado").toBool());
    EXPECT_TRUE(hoja->font().bold());
    EXPECT_TRUE(titulo->property("cambiado").toBool()) << titulo->text().toStdString();
    EXPECT_TRUE(titulo->toolTip().contains(tituloGuardado));

    escribirDia(2, P::ColEntradas, u"5"_s);
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    const OperadorGuionado::Aviso* pregunta = aviso(u"Cambió el encabezado:"_s);
    ASSERT_TRUE(pregunta) << todo();
    EXPECT_TRUE(pregunta->texto.contains(u"Hoja Nro: «7» → «150»"_s)) << pregunta->texto.toStdString();
    EXPECT_TRUE(pregunta->texto.contains(u"Título: «%1» → «"_s.arg(tituloGuardado))) << pregunta->texto.toStdString();
    EXPECT_EQ(pregunta->estilo & Operador::SegundoBoton, Operador::SegundoBoton) << "No is the default";
    EXPECT_EQ(hoja->text(), u"7"_s);
    EXPECT_EQ(titulo->text(), tituloGuardado);
    EXPECT_FALSE(hoja->property("cambiado").toBool());
    EXPECT_EQ(hojaGuardada(u"202610"_s), u"7"_s);
    EXPECT_EQ(valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_TITULO'"_s), tituloEnLaBase);
    EXPECT_EQ(entradas(u"10/2026"_s, u"MOLINO"_s, 2), 5.0) << "the register is saved all the same";

    // Closing with the title changed: a pending change, named; Cancelar keeps the window.
    teclearEnCaja(u"TITULO"_s, u"LIBRO NUEVO"_s);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Cancelar};
    m_ventana->close();
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_EQ(m_guion->avisos[0].texto, u"Hay cambios sin grabar en 10/2026 (Título). ¿Grabarlos?\nCambió el encabezado:\n"
                                        u"    Título: «%1» → «LIBRO NUEVO»"_s.arg(tituloGuardado));
    EXPECT_TRUE(m_ventana->isVisible());
    // Another station renames the book meanwhile; No here puts this box back and closing
    // writes none of the settings this station did not change: theirs stays.
    ejecutar(u"DELETE FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_TITULO'"_s);
    ejecutar(u"INSERT INTO ta_configuracion (CLAVE, VALOR, Grupo, PoliticaNegocio) VALUES ('TOLVARIO_TITULO', 'DEL OTRO PUESTO', 'DATOS', 0)"_s);
    m_guion->respuestas = {Operador::No};
    m_ventana->close();
    EXPECT_FALSE(m_ventana->isVisible());
    EXPECT_EQ(valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_TITULO'"_s).trimmed(), u"DEL OTRO PUESTO"_s);
}

// Sí to the pending question stores the header changes it showed, without asking again.
TEST_P(MedioCaminoTest, SiALosCambiosPendientesGrabaElEncabezadoSinPreguntarDeNuevo)
{
    fila(u"10/2026"_s, u"MOLINO"_s, 1, u"10"_s, u"0"_s);
    elegirPeriodo(u"10/2026"_s);
    escribirDia(3, P::ColEntradas, u"4"_s);
    teclearEnCaja(u"HOJA"_s, u"12"_s);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    elegirPeriodo(u"03/2026"_s);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(u"Hoja Nro: «"_s)) << todo();
    EXPECT_EQ(hojaGuardada(u"202610"_s), u"12"_s);
    EXPECT_EQ(entradas(u"10/2026"_s, u"MOLINO"_s, 3), 4.0);
    EXPECT_EQ(periodo(), u"03/2026"_s);
}

// A figure typed over a cell that shows the same rounded text is the clerk's figure.
TEST_P(MedioCaminoTest, UnaCifraEscritaIgualALaQueSeVeReemplazaLaExacta)
{
    fila(u"10/2026"_s, u"MOLINO"_s, 1, u"2.5"_s, u"0"_s);
    elegirPeriodo(u"10/2026"_s);
    ASSERT_EQ(enGrilla(2, P::ColEntradas), u"2"_s) << "whole numbers: 2.5 shows as 2";
    escribirDia(1, P::ColEntradas, u"2"_s);
    tecla(Qt::Key_F5);
    EXPECT_EQ(entradas(u"10/2026"_s, u"MOLINO"_s, 1), 2.0) << todo();
    // Opened on its own text (F2) and left by a click on another cell: the exact amount stays.
    fila(u"10/2026"_s, u"C001"_s, 1, u"2.5"_s, u"0"_s);
    ejecutar(u"UPDATE EM_Tolvario SET Salidas = 3.5 WHERE Periodo = '10/2026' AND Cuenta = 'MOLINO' AND DIA = 1"_s);
    elegirPeriodo(u"10/2026"_s);
    irA(1, P::ColSalidas);
    tecla(Qt::Key_F2);
    ASSERT_TRUE(editor()->isVisible());
    QTest::mouseClick(grilla()->viewport(), Qt::LeftButton, {}, grilla()->visualRect(grilla()->model()->index(5, P::ColEntradas)).center());
    EXPECT_FALSE(editor()->isVisible());
    tecla(Qt::Key_F5);
    EXPECT_EQ(cifra(u"Salidas"_s, u"10/2026"_s, u"MOLINO"_s, 1), 3.5) << todo();
}

// No to the pending question when leaving a period puts back every header change it showed.
TEST_P(MedioCaminoTest, NoALosCambiosPendientesVuelveElEncabezadoEntero)
{
    fila(u"10/2026"_s, u"MOLINO"_s, 1, u"10"_s, u"0"_s);
    elegirPeriodo(u"10/2026"_s);
    const QString titulo = caja(u"TITULO"_s)->text();
    escribirDia(3, P::ColEntradas, u"4"_s);
    teclearEnCaja(u"TITULO"_s, u"OTRO"_s);
    m_guion->respuestas = {Operador::No};
    elegirPeriodo(u"03/2026"_s);
    EXPECT_EQ(caja(u"TITULO"_s)->text(), titulo);
    EXPECT_FALSE(caja(u"TITULO"_s)->property("cambiado").toBool());
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_EQ(aviso(u"Cambió el encabezado"_s), nullptr) << todo();
}

// The window fits the clerk's screen and comes back as the clerk left it; the figures get
// their room before the remarks.
TEST_P(MedioCaminoTest, LaVentanaVuelveComoLaDejoElUsuario)
{
    const QRect pantalla = m_ventana->screen()->availableGeometry();
    if (pantalla.width() < 1200 || pantalla.height() < 720) {
        EXPECT_TRUE(m_ventana->isMaximized()) << "a screen smaller than the window: all of it";
    }
    const QFontMetrics fm = grilla()->fontMetrics();
    EXPECT_GE(grilla()->columnWidth(P::ColEntradas), fm.horizontalAdvance(u"-999,999,999.9999"_s));
    EXPECT_EQ(grilla()->columnWidth(P::ColSalidas), grilla()->columnWidth(P::ColEntradas));

    m_ventana->showNormal();
    m_ventana->resize(640, 480);
    m_ventana->move(30, 40);
    QApplication::processEvents();
    const QRect dejada = m_ventana->geometry();
    m_ventana->close();
    reabrir();
    // As left when it still fits the screen (the window has a width it cannot go below);
    // else all of the screen, never past it.
    if (pantalla.contains(dejada)) {
        EXPECT_FALSE(m_ventana->isMaximized());
        EXPECT_EQ(m_ventana->size(), dejada.size());
    } else {
        EXPECT_TRUE(m_ventana->isMaximized());
    }
    // Never in the suite's shared settings table.
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM ta_configuracion WHERE CLAVE LIKE '%%ventana%%' OR VALOR LIKE '%%FrmTolvario%%'"_s), u"0"_s);
}

// What the clerk typed in the header and did not confirm is pending as a figure is: a
// customer code in a user box, a sheet number.
TEST_P(MedioCaminoTest, UnCodigoOUnaHojaSinConfirmarSePreguntanAlCerrar)
{
    fila(u"10/2026"_s, u"MOLINO"_s, 1, u"10"_s, u"0"_s);
    elegirPeriodo(u"10/2026"_s);
    ASSERT_EQ(cajaDe(u"C002"_s), 0);
    teclearEnCaja(u"USMOLINO2"_s, u"c002"_s);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Cancelar};
    tecla(Qt::Key_F12);
    EXPECT_NE(aviso(u"usuario 2 (c002)"_s), nullptr) << todo();
    ASSERT_TRUE(m_ventana->isVisible()) << "Cancelar keeps the window";

    teclearEnCaja(u"HOJA"_s, u"77"_s);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F12);
    const auto* pregunta = aviso(u"Hay cambios sin grabar en 10/2026"_s);
    ASSERT_NE(pregunta, nullptr) << todo();
    EXPECT_TRUE(pregunta->texto.contains(u"Hoja Nro"_s)) << todo();
    // Sí stores the user as the customer's code is, and the number.
    EXPECT_EQ(cuantas(u"10/2026"_s, u"C002"_s), u"31"_s) << todo();
    EXPECT_EQ(hojaGuardada(u"202610"_s), u"77"_s);
}

// Leaving a tab stores the account left through the same save as F5, checked as F5 checks it,
// and leaves the header's settings to the save of everything: not asked about, not stored.
TEST_P(MedioCaminoTest, DejarUnaPestanaGrabaSuCuentaYNoLosAjustes)
{
    fila(u"10/2026"_s, u"MOLINO"_s, 1, u"10"_s, u"0"_s);
    fila(u"10/2026"_s, u"C001"_s, 1, u"5"_s, u"0"_s);
    guardarHoja(u"202610"_s, u"7"_s);
    elegirPeriodo(u"10/2026"_s);
    const QString tituloEnLaBase = valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_TITULO'"_s);
    teclearEnCaja(u"TITULO"_s, u"LIBRO NUEVO"_s);
    escribirDia(2, P::ColEntradas, u"5"_s);
    m_guion->avisos.clear();
    clicTab(1);
    EXPECT_EQ(aviso(u"Cambió el encabezado"_s), nullptr) << todo();
    EXPECT_EQ(entradas(u"10/2026"_s, u"MOLINO"_s, 2), 5.0) << todo();
    EXPECT_EQ(valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_TITULO'"_s), tituloEnLaBase);
    EXPECT_EQ(caja(u"TITULO"_s)->text(), u"LIBRO NUEVO"_s) << "still pending, for F5";
    EXPECT_EQ(tabs()->currentIndex(), 1);

    // A figure refused in the editor: the tab stays, nothing stored, the figure still there.
    irA(3, P::ColEntradas);
    for (QChar c : u"9999999999"_s)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
    m_guion->avisos.clear();
    clicTab(TabMolino);
    EXPECT_NE(aviso(u"La cantidad debe estar entre"_s), nullptr) << todo();
    EXPECT_EQ(tabs()->currentIndex(), 1);
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '10/2026' AND Cuenta = 'C001' AND DIA = 3 AND Entradas <> 0"_s), u"0"_s);
}
