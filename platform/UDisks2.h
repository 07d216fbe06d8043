#pragma once

#include "platform/Unidades.h"

#include <QDBusConnection>
#include <QList>
#include <optional>

// The disks a desktop offers, as UDisks2 describes them on the system bus: every block
// device that is not the system's (HintSystem, HintIgnore), not optical, holds nothing
// mounted at /, /boot or /home, and carries a file system or none (a whole unpartitioned
// stick counts as one). Formatting and mounting are asked of the device's own object.
namespace Unidades::UDisks2 {

struct Disco {
    Unidad unidad;  // ruta: "device (label)", or the device alone when it has no label
    QString objeto; // its object on the bus
};

// None when the service does not answer on `bus`.
std::optional<QList<Disco>> Discos(const QDBusConnection& bus);
// Unmounted first when mounted, then an empty FAT file system with `etiqueta`, mounted;
// returns the mount point. Raises ErrorVB with what happened, in Spanish, and where the
// disk was left.
QString Formatear(const QDBusConnection& bus, const Disco& d, const QString& etiqueta);
// Its file system mounted where the system mounts it; returns there.
QString Montar(const QDBusConnection& bus, const Disco& d);

} // namespace Unidades::UDisks2
