// Drives of a Linux desktop: the disks UDisks2 offers when it answers on the system bus;
// else the mounted volumes, their kind from sysfs and the file system type.
#include "platform/ErrorVB.h"
#include "platform/UDisks2.h"
#include "platform/Unidades.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QVariantMap>

namespace Unidades {

namespace {

const QStringList Remotos = {QStringLiteral("nfs"), QStringLiteral("nfs4"), QStringLiteral("cifs"), QStringLiteral("smbfs"),
                             QStringLiteral("smb3"), QStringLiteral("fuse.sshfs"), QStringLiteral("9p"), QStringLiteral("davfs")};

QString leer(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).trimmed() : QString();
}

// The whole disk of a partition ("sdb1" -> "sdb"), through sysfs.
QString discoDe(const QString& nombre)
{
    const QFileInfo enlace(QStringLiteral("/sys/class/block/") + nombre);
    const QString real = enlace.canonicalFilePath();
    if (QFileInfo::exists(real + QStringLiteral("/partition")))
        return QFileInfo(QFileInfo(real).absolutePath()).fileName();
    return nombre;
}

bool removible(const QString& dispositivo)
{
    if (!dispositivo.startsWith(QLatin1String("/dev/")))
        return false;
    const QString disco = discoDe(QFileInfo(dispositivo).canonicalFilePath().section(u'/', -1));
    const QString base = QStringLiteral("/sys/class/block/") + disco;
    if (leer(base + QStringLiteral("/removable")) == QLatin1String("1"))
        return true;
    // USB sticks often say "not removable" but sit on a hot-plug bus.
    return QFileInfo(base).canonicalFilePath().contains(QLatin1String("/usb"));
}

Tipo tipoDe(const QStorageInfo& v)
{
    if (!v.isValid() || !v.isReady())
        return Tipo::Desconocido;
    const QString fs = QString::fromLatin1(v.fileSystemType()).toLower();
    const QString dev = QString::fromLatin1(v.device());
    if (Remotos.contains(fs) || dev.startsWith(QLatin1String("//")) || dev.contains(QLatin1String(":/")))
        return Tipo::Remota;
    if (fs == QLatin1String("iso9660") || fs == QLatin1String("udf") || dev.startsWith(QLatin1String("/dev/sr")))
        return Tipo::CDROM;
    if (fs == QLatin1String("tmpfs") || fs == QLatin1String("ramfs"))
        return Tipo::RAM;
    if (removible(dev))
        return Tipo::Removible;
    return Tipo::Rigido;
}

QString nombreBloque(const QString& dispositivo)
{
    return QFileInfo(dispositivo).canonicalFilePath().section(u'/', -1);
}

[[noreturn]] void fallar(const QString& texto)
{
    throw ErrorVB(71, texto, QStringLiteral("Unidades"));
}

class Sistema : public Proveedor
{
public:
    // One connection per bus address: Qt hands back an open one by its name.
    explicit Sistema(const QString& direccionBus)
        : m_bus(direccionBus.isEmpty() ? QDBusConnection::systemBus()
                                       : QDBusConnection::connectToBus(direccionBus, QStringLiteral("tolvario-discos ") + direccionBus))
    {
    }

    QList<Unidad> Lista() override
    {
        if (const std::optional<QList<UDisks2::Disco>> discos = UDisks2::Discos(m_bus)) {
            m_discos = *discos;
            QList<Unidad> r;
            for (const UDisks2::Disco& d : m_discos)
                r.append(d.unidad);
            return r;
        }
        m_discos.clear();
        QList<Unidad> r;
        for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
            const QString fs = QString::fromLatin1(v.fileSystemType());
            // Pseudo file systems are not drives a clerk would pick.
            if (fs == QLatin1String("squashfs") || fs == QLatin1String("overlay") || v.rootPath().startsWith(QLatin1String("/proc"))
                || v.rootPath().startsWith(QLatin1String("/sys")))
                continue;
            r.append({v.rootPath(), QString::fromLatin1(v.device()), tipoDe(v), v.name(), v.bytesTotal(),
                      QString::fromLatin1(v.fileSystemType()), v.rootPath()});
        }
        return r;
    }

    Unidad Datos(const QString& ruta) override
    {
        if (const UDisks2::Disco* d = disco(ruta, true))
            return d->unidad;
        // A disk of the list that is gone: nothing to write to, nothing mounted.
        if (ruta.startsWith(QLatin1String("/dev/")))
            return {ruta, DispositivoDe(ruta), Tipo::SinRaiz, {}, 0, {}, {}};
        return Proveedor::Datos(ruta);
    }

    QString Montar(const QString& ruta) override
    {
        if (const UDisks2::Disco* d = disco(ruta, true))
            return d->unidad.montaje.isEmpty() ? UDisks2::Montar(m_bus, *d) : d->unidad.montaje;
        return Proveedor::Montar(ruta);
    }

    Tipo TipoDe(const QString& ruta) override
    {
        if (const UDisks2::Disco* d = disco(ruta))
            return d->unidad.tipo;
        if (!QFileInfo(ruta).isDir())
            return Tipo::SinRaiz;
        return tipoDe(QStorageInfo(ruta));
    }

    QString Formatear(const QString& ruta, const QString& etiqueta) override
    {
        if (const UDisks2::Disco* d = disco(ruta, true))
            return UDisks2::Formatear(m_bus, *d, etiqueta);
        if (ruta.startsWith(QLatin1String("/dev/")))
            fallar(QStringLiteral("El disco %1 ya no está conectado: no se formateó.").arg(ruta));
        const QStorageInfo v(ruta);
        if (!v.isValid())
            fallar(QStringLiteral("La unidad %1 no está disponible.").arg(ruta));
        if (tipoDe(v) != Tipo::Removible)
            fallar(QStringLiteral("La unidad %1 no es un disco extraíble; no se formatea.").arg(ruta));
        QDBusConnection bus = QDBusConnection::systemBus();
        if (!bus.isConnected())
            fallar(QStringLiteral("No se pudo hablar con el servicio de discos del sistema (UDisks2)."));
        const QString objeto = QStringLiteral("/org/freedesktop/UDisks2/block_devices/") + nombreBloque(QString::fromLatin1(v.device()));
        const QString servicio = QStringLiteral("org.freedesktop.UDisks2");

        QDBusInterface fsActual(servicio, objeto, QStringLiteral("org.freedesktop.UDisks2.Filesystem"), bus);
        QDBusMessage r = fsActual.call(QStringLiteral("Unmount"), QVariantMap{});
        if (r.type() == QDBusMessage::ErrorMessage)
            fallar(QStringLiteral("No se pudo desmontar la unidad %1: %2").arg(ruta, r.errorMessage()));

        QDBusInterface bloque(servicio, objeto, QStringLiteral("org.freedesktop.UDisks2.Block"), bus);
        bloque.setTimeout(10 * 60 * 1000);
        r = bloque.call(QStringLiteral("Format"), QStringLiteral("vfat"),
                        QVariantMap{{QStringLiteral("label"), etiqueta.left(11).toUpper()},
                                    {QStringLiteral("update-partition-type"), true}});
        if (r.type() == QDBusMessage::ErrorMessage)
            fallar(QStringLiteral("No se pudo formatear la unidad %1: %2").arg(ruta, r.errorMessage()));

        QDBusInterface fsNuevo(servicio, objeto, QStringLiteral("org.freedesktop.UDisks2.Filesystem"), bus);
        const QDBusReply<QString> montado = fsNuevo.call(QStringLiteral("Mount"), QVariantMap{});
        if (!montado.isValid())
            fallar(QStringLiteral("La unidad %1 se formateó pero no se pudo montar: %2").arg(ruta, montado.error().message()));
        return montado.value();
    }

private:
    // A disk UDisks2 offers, by its text or by its device alone: a label written since
    // changes the text, not the disk. Asked again when the last list does not have it, or
    // when what it holds now matters (`fresco`: mounted or not, before a format or a copy).
    const UDisks2::Disco* disco(const QString& ruta, bool fresco = false)
    {
        const QString dispositivo = DispositivoDe(ruta);
        const auto buscar = [&]() -> const UDisks2::Disco* {
            for (const UDisks2::Disco& d : m_discos)
                if (d.unidad.ruta == ruta || (!dispositivo.isEmpty() && d.unidad.dispositivo == dispositivo))
                    return &d;
            return nullptr;
        };
        if (const UDisks2::Disco* d = buscar(); d && !fresco)
            return d;
        if (!ruta.startsWith(QLatin1String("/dev/")))
            return nullptr;
        m_discos = UDisks2::Discos(m_bus).value_or(QList<UDisks2::Disco>());
        return buscar();
    }

    QDBusConnection m_bus;
    QList<UDisks2::Disco> m_discos;
};

std::unique_ptr<Proveedor>& instalado()
{
    static std::unique_ptr<Proveedor> p;
    return p;
}

} // namespace

std::unique_ptr<Proveedor> DelSistema(const QString& direccionBus)
{
    return std::make_unique<Sistema>(direccionBus);
}

Unidad Proveedor::Datos(const QString& ruta)
{
    const QStorageInfo v(ruta);
    return {ruta, QString::fromLatin1(v.device()), TipoDe(ruta), v.name(), v.bytesTotal(),
            v.isValid() ? QString::fromLatin1(v.fileSystemType()) : QStringLiteral("?"), ruta};
}

QString DispositivoDe(const QString& texto)
{
    return texto.section(QStringLiteral(" ("), 0, 0);
}

QString TextoDeTamano(qint64 bytes)
{
    if (bytes <= 0)
        return QStringLiteral("tamaño desconocido");
    if (bytes >= 1024LL * 1024 * 1024)
        return QStringLiteral("%1 GB").arg(double(bytes) / (1024.0 * 1024 * 1024), 0, 'f', 1);
    return QStringLiteral("%1 MB").arg(double(bytes) / (1024.0 * 1024), 0, 'f', 1);
}

Proveedor& actual()
{
    auto& p = instalado();
    if (!p)
        p = DelSistema();
    return *p;
}

void establecer(std::unique_ptr<Proveedor> p)
{
    instalado() = std::move(p);
}

} // namespace Unidades
