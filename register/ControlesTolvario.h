#pragma once

#include <QList>

class EditorDeCelda;
class ModeloRegistro;
class Panobar;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPushButton;
class QStatusBar;
class QTabBar;
class QTableView;

// The register window's controls, by the names the suite's code uses, and their arrangement:
// header and configuration on top, the tab strip, then the grid (or the milling users)
// taking the spare space.
struct ControlesTolvario {
    // Indexes of the header boxes in TxtFields.
    enum Campo { cPeriodo = 0, cOncca = 1, cUsuario1 = 2, cDecimales = 7, cMedida = 8, cHoja = 9, cTitulo = 10, cLinea = 11 };
    static constexpr int Campos = 12;
    static constexpr int Usuarios = 5;

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
    EditorDeCelda* editor = nullptr; // owns txtEdit

    // Every control made and laid out in `ventana`, the grid over `modelo`.
    void Construir(QMainWindow* ventana, ModeloRegistro* modelo);

private:
    void construirEncabezado(QMainWindow* ventana);
    void construirRejilla(QMainWindow* ventana, ModeloRegistro* modelo);
    void construirUsuarios(QMainWindow* ventana);
};
