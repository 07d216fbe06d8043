#include "register/Periodo.h"

#include "platform/ErrorVB.h"

#include <QRegularExpression>

bool PeriodoBienEscrito(const QString& periodo)
{
    static const QRegularExpression forma(QStringLiteral("^(0[1-9]|1[0-2])/\\d{4}$"));
    return forma.match(periodo).hasMatch();
}

void ExigirPeriodo(const QString& periodo)
{
    if (!PeriodoBienEscrito(periodo))
        throw ErrorVB(ErrorVB::LlamadaInvalida,
                      QStringLiteral("El período \"%1\" no es válido: debe escribirse MM/AAAA.").arg(periodo));
}

QString AnioMes(const QString& periodo)
{
    return periodo.mid(3, 4) + periodo.left(2);
}
