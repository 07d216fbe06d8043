#pragma once

#include <QString>
#include <functional>

class Conexion;

namespace Oracle {

// Runs a SQL Server batch step by step on the connection, each statement passed through
// `traducir` first; raises ErrorVB on the first failure. Returns the rows changed.
long EjecutarLote(Conexion& cnn, const QString& lote, const std::function<QString(const QString&)>& traducir);

} // namespace Oracle
