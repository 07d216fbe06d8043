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

QString PeriodoDeAnioMes(const QString& anioMes)
{
    const QString am = anioMes.trimmed();
    const QString periodo = am.right(2) + u'/' + am.left(4);
    return am.size() == 6 && PeriodoBienEscrito(periodo) ? periodo : QString();
}

bool PeriodoLejano(const QString& periodo, const QString& primero, const QString& ultimo)
{
    if (primero.isEmpty() || ultimo.isEmpty())
        return false;
    const auto meses = [](const QString& p) { return p.mid(3, 4).toInt() * 12 + p.left(2).toInt(); };
    return AnioMes(periodo) < AnioMes(primero) || meses(periodo) > meses(ultimo) + 1;
}
