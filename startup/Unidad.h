#pragma once

#include <QString>

class QWidget;

// The kind of a drive by its suite name: "Removible", "Rigido", "CD-ROM" ...
QString TipoUnidad(const QString& unidad);
// Leaves an empty disk in the removable drive and returns where it is mounted now (the
// system may mount it elsewhere); its failures go to the caller.
QString FormatearUnidad(const QString& unidad, QWidget* ventana);
