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

    const QString& NombreTabla() const { return m_tabla; }

    Panobar* Panobar1;
    QStatusBar* BStat;

private:
    void construir();

    QString m_tabla;
    Recordset m_rcs;
};
