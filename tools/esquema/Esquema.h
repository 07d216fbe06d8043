#pragma once

#include <QString>
#include <QStringList>

class Conexion;

// The suite tables and views this module reads or writes, created where missing and given
// the columns they lack. Existing rows are never touched.
namespace Esquema {

// What a run did, for the tool to tell: "tabla creada: ...", "columna agregada: ...".
using Cambios = QStringList;

// Raises ErrorVB on a database failure; every change of one run commits together.
Cambios Actualizar(Conexion& cnn);

// Fills a small believable mill where its rows are missing; running it again adds nothing.
Cambios LlenarDemo(Conexion& cnn);

} // namespace Esquema
