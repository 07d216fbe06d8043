#include "startup/Formatos.h"

#include "platform/Regional.h"
#include "startup/Configuracion.h"
#include "suite/SuiteUtil.h"

QString FormatoCantidad(const QString& importe, const QVariant& decimales)
{
    int d = decimales.toInt();
    if (d == -3)
        return importe;
    if (d == -1)
        d = int(SuiteUtil::TextToAmountOrZero(gConfiguracion.CantidadDecimales).entero());
    if (d == 0)
        d = Regional::Actuales().digitos;
    if (d < 0) // -2, and any other negative count: no decimals
        d = 0;
    const QChar separador = Regional::Actuales().separadorDecimal;
    const Importe valor = SuiteUtil::TextToAmount(importe);
    // Four decimals is all an amount holds; a wider pattern pads with zeros.
    QString texto = valor.redondeado(qMin(d, 4)).texto(qMin(d, 4), separador);
    if (d > 4)
        texto += QString(d - 4, u'0');
    if (d == 0 && (texto.endsWith(u'.') || texto.endsWith(u',')))
        texto.chop(1);
    return texto;
}

QString FormatoFecha()
{
    return QStringLiteral("dd/mm/yy");
}

QString FormatoHora()
{
    return QStringLiteral("hh:mm");
}

QString ConPatron(const QDateTime& momento, const QString& patron)
{
    QString r;
    bool trasHora = false;
    for (int i = 0; i < patron.size();) {
        const auto toma = [&](const char* pieza) {
            const QString p = QString::fromLatin1(pieza);
            if (patron.mid(i, p.size()).compare(p, Qt::CaseInsensitive) != 0)
                return false;
            i += int(p.size());
            return true;
        };
        if (toma("yyyy")) {
            r += momento.toString(QStringLiteral("yyyy"));
        } else if (toma("yy")) {
            r += momento.toString(QStringLiteral("yy"));
        } else if (toma("dd")) {
            r += momento.toString(QStringLiteral("dd"));
        } else if (toma("hh")) {
            r += momento.toString(QStringLiteral("HH"));
            trasHora = true;
        } else if (toma("nn")) {
            r += momento.toString(QStringLiteral("mm"));
        } else if (toma("mm")) {
            r += momento.toString(trasHora ? QStringLiteral("mm") : QStringLiteral("MM"));
        } else if (toma("ss")) {
            r += momento.toString(QStringLiteral("ss"));
        } else {
            r += patron[i++];
        }
    }
    return r;
}
