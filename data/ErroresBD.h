#pragma once

#include "data/Dialecto.h"
#include "platform/ErrorVB.h"

class QSqlError;

// A driver's error as the numbers the routines test for: integrity, missing table, error
// in the command, or unspecified.
ErrorVB ErrorDeBase(const QSqlError& error, Dialecto dialecto, const QString& origen);
