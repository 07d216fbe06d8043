#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
struct DatosAcceso;

// The login dialog: collects the connection parameters when the menu gave none. It does no
// validation; the caller reads `Aceptar` and the boxes.
class FrmAcceso : public QDialog
{
    Q_OBJECT
public:
    explicit FrmAcceso(QWidget* parent = nullptr);

    bool Aceptar = false;

    QLineEdit* TxtUserId;
    QLineEdit* TxtUserPassword;
    QLineEdit* TxtDbName;
    QLineEdit* TxtServidor;
    QComboBox* CboPlataformaDB;

    // Fills the dialog, shows it modally and copies the values back when accepted.
    static bool Pedir(DatosAcceso& datos);

protected:
    void showEvent(QShowEvent* e) override;
};
