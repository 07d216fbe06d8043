#pragma once

#include "data/Dialecto.h"
#include "platform/ErrorVB.h"

class QSqlError;

// A driver's error as the numbers the routines test for (integrity, missing table, error in
// the command, value too long, not a number, locked, no permission, connection lost), each
// backend's codes read faithfully; unspecified only for what none of them names.
ErrorVB ErrorDeBase(const QSqlError& error, Dialecto dialecto, const QString& origen);
