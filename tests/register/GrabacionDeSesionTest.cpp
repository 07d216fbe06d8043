// The register session's one save on a real database, without a window: the clerk's answers
// come from a script. Another station's save since, a change that moves later months, the
// header's settings, the pending question and a save the database refuses each leave exactly
// the version the answer promises.
#include "register/Planilla.h"
#include "register/RegistroTolvario.h"
#include "register/SesionRegistro.h"
#include "tests/support/BaseDePrueba.h"

#include <QFile>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

using G = SesionRegistro::Grabacion;
using A = SesionRegistro::Alcance;

class GrabacionDeSesionTest : public BaseIniciada
{
protected:
    void poblar() override
    {
        for (int dia = 1; dia <= 31; ++dia)
            ejecutar(u"INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                     "VALUES ('10/2026', 'MOLINO', %1, 1, 0, '')"_s.arg(dia));
    }
    // The period opened as the window opens it: the mill on the grid, the settings as stored.
    void abrir(const QString& periodo)
    {
        m_sesion.AbrirPeriodo(periodo);
        m_sesion.AsignarDatos(u"MOLINO"_s);
        m_pantalla.mostradas = {u"MOLINO"_s};
        m_pantalla.encabezado = SesionRegistro::LeerEncabezado(periodo);
        m_sesion.TomarAjustesGuardados(m_pantalla.encabezado);
    }
    SesionRegistro::Pantalla pantalla()
    {
        SesionRegistro::Pantalla p;
        p.leer = [this] { return m_pantalla; };
        return p;
    }
    SesionRegistro::Hecho grabar(A alcance = A::Todo) { return m_sesion.Grabar(alcance, pantalla()); }
    // Day d's Entradas as the clerk types it, and as the grid shows it.
    void escribir(int dia, const QString& cifra, int columna = Planilla::ColEntradas)
    {
        m_sesion.Lineas().PonerCantidad(Planilla::PrimeraFilaDia + dia - 1, columna, cifra, m_sesion.Decimales());
    }
    QString enGrilla(int dia) const { return m_sesion.Lineas().Texto(Planilla::PrimeraFilaDia + dia - 1, Planilla::ColEntradas); }
    void otroPuestoGraba(int dia, int cantidad, const QString& periodo = u"10/2026"_s)
    {
        ejecutar(u"UPDATE EM_Tolvario SET Entradas = %1 WHERE Periodo = '%2' AND Cuenta = 'MOLINO' AND DIA = %3"_s.arg(cantidad).arg(periodo).arg(dia));
    }
    double entradas(int dia, const QString& periodo = u"10/2026"_s, const QString& cuenta = u"MOLINO"_s)
    {
        return valor(u"SELECT COALESCE(SUM(Entradas), 0) FROM EM_Tolvario WHERE Periodo = '%1' AND Cuenta = '%2' AND DIA = %3"_s
                         .arg(periodo, cuenta)
                         .arg(dia))
            .toDouble();
    }
    int preguntas(const QString& periodo = u"10/2026"_s) const
    {
        int n = 0;
        for (const auto& a : m_guion->avisos)
            n += a.texto.startsWith(u"Otro puesto grabó la cuenta Molino de %1 después de que usted la cargó."_s.arg(periodo));
        return n;
    }
    const OperadorGuionado::Aviso* aviso(const QString& parte) const
    {
        for (auto it = m_guion->avisos.rbegin(); it != m_guion->avisos.rend(); ++it)
            if (it->texto.contains(parte))
                return &*it;
        return nullptr;
    }
    QString hojaGuardada(const QString& anioMes) { return valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_HOJA_%1'"_s.arg(anioMes)); }
    QString tituloGuardado() { return valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_TITULO'"_s); }
    std::string todo() const { return m_guion->todo().toStdString(); }

    SesionRegistro m_sesion;
    SesionRegistro::EnPantalla m_pantalla;
};

} // namespace

// Cancelar (the default) writes nothing and keeps the change pending; No shows theirs; Sí
// writes this screen over what the clerk was told of, and nothing newer.
TEST_P(GrabacionDeSesionTest, CadaRespuestaAOtroPuestoDejaLaVersionQuePromete)
{
    abrir(u"10/2026"_s);
    escribir(3, u"333"_s);
    otroPuestoGraba(5, 555);
    SesionRegistro::Hecho h = grabar();
    EXPECT_EQ(preguntas(), 1) << todo();
    EXPECT_EQ(entradas(3), 1.0);
    EXPECT_EQ(entradas(5), 555.0) << "theirs untouched";
    EXPECT_EQ(enGrilla(3), u"333"_s);
    EXPECT_NE(h.estado, G::Grabada) << "a save that did not happen is not reported done";
    EXPECT_EQ(m_sesion.UltimaGrabacion(), h.estado);
    EXPECT_TRUE(h.aviso.contains(u"la grabación no se completó"_s)) << h.aviso.toStdString();
    EXPECT_TRUE(h.aviso.contains(u"Sin grabar: Molino"_s)) << h.aviso.toStdString();

    // No: theirs on the grid, this change dropped.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::No};
    EXPECT_EQ(grabar().aviso, u"Período 10/2026: quedó lo grabado por otro puesto en Molino; sus cambios ahí no se grabaron."_s)
        << "the clerk reads that the change was dropped, not that nothing changed";
    EXPECT_EQ(preguntas(), 1);
    EXPECT_EQ(enGrilla(5), u"555"_s);
    EXPECT_NE(enGrilla(3), u"333"_s);
    EXPECT_EQ(entradas(3), 1.0);

    // Sí: this screen over theirs, whole.
    escribir(3, u"333"_s);
    otroPuestoGraba(7, 777);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    EXPECT_EQ(grabar().estado, G::Grabada);
    EXPECT_EQ(preguntas(), 1);
    EXPECT_EQ(entradas(3), 333.0);
    EXPECT_EQ(entradas(5), 555.0) << "on the grid since No";
    EXPECT_EQ(entradas(7), 1.0) << "their later change replaced, as the clerk chose";

    // Saved and unchanged since: the next save asks nothing and writes nothing.
    otroPuestoGraba(9, 999);
    m_guion->avisos.clear();
    grabar();
    EXPECT_EQ(preguntas(), 0);
    EXPECT_EQ(entradas(9), 999.0) << "an untouched account is never written";

    // The database already holds exactly this screen (this station's own save whose answer
    // was lost with the connection): stored, nothing asked.
    m_sesion.AsignarDatos(u"MOLINO"_s);
    escribir(3, u"444"_s);
    otroPuestoGraba(3, 444);
    EXPECT_EQ(grabar().estado, G::Grabada);
    EXPECT_EQ(preguntas(), 0) << todo();
    EXPECT_EQ(entradas(3), 444.0);

    // A third save lands while the clerk reads the question: asked about again, never
    // written over unseen.
    escribir(3, u"555"_s);
    otroPuestoGraba(5, 5555);
    bool una = true;
    m_guion->alMostrar = [&](const OperadorGuionado::Aviso& a) {
        if (una && a.texto.startsWith(u"Otro puesto grabó"_s)) {
            una = false;
            otroPuestoGraba(6, 666);
        }
    };
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si, Operador::Cancelar};
    grabar();
    EXPECT_EQ(preguntas(), 2) << "asked again about the save made meanwhile";
    EXPECT_EQ(entradas(6), 666.0) << "never written over unseen";
    EXPECT_EQ(entradas(3), 444.0);
}

// A period new to both stations: the other one saves the mill first; this one, which never
// touched it, saves: theirs stays, on the grid, with no question; and later saves of theirs
// are never written over.
TEST_P(GrabacionDeSesionTest, UnaCuentaNuevaQueNoSeTocoNuncaPisaLaDelOtro)
{
    abrir(u"11/2026"_s);
    for (int dia = 1; dia <= 31; ++dia)
        ejecutar(u"INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                 "VALUES ('11/2026', 'MOLINO', %1, %2, 0, '')"_s.arg(dia).arg(dia == 3 ? 333 : 0));
    m_guion->respuestas = {Operador::Si, Operador::Si};
    grabar();
    EXPECT_EQ(preguntas(u"11/2026"_s), 0) << todo();
    EXPECT_EQ(entradas(3, u"11/2026"_s), 333.0);
    EXPECT_EQ(enGrilla(3), u"333"_s) << "theirs on the grid";
    otroPuestoGraba(4, 444, u"11/2026"_s);
    m_guion->avisos.clear();
    grabar();
    EXPECT_TRUE(m_guion->avisos.empty()) << todo();
    EXPECT_EQ(entradas(4, u"11/2026"_s), 444.0);
}

// A failure in the middle of an account's save leaves that account exactly as it was stored,
// whether the clerk goes past it, retries or abandons; once the database takes it, the same
// screen stores whole.
TEST_P(GrabacionDeSesionTest, UnaGrabacionRechazadaNoDejaLaCuentaAMediasYSeReintenta)
{
    abrir(u"10/2026"_s);
    escribir(1, u"55"_s);
    rechazarDia(15);
    m_guion->respuestas = {Operador::Ignorar};
    EXPECT_EQ(grabar().estado, G::Incompleta);
    ASSERT_GE(m_guion->avisos.size(), 1u);
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(u"ACTUALIZAR DATOS"_s)) << todo();
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '10/2026'"_s), u"31"_s) << "the old register whole";
    EXPECT_EQ(entradas(1), 1.0);

    // Retry meets the same fault; abort: the save is known not to have completed.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Reintentar, Operador::Abortar};
    EXPECT_NE(grabar().estado, G::Grabada);
    EXPECT_FALSE(m_sesion.Grabando());
    EXPECT_EQ(m_sesion.Pendientes(m_pantalla), QStringList{u"Molino"_s}) << "still on the grid, pending";
    // Every one of those boxes left its line in the error log, with the answer given.
    {
        QFile log(carpeta() + u"/VMERR.LOG"_s);
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QString lineas = QString::fromUtf8(log.readAll());
        const QRegularExpression forma(u"^\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d Rutina: - ACTUALIZAR DATOS Mensaje "
                                       "Ha ocurrido el Siguiente Error \\(-?\\d+\\) .* Respondió : (Ignorar|Abortar|Reintentar)\\r$"_s,
                                       QRegularExpression::MultilineOption);
        int ignorar = 0, abortar = 0, reintentar = 0;
        for (auto it = forma.globalMatch(lineas); it.hasNext();) {
            const QString palabra = it.next().captured(1);
            (palabra == u"Ignorar"_s ? ignorar : palabra == u"Abortar"_s ? abortar : reintentar)++;
        }
        EXPECT_GE(ignorar, 1) << lineas.toStdString();
        EXPECT_GE(reintentar, 1) << lineas.toStdString();
        EXPECT_GE(abortar, 1) << lineas.toStdString();
    }
    quitarRechazo();
    m_guion->avisos.clear();
    const SesionRegistro::Hecho h = grabar();
    EXPECT_EQ(h.estado, G::Grabada) << todo();
    EXPECT_EQ(h.aviso, u"Período 10/2026 grabado: 1 cuenta"_s);
    EXPECT_EQ(entradas(1), 55.0);
    EXPECT_TRUE(m_sesion.Pendientes(m_pantalla).isEmpty());
}

// The header's settings are the whole period's: leaving a tab neither asks about them nor
// stores them; a save of everything asks once, old and new, and No stores the register with
// the stored settings; Sí to the pending question is their answer too.
TEST_P(GrabacionDeSesionTest, LosAjustesSePreguntanUnaVezYSoloLosGrabaLaGrabacionDeTodo)
{
    ejecutar(u"INSERT INTO ta_configuracion (CLAVE, VALOR, Grupo, PoliticaNegocio) VALUES ('TOLVARIO_HOJA_202610', '7', 'DATOS', 0)"_s);
    abrir(u"10/2026"_s);
    const QString titulo = m_pantalla.encabezado[u"TITULO"_s];
    const QString tituloEnLaBase = tituloGuardado();
    m_pantalla.encabezado[u"HOJA"_s] = u"150"_s;
    m_pantalla.encabezado[u"TITULO"_s] = u"20"_s;
    escribir(2, u"5"_s);
    EXPECT_EQ(grabar(A::CuentaQueSeDeja).estado, G::Grabada);
    EXPECT_EQ(aviso(u"Cambió el encabezado"_s), nullptr) << todo();
    EXPECT_EQ(entradas(2), 5.0);
    EXPECT_EQ(tituloGuardado(), tituloEnLaBase);
    EXPECT_EQ(hojaGuardada(u"202610"_s), u"7"_s);

    escribir(2, u"6"_s);
    const SesionRegistro::Hecho h = grabar(); // no answer queued: the default
    const OperadorGuionado::Aviso* pregunta = aviso(u"Cambió el encabezado:"_s);
    ASSERT_TRUE(pregunta) << todo();
    EXPECT_TRUE(pregunta->texto.contains(u"Hoja Nro: «7» → «150»"_s)) << pregunta->texto.toStdString();
    EXPECT_TRUE(pregunta->texto.contains(u"Título: «%1» → «20»"_s.arg(titulo.trimmed()))) << pregunta->texto.toStdString();
    EXPECT_EQ(pregunta->estilo & Operador::SegundoBoton, Operador::SegundoBoton) << "No is the default";
    EXPECT_TRUE(h.ajustesRepuestos) << "the window shows the stored ones again";
    EXPECT_EQ(hojaGuardada(u"202610"_s), u"7"_s);
    EXPECT_EQ(tituloGuardado(), tituloEnLaBase);
    EXPECT_EQ(entradas(2), 6.0) << "the register is saved all the same";

    // Sí to the pending question stores the header changes it showed, without asking again.
    m_pantalla.encabezado[u"TITULO"_s] = titulo;
    m_pantalla.encabezado[u"HOJA"_s] = u"12"_s;
    escribir(3, u"4"_s);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    EXPECT_EQ(m_sesion.ResolverPendientes(pantalla()), SesionRegistro::Pendiente::Seguir);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(u"Hoja Nro: «7» → «12»"_s)) << todo();
    EXPECT_EQ(hojaGuardada(u"202610"_s), u"12"_s);
    EXPECT_EQ(entradas(3), 4.0);

    // Closing with the title changed: a pending change, named in full; Cancelar stays.
    m_pantalla.encabezado[u"TITULO"_s] = u"LIBRO NUEVO"_s;
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Cancelar};
    EXPECT_EQ(m_sesion.ResolverPendientes(pantalla(), true), SesionRegistro::Pendiente::Quedarse);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_EQ(m_guion->avisos[0].texto, u"Hay cambios sin grabar en 10/2026 (Título). ¿Grabarlos?\nCambió el encabezado:\n"
                                        u"    Título: «%1» → «LIBRO NUEVO»"_s.arg(titulo.trimmed()));
    // No: dropped; closing then writes none of the settings the clerk did not keep.
    m_guion->respuestas = {Operador::No};
    EXPECT_EQ(m_sesion.ResolverPendientes(pantalla(), true), SesionRegistro::Pendiente::Descartados);
    EXPECT_EQ(tituloGuardado(), tituloEnLaBase);
}

// A figure of an earlier month moves the opening balance of every later one: asked once over
// everything the save writes, No the default; No writes nothing and says so, Sí writes. A user
// replaced takes its stored lines with it.
TEST_P(GrabacionDeSesionTest, LoQueMueveLosMesesSiguientesSePreguntaAntesDeEscribir)
{
    for (const char* periodo : {"06/2005", "07/2005"})
        for (const char* cuenta : {"MOLINO", "C003"})
            ejecutar(u"INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                     "VALUES ('%1', '%2', 1, 10, 0, '')"_s.arg(QLatin1String(periodo), QLatin1String(cuenta)));
    abrir(u"06/2005"_s);
    escribir(2, u"55"_s);
    const SesionRegistro::Hecho no = grabar();
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(u"Cambia el saldo anterior de los meses siguientes: 07/2005, 10/2026.\n\n"
                                                    u"¿Grabar de todos modos?"_s))
        << todo();
    EXPECT_EQ(m_guion->avisos[0].estilo & Operador::SegundoBoton, Operador::SegundoBoton) << "No is the default";
    EXPECT_EQ(no.estado, G::Declinada);
    EXPECT_EQ(no.aviso, u"Período 06/2005: no se grabó nada; lo cambiado sigue en pantalla, sin grabar."_s);
    EXPECT_EQ(entradas(2, u"06/2005"_s), 0.0);
    EXPECT_TRUE(hojaGuardada(u"200506"_s).startsWith(u"<sin fila"_s)) << "not even the sheet number";
    EXPECT_EQ(enGrilla(2), u"55"_s);

    // A user replaced goes with the same save, named in the same single question; a customer
    // that is another user of the period already is refused, and No keeps the user.
    m_sesion.Cargado().PonerCuenta(1, u"C003"_s);
    m_sesion.Cargado().PonerCuenta(2, u"C005"_s);
    QString aviso;
    EXPECT_FALSE(m_sesion.ReemplazarUsuario(1, u"C003"_s, u"C005"_s, false, aviso));
    EXPECT_EQ(aviso, u" El cliente C005 ya es el usuario 2 del período."_s);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::No};
    EXPECT_FALSE(m_sesion.ReemplazarUsuario(1, u"C003"_s, u"C004"_s, false, aviso));
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(u"El usuario C003 tiene movimientos grabados en 06/2005."_s)) << todo();
    EXPECT_TRUE(m_sesion.Cargado().AQuitar().isEmpty());
    m_guion->respuestas = {Operador::Si};
    ASSERT_TRUE(m_sesion.ReemplazarUsuario(1, u"C003"_s, u"C004"_s, false, aviso));
    m_sesion.Cargado().PonerCuenta(1, u"C004"_s);
    m_pantalla.mostradas = {u"MOLINO"_s, u"C004"_s};
    EXPECT_TRUE(m_sesion.Pendientes(m_pantalla).contains(u"alta de C004"_s));
    EXPECT_TRUE(m_sesion.Pendientes(m_pantalla).contains(u"baja de C003"_s));
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    EXPECT_EQ(grabar().estado, G::Grabada) << todo();
    EXPECT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '06/2005' AND Cuenta = 'C004'"_s), u"31"_s);
    EXPECT_EQ(entradas(2, u"06/2005"_s), 55.0);
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '06/2005' AND Cuenta = 'C003'"_s), u"0"_s);
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '07/2005' AND Cuenta = 'C003'"_s), u"1"_s);
    EXPECT_TRUE(m_sesion.Cargado().AQuitar().isEmpty());
}

// Flour cannot leave a silo that holds none: a save that would leave a day below zero, in the
// period or through the opening balance of a later month, names them in the one question;
// No writes nothing. A stock already stored below zero and not made lower asks nothing.
TEST_P(GrabacionDeSesionTest, UnaExistenciaNegativaSeNombraAntesDeGrabar)
{
    const auto fila = [this](const char* periodo, int dia, int entradas, int salidas) {
        ejecutar(u"INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) VALUES ('%1', 'MOLINO', %2, %3, %4, '')"_s
                     .arg(QLatin1String(periodo))
                     .arg(dia)
                     .arg(entradas)
                     .arg(salidas));
    };
    fila("03/2004", 1, 100, 0);
    fila("04/2004", 1, 0, 60);
    fila("05/2004", 1, 0, 30);
    abrir(u"03/2004"_s);
    escribir(2, u"150"_s, Planilla::ColSalidas);
    const SesionRegistro::Hecho no = grabar();
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    const QString pregunta = m_guion->avisos[0].texto;
    EXPECT_TRUE(pregunta.contains(u"Quedaría existencia negativa: Molino el 02/03/2004 (-50), en 04/2004 (-110), en 05/2004 (-140), "
                                  "en 10/2026 (-140)."_s))
        << pregunta.toStdString();
    EXPECT_TRUE(pregunta.startsWith(u"Cambia el saldo anterior de los meses siguientes: 04/2004, 05/2004, 10/2026."_s))
        << "one question with the months it moves";
    EXPECT_EQ(m_guion->avisos[0].estilo & Operador::SegundoBoton, Operador::SegundoBoton) << "No is the default";
    EXPECT_EQ(no.estado, G::Declinada);
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '03/2004'"_s), u"1"_s) << "nothing written";

    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    EXPECT_EQ(grabar().estado, G::Grabada);
    EXPECT_EQ(valor(u"SELECT Salidas FROM EM_Tolvario WHERE Periodo = '03/2004' AND DIA = 2"_s).toDouble(), 150.0);

    // Below zero already, and no lower: a remark asks nothing; a figure that takes it lower
    // asks again.
    m_guion->avisos.clear();
    m_sesion.Lineas().PonerTexto(Planilla::PrimeraFilaDia + 4, Planilla::ColObservaciones, u"remito"_s);
    EXPECT_EQ(grabar().estado, G::Grabada);
    EXPECT_TRUE(m_guion->avisos.empty()) << todo();
    escribir(3, u"1"_s, Planilla::ColSalidas);
    grabar();
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(u"Molino el 03/03/2004 (-51)"_s)) << todo();
}

CON_CADA_MOTOR(GrabacionDeSesionTest);

// Sí to another station's save: what this save moves is weighed again against theirs, which
// it replaces, and asked again before anything is written.
TEST_P(GrabacionDeSesionTest, ReemplazarLoDelOtroPuestoPreguntaLoQueMueveSobreLoSuyo)
{
    ejecutar(u"INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) VALUES ('11/2026', 'MOLINO', 1, 0, 0, '')"_s);
    abrir(u"10/2026"_s);
    escribir(3, u"333"_s);
    otroPuestoGraba(5, 555);
    const auto deriva = [this] {
        int n = 0;
        for (const auto& a : m_guion->avisos)
            n += a.texto.endsWith(u"¿Grabar de todos modos?"_s);
        return n;
    };
    // The months it moves, then the other station, then the months against theirs: No.
    m_guion->respuestas = {Operador::Si, Operador::Si, Operador::No};
    EXPECT_NE(grabar().estado, G::Grabada);
    EXPECT_EQ(preguntas(), 1) << todo();
    EXPECT_EQ(deriva(), 2) << todo();
    EXPECT_EQ(entradas(5), 555.0) << "theirs stays: nothing written";
    EXPECT_EQ(entradas(3), 1.0);
}
