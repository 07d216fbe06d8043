#pragma once

#include <QChar>
#include <optional>

// The workstation's number settings the formatter follows: decimal separator and the
// default count of fractional digits. Tests set them; otherwise they come from the locale.
namespace Regional {

struct Ajustes {
    QChar separadorDecimal = u'.';
    int digitos = 2;
};

Ajustes Actuales();
// Fixes the settings until called again with nullopt (back to the system's).
void Establecer(std::optional<Ajustes> ajustes);

} // namespace Regional
