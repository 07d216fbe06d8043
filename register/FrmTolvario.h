#pragma once

#include "data/Recordset.h"

#include <QMainWindow>
#include <QString>

class Panobar;
class QStatusBar;

// The register window of movements and stock: one period and account at a time, one line
// per day. It is the module's start-up object: loading it connects to the database.
class FrmTolvario : public QMainWindow
{
    Q_OBJECT
public:
    explicit FrmTolvario(QWidget* parent = nullptr);

    // Connects, styles the window and checks the register table; ends the process when the
    // database cannot be used.
    void Form_Load();

    // The closing sequence; the toolbar's close command runs it too. Ends the application.
    void Form_Unload(int& Cancel);

    const QString& NombreTabla() const { return m_tabla; }

    Panobar* Panobar1;
    QStatusBar* BStat;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void construir();
    bool m_descargada = false;

    QString m_tabla;
    Recordset m_rcs;
};
