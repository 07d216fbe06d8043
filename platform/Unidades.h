#pragma once

#include <QList>
#include <QString>
#include <memory>

// The drives of the workstation as the register sees them: mounted volumes named by their
// mount point, their kind, and formatting a removable one.
namespace Unidades {

// The classic drive-type numbers.
enum class Tipo { Desconocido = 0, SinRaiz = 1, Removible = 2, Rigido = 3, Remota = 4, CDROM = 5, RAM = 6 };

struct Unidad {
    QString ruta;        // mount point, the drive's text in lists
    QString dispositivo; // e.g. /dev/sdb1; empty when there is none
    Tipo tipo = Tipo::Desconocido;
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
};

// The system's drives unless a test installed another provider.
Proveedor& actual();
void establecer(std::unique_ptr<Proveedor> p);

// The provider over the machine's mounts, sysfs and UDisks2.
std::unique_ptr<Proveedor> DelSistema();

} // namespace Unidades
