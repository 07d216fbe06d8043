#pragma once

#include <QString>

// MM/AAAA with a month of the year. A period written otherwise would name sheet-number keys
// and year-month comparisons that belong to no period.
bool PeriodoBienEscrito(const QString& periodo);
// The same, raising ErrorVB 5 with the clerk's message: nothing is read or written under a
// text that names no month.
void ExigirPeriodo(const QString& periodo);
// Year then month ("AAAAMM"): periods compare in time order as these texts do.
QString AnioMes(const QString& periodo);
// The other way: "AAAAMM" to MM/AAAA; empty when it names no month.
QString PeriodoDeAnioMes(const QString& anioMes);
// Before the first period stored, or more than a month after the latest: most likely a slip
// of the hand ("02/1899", "12/9999"). Never, when nothing is stored yet.
bool PeriodoLejano(const QString& periodo, const QString& primero, const QString& ultimo);
