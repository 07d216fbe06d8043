#pragma once

#include <QString>

// MM/AAAA with a month of the year. A period written otherwise would name sheet-number keys
// and year-month comparisons that belong to no period.
bool PeriodoBienEscrito(const QString& periodo);
