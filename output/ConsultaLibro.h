#pragma once

#include <QString>

struct DatosLibro;

// Fills the accounts of the period (with their names) and its stored rows, as the book
// lays them out, and how to reach each account's balance carried over. Raises ErrorVB when
// the database fails.
void LeerRegistroDelLibro(const QString& periodo, DatosLibro& datos);
