#pragma once

#include "register/ResumenAnual.h"

#include <functional>

class QChart;
class QPainter;
class QRectF;

// Each account's closing stock month by month, one line per account, the unit of measure on
// the axis: the year view draws it, and its PDF puts it on a page of its own. `mostrada`
// says which accounts (by position) are drawn; all of them when empty.
QChart* GraficoDelAnio(int anio, const std::vector<RegistroTolvario::CuentaDelAnio>& cuentas, const QString& medida,
                       const std::function<bool(size_t)>& mostrada = {});

// The same chart, every account, drawn onto a printed page's area (the year's last page).
void DibujarGraficoDelAnio(QPainter& pintor, const QRectF& area, int anio, const std::vector<RegistroTolvario::CuentaDelAnio>& cuentas,
                           const QString& medida);
