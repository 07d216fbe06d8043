#pragma once

#include <QDialog>
#include <QVector>

class QFrame;
class QLineEdit;
class QPushButton;

// What the list and tree lookups share: the "Consulta..." caption, the three buttons with
// Enter accepting wherever the focus is and Esc cancelling, loading on the first show and
// the modal run the request waits on.
class VentanaConsulta : public QDialog
{
    Q_OBJECT
public:
    QVector<QLineEdit*> CmbSearch;
    QFrame* Frame1 = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdNueva = nullptr;

    // Shown modally; returns once accepted or cancelled.
    void Mostrar();

    virtual void Aceptar() = 0;
    virtual void Cancelar() = 0;
    virtual void NuevaBusqueda() = 0;

protected:
    explicit VentanaConsulta(QWidget* parent);

    virtual void Form_Load() = 0;
    bool cargada() const { return m_cargada; }
    // Hides the window and ends its modal run.
    void terminar(bool aceptada);

    void showEvent(QShowEvent* e) override;
    void reject() override;

private:
    bool m_cargada = false;
};
