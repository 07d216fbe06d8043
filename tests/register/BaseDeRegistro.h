#pragma once

#include "register/FrmTolvario.h"
#include "tests/support/BaseDePrueba.h"

#include <memory>

// A mill's database with customers and earlier movements, and the register window loaded on
// it as the suite's menu starts it.
class BaseDeRegistro : public BaseDePrueba
{
protected:
    void SetUp() override;
    void TearDown() override;

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

    std::unique_ptr<FrmTolvario> m_ventana;
};
