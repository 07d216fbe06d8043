#pragma once

#include <QString>

// Small text tools for building statements.
namespace TextoSQL {

// The value with every single quote doubled, ready to stand between quotes in SQL text.
QString Comillas(const QString& valor);

bool Contiene(const QString& texto, const QString& buscado); // without regard to case
QString Reemplazar(const QString& texto, const QString& buscado, const QString& reemplazo); // idem, every occurrence
QString Quitar(const QString& texto, const QString& buscado);

} // namespace TextoSQL
