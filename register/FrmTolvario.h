#pragma once

#include "platform/ErrorVB.h"
#include "platform/Importe.h"
#include "register/Libro.h"
#include "register/SesionRegistro.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QStringList>

class EditorDeCelda;
class ModeloRegistro;
namespace RegistroTolvario {
struct CambioPrevisto;
struct Deriva;
} // namespace RegistroTolvario
class Panobar;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTabBar;
class QTableView;

// What one save of the register has asked and been told, within that save only.
struct EstaGrabacion {
    bool ajustesConfirmados = false; // Sí to them in the pending question that started it
    bool derivaConfirmada = false;   // asked once over everything it writes
    bool declinada = false;          // the clerk said No to writing: nothing failed
};

// The register window of movements and stock: one period and account at a time, one line
// per day. It is the module's start-up object: loading it connects to the database.
class FrmTolvario : public QMainWindow
{
    Q_OBJECT
public:
    explicit FrmTolvario(QWidget* parent = nullptr);
    ~FrmTolvario() override;

    // Indexes of the header boxes in TxtFields.
    enum Campo { cPeriodo = 0, cOncca = 1, cUsuario1 = 2, cDecimales = 7, cMedida = 8, cHoja = 9, cTitulo = 10, cLinea = 11 };
    static constexpr int Campos = 12;
    static constexpr int Usuarios = 5;
    static constexpr int TabMolino = 0;
    static constexpr int TabUsuarios = 6;

    // Start-up and layout.
    void Form_Load();
    void Inicializa();
    void InicializaGrids();
    void DetalleOn(bool edicion);
    void Form_Unload(int& Cancel);

    // Loading a period and account.
    void AsignarDatos(const QString& cuenta);
    void AsignarDatosInicio();
    Importe SaldoInicialCuenta(const QString& cuenta);
    QString PeriodoAnterior() const;
    bool FormateaPeriodoAnio(QString& palabra, QLineEdit* campo);
    void CmdConsultar();

    // Validation and running stock.
    void CampoValida(QLineEdit* control);
    bool Datosvalidos();
    void Totalizar();

    // Saving. GrabarGrid stores the grid under the loaded period and the account it was
    // loaded for, when it changed (or the account is new to the period); false when the
    // clerk abandoned it.
    bool GrabarGrid(const QString& cuenta, EstaGrabacion& g);
    void ActualizarDatos(EstaGrabacion& g);
    // The settings and sheet number the clerk changed; with `conHoja` (a save) the sheet
    // number of the period loaded in any case.
    void GrabarCfgLocal(bool conHoja = false);

    // The floating grid editor, as the window drives it.
    void MsflexGridEdt(QTableView* grid, QLineEdit* Edt, int KeyAscii);
    void EditKeyCode(QTableView* grid, QLineEdit* Edt, int KeyCode, int Shift);
    void BlanqueaFila(QTableView* grid, int fila, int primeraColumna);

    // The header boxes' events, by their index in TxtFields.
    void TxtFields_GotFocus(int Index);
    void TxtFields_LostFocus(int Index);
    void TxtFields_KeyDown(int Index, int& KeyCode, int Shift);
    void TxtFields_MouseDown(int Index, int Button);

    // The grid's cursor, in the grid's own rows (1 the opening balance, 2 to 32 the days).
    int FilaActual() const;
    int ColumnaActual() const;
    void IrACelda(int fila, int columna);

    // Commands, tabs and keys.
    void Panobar1_click(const QString& boton);
    void SSTab1_Click(int PreviousTab);
    void Form_KeyDown(int& KeyCode, int Shift);
    void CmdArchivo_Click();

    // The removable disks again, into the drive combo.
    void ActualizarUnidades();

    // The book; without one, the report and the ONCCA button say it is not available.
    void EstablecerLibro(std::unique_ptr<Libro> libro);

    QString Periodo() const;
    ModeloRegistro& Modelo() const { return *m_modelo; }
    const QString& NombreTabla() const;
    int DecimalesVigentes() const { return m_sesion.Decimales(); }
    // The decimals in force from the Decimales box: its number rounded, 0 meaning -2.
    void TomarDecimales();
    bool ValidacionFallida() const { return m_validacionFallida; }
    bool Grabando() const { return m_grabando; }
    QWidget* ControlActivo() const { return m_controlActivo; }
    void EstablecerControlActivo(QWidget* control) { m_controlActivo = control; }
    // The account shown on a register tab: "MOLINO" on tab 0, the user's code on 1 to 5.
    QString CuentaDeTab(int tab) const;
    // The period on screen as loaded; empty before one is.
    const QString& PeriodoCargado() const { return m_sesion.Cargado().Periodo(); }

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // The controls, by the names the suite's code uses.
    Panobar* Panobar1 = nullptr;
    QStatusBar* BStat = nullptr;
    QGroupBox* FrmEnc = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* FrmDet = nullptr;
    QGroupBox* FrmUsuarios = nullptr;
    QTabBar* SSTab1 = nullptr;
    QTableView* MSFlexGrid = nullptr;
    QLineEdit* txtEdit = nullptr;
    QLabel* LblDetalle = nullptr;
    QLabel* LblEntrega = nullptr;
    QList<QLineEdit*> TxtFields;
    QList<QLabel*> Label3;
    QList<QLabel*> LblDesc;
    QCheckBox* chk = nullptr;
    QPushButton* CmdArchivo = nullptr;
    QComboBox* CmbLetra = nullptr;

    // The header box bound to a data field (case ignored); nullptr when none is.
    QLineEdit* CampoDe(const QString& dataField) const;
    void construir();
    void construirEncabezado();
    void construirRejilla();
    void construirUsuarios();
    void conectar();
    void seleccionarTabsCargando();
    void validarPeriodo(const QString& valor);
    void validarEncabezado();
    void validarUsuario(int k, const QString& valor);
    // A customer in place of the one a user tab stood for; false when the clerk kept the old one.
    bool reemplazarUsuario(int k, const QString& anterior, const QString& nuevo);
    void vaciarUsuarios();
    void validarCantidad(const QString& valor);
    void llenarHoja();
    bool confirmarPeriodoLejano(const QString& valor);
    void validarHoja(const QString& valor);
    // The code user box k stands for: its customer's, or the stored one it was loaded with.
    QString codigoDeUsuario(int k) const;
    void borrarPeriodo();
    void ofrecerLibro(bool disco);
    void avisar(const QString& texto);
    // The one save: F5, Sí to pending changes, the book's commands (everything), and leaving
    // a tab (the account being left, without the header settings). Says what happened.
    enum class Alcance { Todo, CuentaQueSeDeja };
    enum class Grabacion { Grabada, Incompleta, Declinada, Cancelada, Invalida, SinConexion };
    Grabacion grabar(Alcance alcance, EstaGrabacion g = {});
    // On a server: it answers (a connection it closed is opened again); when it cannot be
    // reached the clerk is told once what was not stored, and false.
    bool baseAlAlcance();
    void mostrarHistorial();
    // A failure of one account's save: told once when the server is gone, else asked about.
    int informarFalloDeGrabacion(const ErrorVB& e, EstaGrabacion& g);
    // Before a command: a value open in the editor committed, a period typed but not loaded
    // validated as Enter would (the command then stops), user codes changed in their boxes
    // validated. False when the command must stop.
    bool listoParaComando();
    bool periodoSinCargar();
    bool revisarUsuarios();
    // What the loaded period holds that is not stored yet, named for the clerk.
    // With `conAjustes`, the changed header settings too (only closing would store them).
    QStringList cambiosPendientes(bool conAjustes = false) const;
    // Asked before the loaded period leaves the screen, or the window closes: true to go on
    // (saved or dropped).
    bool resolverPendientes(bool alCerrar = false);
    // Another station saved the account since it was loaded: the clerk decides. True when
    // the account ends stored or reloaded, false when the save must stop (Cancelar).
    bool resolverConflicto(const QString& cuenta, const std::vector<LineaRegistro>& lineas, EstaGrabacion& g);
    EncabezadoLibro encabezadoDelLibro();
    // Size and place as this user left them; maximised on a screen smaller than the window.
    void restaurarGeometria();
    void guardarGeometria();
    // The loaded period's delivery to ONCCA, in the header; nothing when it was never delivered.
    void mostrarEntrega();
    // What the save would write, account by account: with `todo`, the users removed and the
    // shown accounts not stored yet too, not only the grid.
    std::vector<RegistroTolvario::CambioPrevisto> cambiosPrevistos(bool todo) const;
    // The accounts shown on a tab.
    QStringList cuentasMostradas() const;
    // A save that would alter delivered books or the opening balance of later months asks
    // first; false (nothing to write) unless the clerk says Sí.
    bool confirmarDeriva(const std::vector<RegistroTolvario::CambioPrevisto>& cambios, bool conHoja, EstaGrabacion& g);
    // The header settings and the sheet number against what is stored.
    QString ajusteGuardado(int campo) const;
    bool ajusteCambiado(int campo) const;
    SesionRegistro::Encabezado ajustesEnPantalla() const;
    void tomarAjustesGuardados();
    void marcarAjustes();
    void reponerAjustes();
    // Before a save stores changed settings: Sí stores them, No puts the stored ones back.
    bool confirmarAjustes(const EstaGrabacion& g);
    bool guardarYCargar(int previo, int nuevo);
    void mostrarUsuarios(bool usuarios);
    bool eventoDeEncabezado(QLineEdit* campo, QEvent* evento);
    bool eventoDeRejilla(QObject* objeto, QEvent* evento);
    bool eventoDelEditor(QEvent* evento);
    void conectarRejilla();
    // The commit step: the editor's text into the cell it was opened on, once.
    void confirmarEdicion();
    // A value still open in the editor, validated and put in its cell before the grid is
    // stored or left; false when the value was refused (the editor stays open).
    bool terminarEdicion();
    void entrarEnRejilla();
    void tabCambiado(int nuevo);

    // The period as loaded: every command acts on it, never on what the boxes hold now.
    SesionRegistro m_sesion;

    ModeloRegistro* m_modelo = nullptr;
    std::unique_ptr<Libro> m_libro;
    bool m_cargando = false;
    bool m_usuariosALaVista = false;
    bool m_grabando = false;
    bool m_validacionFallida = false;
    bool m_descargada = false;
    int m_tabPrevio = 0;
    bool m_releer = false; // Enter on the period loaded: read it again
    bool m_validandoEncabezado = false;
    QString m_mensajePendiente;
    QWidget* m_controlActivo = nullptr;
    EditorDeCelda* m_editor = nullptr;
};
