#include "data/TextoSQL.h"

namespace TextoSQL {

QString Comillas(const QString& valor)
{
    QString r = valor;
    // A NUL would end the statement's text early in some drivers: no stored text holds one.
    r.remove(QChar(u'\0'));
    return r.replace(u'\'', QStringLiteral("''"));
}

bool Contiene(const QString& texto, const QString& buscado)
{
    return texto.contains(buscado, Qt::CaseInsensitive);
}

QString Reemplazar(const QString& texto, const QString& buscado, const QString& reemplazo)
{
    QString r = texto;
    return r.replace(buscado, reemplazo, Qt::CaseInsensitive);
}

QString Quitar(const QString& texto, const QString& buscado)
{
    return Reemplazar(texto, buscado, QString());
}

} // namespace TextoSQL
