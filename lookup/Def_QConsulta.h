#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// One record of the lookup masks file consultas.vlm, shared with the suite's other modules:
// fixed-width fields in the Windows code page, padded with blanks, ending in CR LF.
struct MascaraConsulta {
    QString Titulo;   // 100 bytes
    QString Tabla;    // 100, the key
    QString Campos;   // 500, "|COL1|COL2|"
    QString Filtro;   // 500, condition without WHERE
    QString FinLinea = QStringLiteral("\r\n");
};

namespace Def_QConsulta {

constexpr int LargoTitulo = 100;
constexpr int LargoTabla = 100;
constexpr int LargoCampos = 500;
constexpr int LargoFiltro = 500;
constexpr int LargoRegistro = 1202;

QByteArray Registro(const MascaraConsulta& m);
// A record shorter than the full length reads as if padded with blanks.
MascaraConsulta DeRegistro(const QByteArray& registro);

// A field as the lookups compare it: without NUL and 0xFF filler, trimmed.
QString Limpio(const QString& campo);

// The first record whose table matches (trimmed, any case); nothing when the file cannot
// be read or holds no such record.
std::optional<MascaraConsulta> Buscar(const QString& ruta, const QString& tabla);

// Writes the record at number (length / record length) + 1, creating the file.
bool Agregar(const QString& ruta, const MascaraConsulta& m);

// The suite's default masks, appended in their order.
bool Sembrar(const QString& ruta);

} // namespace Def_QConsulta
