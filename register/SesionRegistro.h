#pragma once

#include "platform/ErrorVB.h"
#include "register/DiarioDeRecuperacion.h"
#include "register/Entregas.h"
#include "register/LineaRegistro.h"
#include "register/Planilla.h"
#include "register/RegistroCargado.h"
#include "register/RegistroTolvario.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// The register as the clerk has it open, without widgets: the period as loaded, the grid's
// lines, the decimals in force, the header's settings against what is stored, and the one
// save. It asks the clerk only through the operator seam. Its writes go over what this
// station read, so another station's save since is found, never overwritten unseen.
class SesionRegistro
{
public:
    RegistroCargado& Cargado() { return m_cargado; }
    const RegistroCargado& Cargado() const { return m_cargado; }
    Planilla& Lineas() { return m_planilla; }
    const Planilla& Lineas() const { return m_planilla; }
    int Decimales() const { return m_decimales; }
    void PonerDecimales(int decimales) { m_decimales = decimales; }

    // The header's settings by their boxes' field names (TITULO, HOJA, ONCCA, Decimales,
    // MEDIDA, linea), against what is stored. The sheet number is the loaded period's; with
    // no period loaded it counts as unchanged.
    using Encabezado = QHash<QString, QString>;
    // Their field names, in the question's order.
    static QStringList CamposDeAjuste();
    void TomarAjustesGuardados(const Encabezado& enPantalla);
    QString AjusteGuardado(const QString& campo) const;
    bool AjusteCambiado(const QString& campo, const QString& enPantalla) const;
    // The changed ones named for the clerk, in the question's order.
    QStringList AjustesCambiados(const Encabezado& enPantalla) const;
    // "Cambió el encabezado:" and each old and new value; empty when nothing changed.
    QString CambiosDelEncabezado(const Encabezado& enPantalla) const;

    // What the clerk sees besides the grid, as a save and the pending question read it.
    struct EnPantalla {
        QStringList mostradas;         // the accounts shown on a tab
        Encabezado encabezado;         // the settings' boxes
        QStringList usuariosEscritos;  // "usuario k (código)" typed and not confirmed yet
    };
    struct Hecho;
    // The window's part in a save: what it checks before anything of the save starts (the
    // value open in the editor, codes typed) and once the server answers (the header's
    // boxes), each false to stop with the clerk told there; what it shows once they are done;
    // and how it shows the outcome. Any of them may be left empty.
    struct Pantalla {
        std::function<bool()> revisar;
        std::function<bool()> validar;
        std::function<EnPantalla()> leer;
        std::function<void(const Hecho&)> mostrar;
    };

    // A period opens: the accounts with lines stored in it, its users (its own, or the month
    // before's when it has none), its sheet number.
    struct Abierto {
        QStringList usuarios;
        bool propios = false;
        QString hoja;
    };
    Abierto AbrirPeriodo(const QString& periodo);
    // The customer a user box names, asked of the database once in the period: its users
    // come in one statement as it opens, a code typed later alone.
    std::optional<RegistroTolvario::Cliente> Cliente(const QString& codigo);
    // The settings as stored, the title's default when there is none; with a period, its
    // sheet number too.
    static Encabezado LeerEncabezado(const QString& periodo = {});

    // An account's stored lines and the balance carried over, into the grid. Days outside
    // the month are told and keep the account read-only.
    void AsignarDatos(const QString& cuenta);
    Importe SaldoInicialCuenta(const QString& cuenta) const;
    QString PeriodoAnterior() const;
    // A customer in user box k in place of `anterior` (empty: a user added; `alCargar`: the
    // period's own users as it loads, nothing of the clerk's). Refused, with `aviso` for the
    // clerk, when the customer is another user of the period already; a user with stored
    // lines is asked about, No keeping it. Pending until a save, and on the station's disk.
    bool ReemplazarUsuario(int k, const QString& anterior, const QString& nuevo, bool alCargar, QString& aviso);

    // The period and its lines removed from the store once the clerk confirms, told its
    // accounts, what unsaved goes with it, its delivered book and the months that carry its
    // balance; No the default. False when it was not removed.
    bool BorrarPeriodo(const EnPantalla& e);

    // What the clerk typed, kept on this station's disk until a save stores it.
    DiarioDeRecuperacion& Diario() { return m_diario; }
    const DiarioDeRecuperacion& Diario() const { return m_diario; }
    // A grid row the clerk changed: on disk before the screen shows it done.
    void AnotarDia(int filaGrilla);
    // What a journal left by a process that is gone holds goes back on screen: each account
    // as it was loaded then, with the days changed, as its tab is shown; pending, not stored.
    void Recuperar(const DiarioDeRecuperacion::Pendiente& p);
    // "Quedaron cambios sin grabar de 11/2026 (Molino: días 1 a 3; …), escritos el … ¿Recuperarlos?"
    static QString TextoDeRecuperacion(const DiarioDeRecuperacion::Pendiente& p);
    // Dropped by the clerk (No to the pending question, CANCELAR, BORRAR): nothing of it kept.
    void Descartar();
    // The settings the clerk changed and, with `conHoja` (a save), the sheet number of the
    // period loaded in any case; then they count as stored. True when it stored anything.
    bool GrabarCfgLocal(const Encabezado& e, bool conHoja = false);

    // What the loaded period holds that is not stored yet, named for the clerk; with
    // `conAjustes`, the changed header settings too (only closing would store them).
    QStringList Pendientes(const EnPantalla& e, bool conAjustes = false) const;

    // The one save: everything (F5, the book's commands, Sí to pending changes), or the
    // account being left on a tab, which checks what F5 checks for it but neither asks about
    // nor stores the header's settings.
    enum class Alcance { Todo, CuentaQueSeDeja };
    enum class Grabacion { Grabada, Incompleta, Declinada, Cancelada, Invalida, SinConexion };
    struct Hecho {
        Grabacion estado = Grabacion::Grabada;
        QString aviso;                 // for the status bar; empty leaves it as it is
        bool ajustesRepuestos = false; // No to the settings: the stored ones go back on screen
        bool grillaReleida = false;    // the grid now holds what the store holds
        bool entrega = false;          // the delivered book's mark may have changed
    };
    Hecho Grabar(Alcance alcance, const Pantalla& p, bool ajustesConfirmados = false);
    bool Grabando() const { return m_grabando; }
    // A failure of the window's own checks: during a save a server gone is told once, by the
    // save's message, and stops it; otherwise as any failure of `rutina`.
    int InformarFalloDeRevision(const ErrorVB& e, const QString& rutina);
    Grabacion UltimaGrabacion() const { return m_ultima; }

    // Asked before the loaded period leaves the screen, or the window closes.
    enum class Pendiente { Seguir, Descartados, Quedarse };
    Pendiente ResolverPendientes(const Pantalla& p, bool alCerrar = false);

    // The pieces of a save, for its steps and for tests. A save starts: nothing stored by
    // it yet, nothing failed.
    void EmpezarGrabacion();
    // The accounts this save stored, named for the clerk.
    const QStringList& Grabadas() const { return m_grabadas; }
    // Something of this save failed, even when the clerk went past it.
    bool Incompleta() const { return m_incompleta; }
    void MarcarIncompleta() { m_incompleta = true; }
    enum class Escritura { Grabada, OtroPuesto };
    // One account's lines over what this station read of it (nothing, when it read
    // nothing). OtroPuesto: another station stored it since; what it holds is Encontradas().
    // A database that already holds exactly these lines (a COMMIT whose answer was lost)
    // counts as stored.
    Escritura GrabarCuenta(const QString& cuenta, const std::vector<LineaRegistro>& lineas);
    // Over what the clerk was told the other station stored, and nothing newer.
    Escritura ReemplazarEncontradas(const QString& cuenta, const std::vector<LineaRegistro>& lineas);
    // An account shown on a tab with nothing stored yet: its empty days, unless another
    // station stored it meanwhile (then theirs stays). True when this one wrote it.
    bool GrabarCuentaVacia(const QString& cuenta);
    const std::vector<LineaRegistro>& Encontradas() const { return m_encontradas; }
    // The users the clerk replaced, with their stored lines.
    void QuitarReemplazados();
    // What a save would write, account by account: the grid's lines when they changed (or
    // the account has nothing stored); with `todo`, the users removed and the accounts
    // shown with nothing stored yet too.
    std::vector<RegistroTolvario::CambioPrevisto> CambiosPrevistos(bool todo, const QStringList& mostradas) const;
    // Of the accounts shown, those with nothing stored in the period yet, but the grid's.
    QStringList CuentasSinGrabar(const QStringList& mostradas) const;
    // What a change moves besides itself, as the clerk is told before it is written; stocks
    // below zero with `decimales`.
    static QString TextoDeDeriva(const RegistroTolvario::Deriva& d, int decimales = -2);
    // "Molino" for the mill, the code for a user.
    static QString NombreDeCuenta(const QString& cuenta);

private:
    struct EstaGrabacion;
    struct Intento {
        bool completo = false; // not abandoned
        bool fallo = false;    // failed and the clerk went past it
    };
    // One step of a save through the error steps.
    Intento intentar(const std::function<void()>& hacer, EstaGrabacion& g);
    void anotarGrabada(const QString& cuenta, const std::vector<LineaRegistro>& lineas);
    // A recovered account's lines as the clerk left them: as loaded then, with the days changed.
    static std::vector<LineaRegistro> lineasRecuperadas(const DiarioDeRecuperacion::Pendiente::Cuenta& c);
    bool grabarRecuperadas(EstaGrabacion& g);
    bool alAlcance(EstaGrabacion& g);
    // What the account held as this station read it; none when it never did.
    std::optional<std::vector<LineaRegistro>> leidasDe(const QString& cuenta) const;
    int informarFallo(const ErrorVB& e, EstaGrabacion& g);
    void ActualizarDatos(EstaGrabacion& g);
    bool GrabarGrid(const QString& cuenta, EstaGrabacion& g);
    bool resolverConflicto(const QString& cuenta, const std::vector<LineaRegistro>& lineas, EstaGrabacion& g);
    bool confirmarDeriva(const std::vector<RegistroTolvario::CambioPrevisto>& cambios, bool conHoja, EstaGrabacion& g);
    void confirmarAjustes(EstaGrabacion& g);

    RegistroCargado m_cargado;
    QHash<QString, std::optional<RegistroTolvario::Cliente>> m_clientes; // this period's, by code as asked
    Planilla m_planilla;
    int m_decimales = -2;
    QStringList m_grabadas;
    std::vector<LineaRegistro> m_encontradas; // what another station had stored instead
    bool m_incompleta = false;
    bool m_grabando = false;
    EstaGrabacion* m_enCurso = nullptr; // the save running, while it runs
    Grabacion m_ultima = Grabacion::Grabada;
    Encabezado m_ajustesGuardados;
    DiarioDeRecuperacion m_diario;
    int m_cargasDeGrilla = 0; // accounts loaded into the grid, to tell a save that reloaded it
    std::vector<DiarioDeRecuperacion::Pendiente::Cuenta> m_recuperadas; // not shown on the grid yet
};
