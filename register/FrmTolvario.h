#pragma once

#include "register/ControlesTolvario.h"
#include "register/Libro.h"
#include "register/SesionRegistro.h"

#include <QMainWindow>
#include <QString>
#include <memory>

class EditorDeCelda;
class ModeloRegistro;

// The register window of movements and stock: it builds the controls, shows the register
// session's state, routes keys and commands to it and to the grid's editor, and keeps focus
// colours, geometry, drives and the book's dialogs. Loading it connects to the database.
class FrmTolvario : public QMainWindow
{
    Q_OBJECT
public:
    explicit FrmTolvario(QWidget* parent = nullptr);
    ~FrmTolvario() override;

    using Campo = ControlesTolvario::Campo;
    using enum ControlesTolvario::Campo;
    enum : int { Campos = ControlesTolvario::Campos, Usuarios = ControlesTolvario::Usuarios };
    enum Tab : int { TabMolino = 0, TabUsuarios = 6 };

    // Start-up, layout and the end of the run.
    void Form_Load();
    void Inicializa();
    void InicializaGrids();
    void DetalleOn(bool edicion);
    void Form_Unload(int& Cancel);

    // The account's stored lines into the grid, as the session reads them.
    void AsignarDatos(const QString& cuenta);
    // A period's users into their boxes and tabs: its own, or the month before's.
    void AsignarDatosInicio(const SesionRegistro::Abierto& abierto);
    void CmdConsultar();

    // One field checked after the clerk commits it, and what its value implies; false when
    // it was refused (the clerk told, the focus stays to mend it).
    // With `releer`, Enter on the period on screen: read it again. With `totalizar` false, one
    // box of a whole header checked in a row, which totals once at its end.
    bool CampoValida(QLineEdit* control, bool releer = false, bool totalizar = true);
    bool Datosvalidos();
    void Totalizar();

    // The grid's editor, as the window drives it.
    void MsflexGridEdt(QTableView* grid, QLineEdit* Edt, int KeyAscii);
    void EditKeyCode(QTableView* grid, QLineEdit* Edt, int KeyCode, int Shift);
    void TxtFields_KeyDown(int Index, int& KeyCode, int Shift);

    // Commands, tabs and keys.
    void Panobar1_click(const QString& boton);
    void SSTab1_Click(int PreviousTab);
    void Form_KeyDown(int& KeyCode, int Shift);
    void CmdArchivo_Click();

    // The removable disks again, into the drive combo; false when the one chosen is gone
    // (then none is chosen: never another disk in its place).
    bool ActualizarUnidades();
    // The book; without one, the report and the ONCCA button say it is not available.
    void EstablecerLibro(std::unique_ptr<Libro> libro);

    // The period box's text; the period as loaded is the session's.
    QString Periodo() const;
    const SesionRegistro& Sesion() const { return m_sesion; }
    ModeloRegistro& Modelo() const { return *m_modelo; }
    EditorDeCelda& Editor() const { return *m_ui.editor; }
    // The decimals in force from the Decimales box: its number rounded, 0 meaning -2.
    void TomarDecimales();
    QWidget* ControlActivo() const { return m_controlActivo; }
    // The account shown on a register tab: "MOLINO" on tab 0, the user's code on 1 to 5.
    QString CuentaDeTab(int tab) const;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // The header box bound to a data field (case ignored); nullptr when none is.
    QLineEdit* CampoDe(const QString& dataField) const;
    void conectar();
    void seleccionarTabsCargando();
    // Each returns false when the value was refused, with `aviso` for the clerk (empty when
    // the refusal was told already, or answered).
    bool validarPeriodo(const QString& valor, bool releer, QString& aviso);
    bool validarUsuario(int k, const QString& valor, QString& aviso);
    bool validarCantidad(const QString& valor, QString& aviso);
    bool confirmarPeriodoLejano(const QString& valor);
    void vaciarUsuarios();
    void ofrecerLibro(bool disco);
    // The year of the period on screen at a glance; a month chosen there opens as Enter would.
    void mostrarAnio();
    // This user's journal on this station taken (a second window of theirs ends, told), and
    // what a process that is gone left in it offered back before anything else.
    void ofrecerRecuperacion();
    // Before a command: a value open in the editor committed, a period typed but not loaded
    // validated as Enter would (the command then stops), user codes changed in their boxes
    // validated. False when the command must stop.
    bool listoParaComando();
    bool periodoSinCargar();
    bool revisarUsuarios();
    // The session's save, with this window's checks and display; says what happened.
    SesionRegistro::Grabacion grabar(SesionRegistro::Alcance alcance);
    SesionRegistro::Pantalla pantalla(bool revisar = false);
    SesionRegistro::EnPantalla enPantalla() const;
    // Asked before the loaded period leaves the screen, or the window closes: true to go on
    // (saved or dropped).
    bool resolverPendientes(bool alCerrar = false);
    // The loaded period's delivery to ONCCA, in the header; nothing when it was never delivered.
    void mostrarEntrega();
    // The changed settings marked in their boxes; the stored ones put back.
    void marcarAjustes();
    void reponerAjustes();
    void tabCambiado(int nuevo);
    bool guardarYCargar(int previo, int nuevo);
    // The frame of the tab on: the users' boxes or the grid.
    void mostrarUsuarios();
    bool eventoDeEncabezado(QLineEdit* campo, QEvent* evento);
    bool eventoDeRejilla(QObject* objeto, QEvent* evento);
    bool eventoDelEditor(QEvent* evento);
    // The commit step: the editor's text into the cell it was opened on, once.
    void confirmarEdicion();
    // A value still open in the editor, validated and put in its cell before the grid is
    // stored or left; false when the value was refused (the editor stays open).
    bool terminarEdicion();

    SesionRegistro m_sesion;
    ModeloRegistro* m_modelo = nullptr;
    ControlesTolvario m_ui;
    std::unique_ptr<Libro> m_libro;
    QWidget* m_controlActivo = nullptr;
    int m_tabPrevio = 0;
    bool m_cargando = false; // a period's load walks the tabs: nothing is saved on the way
    bool m_descargada = false;
};
