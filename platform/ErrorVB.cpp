#include "platform/ErrorVB.h"

ErrorVB::ErrorVB(long numero, QString descripcion, QString origen, QString estadoSql, qint64 codigoNativo)
    : Number(numero)
    , Description(std::move(descripcion))
    , Source(std::move(origen))
    , SQLState(std::move(estadoSql))
    , NativeError(codigoNativo)
    , m_texto(QStringLiteral("(%1) %2").arg(numero).arg(Description).toStdString())
{
}
