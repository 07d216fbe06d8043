#pragma once

#include "register/ResumenAnual.h"

#include <QDialog>

class QChartView;
class QSpinBox;
class QTableWidget;

// The year at a glance: every account with rows in the year, the mill first, in four lines
// (opening, received, delivered, closing) across the twelve months and the year's total, a
// stock below zero in red; below, each ticked account's closing stock month by month. Enter
// or a double click on a month hands that period to the register.
class DialogoAnio : public QDialog
{
    Q_OBJECT
public:
    DialogoAnio(int anio, int decimales, const QString& medida, QWidget* padre = nullptr);
    // The month chosen, MM/AAAA; empty when the clerk only looked.
    const QString& PeriodoElegido() const { return m_elegido; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void cargar(int anio);
    void dibujar();
    void elegir(int fila, int columna);

    QSpinBox* m_anio;
    QTableWidget* m_tabla;
    QChartView* m_grafico;
    std::vector<RegistroTolvario::CuentaDelAnio> m_cuentas;
    int m_decimales;
    QString m_medida;
    QString m_elegido;
};
