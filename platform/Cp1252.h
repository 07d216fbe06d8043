#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The Windows ANSI code page the suite's files are written in. Characters it cannot hold
// are written as '?'; every byte reads back as some character, so a damaged file still reads.
namespace Cp1252 {

QByteArray Codificar(const QString& texto);
QString Decodificar(QByteArrayView bytes);

} // namespace Cp1252
