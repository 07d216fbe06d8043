#pragma once

#include "register/FrmTolvario.h"
#include "tests/support/BaseDePrueba.h"

#include <memory>
#include <string>

class QTableView;

// A mill's database with customers and earlier movements, and the register window loaded on
// it as the suite's menu starts it.
class BaseDeRegistro : public BaseDePrueba
{
protected:
    void SetUp() override;
    void TearDown() override;
    // The database before the window starts on it: by default five customers.
    virtual void datos();

    // One stored day line.
    void fila(const QString& periodo, const QString& cuenta, int dia, const QString& entradas, const QString& salidas,
              const QString& observaciones = {});
    // Types the period (its digits; the box adds the "/") and Enter, as the clerk does.
    void elegirPeriodo(const QString& periodo);
    // The text of a grid cell, by the grid's own row numbers.
    QString celda(int fila, int columna) const;
    void escribir(int fila, int columna, const QString& texto);
    void tecla(Qt::Key k);
    QString cuantas(const QString& periodo, const QString& cuenta);

    // The clerk's hands: controls found by their object names, header boxes by the field
    // they are bound to; keys and clicks only.
    QLineEdit* caja(const QString& dataField) const;
    QLineEdit* usuario(int k) const;
    QTabBar* tabs() const;
    QTableView* grilla() const;
    QLineEdit* editor() const;
    QString periodo() const;
    // The grid's own rows: 1 the opening balance, day d on row d + 1.
    QString enGrilla(int fila, int columna) const;
    // Typed over what the box held, and left there: no Enter.
    void teclearEnCaja(const QString& dataField, const QString& texto);
    void clicTab(int i);
    void irA(int dia, int columna);
    // Key by key to whatever has the focus: the first opens the editor, the rest go into it.
    void escribirDia(int dia, int columna, const QString& texto);
    // The latest box whose text has `parte`; nullptr when none was shown.
    const OperadorGuionado::Aviso* aviso(const QString& parte) const;
    std::string todo() const;
    // The clerk opens the register again on the same database after closing it.
    void reabrir();

    std::unique_ptr<FrmTolvario> m_ventana;
};
