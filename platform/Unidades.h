#pragma once

#include <QList>
#include <QString>
#include <memory>

// The drives of the workstation as the register sees them: the disks UDisks2 offers (by
// their device and label), or the mounted volumes (by their mount point) where it does not
// answer; their kind, and formatting a removable one.
namespace Unidades {

// The classic drive-type numbers.
enum class Tipo { Desconocido = 0, SinRaiz = 1, Removible = 2, Rigido = 3, Remota = 4, CDROM = 5, RAM = 6 };

struct Unidad {
    QString ruta;        // the drive's text in lists: "device (label)", or a mount point
    QString dispositivo; // e.g. /dev/sdb1; empty when there is none
    Tipo tipo = Tipo::Desconocido;
    QString etiqueta;
    qint64 tamano = 0;   // bytes; 0 when not known
    QString sistema;     // file system type; empty: none
    QString montaje;     // empty: not mounted
};

class Proveedor
{
public:
    virtual ~Proveedor() = default;
    virtual QList<Unidad> Lista() = 0;
    virtual Tipo TipoDe(const QString& ruta) = 0;
    // Leaves an empty FAT file system with that label, mounted; returns where it is mounted
    // now. Raises ErrorVB with a Spanish description when it cannot.
    virtual QString Formatear(const QString& ruta, const QString& etiqueta) = 0;
    // The drive the text names; by default a folder of that path, its own mount point.
    virtual Unidad Datos(const QString& ruta);
    // Its file system mounted; returns where. By default it already is, at its path.
    // Raises ErrorVB with a Spanish description when it cannot.
    virtual QString Montar(const QString& ruta) { return Datos(ruta).montaje; }
};

// The system's drives unless a test installed another provider.
Proveedor& actual();
void establecer(std::unique_ptr<Proveedor> p);

// The provider over UDisks2 on the system bus (or the bus at `direccionBus`), else the
// machine's mounts and sysfs.
std::unique_ptr<Proveedor> DelSistema(const QString& direccionBus = {});

// The device a drive's text names: "/dev/sdb1 (ONCCA)" -> "/dev/sdb1"; a mount point as it is.
QString DispositivoDe(const QString& texto);

// "16.0 MB", "1.9 GB"; "tamaño desconocido" for 0.
QString TextoDeTamano(qint64 bytes);

} // namespace Unidades
