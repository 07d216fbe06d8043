#pragma once

#include "platform/Importe.h"

#include <QString>

// The balance an account carries into a period: everything it received minus everything it
// delivered in all earlier periods. Raises ErrorVB when the database fails.
Importe SaldoAnterior(const QString& periodo, const QString& cuenta);
