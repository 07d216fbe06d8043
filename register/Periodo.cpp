#include "register/Periodo.h"

#include <QRegularExpression>

bool PeriodoBienEscrito(const QString& periodo)
{
    static const QRegularExpression forma(QStringLiteral("^(0[1-9]|1[0-2])/\\d{4}$"));
    return forma.match(periodo).hasMatch();
}
