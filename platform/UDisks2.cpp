#include "platform/UDisks2.h"

#include "platform/ErrorVB.h"

#include <QDBusArgument>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QVariantMap>

namespace Unidades::UDisks2 {

namespace {

const QString Servicio = QStringLiteral("org.freedesktop.UDisks2");
const QString Bloque = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString SistemaArchivos = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString TablaParticiones = QStringLiteral("org.freedesktop.UDisks2.PartitionTable");
const QString Particion = QStringLiteral("org.freedesktop.UDisks2.Partition");
const QString Unidad = QStringLiteral("org.freedesktop.UDisks2.Drive");

using Interfaces = QMap<QString, QVariantMap>; // interface -> its properties

// A byte string as UDisks2 gives paths: NUL-terminated.
QString texto(const QVariant& v)
{
    QByteArray b = v.toByteArray();
    if (v.canConvert<QDBusArgument>()) {
        const QDBusArgument a = v.value<QDBusArgument>();
        a >> b;
    }
    if (b.endsWith('\0'))
        b.chop(1);
    return QString::fromLocal8Bit(b);
}

// Mount points: an array of byte strings.
QStringList montajes(const QVariant& v)
{
    QStringList r;
    if (!v.canConvert<QDBusArgument>())
        return r;
    const QDBusArgument a = v.value<QDBusArgument>();
    a.beginArray();
    while (!a.atEnd()) {
        QByteArray b;
        a >> b;
        if (b.endsWith('\0'))
            b.chop(1);
        r << QString::fromLocal8Bit(b);
    }
    a.endArray();
    return r;
}

// GetManagedObjects: a{oa{sa{sv}}}.
std::optional<QMap<QString, Interfaces>> objetos(const QDBusConnection& bus)
{
    QDBusMessage m = QDBusMessage::createMethodCall(Servicio, QStringLiteral("/org/freedesktop/UDisks2"),
                                                    QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                                                    QStringLiteral("GetManagedObjects"));
    const QDBusMessage r = bus.call(m, QDBus::Block, 10000);
    if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty())
        return std::nullopt;
    QMap<QString, Interfaces> todos;
    const QDBusArgument a = r.arguments().at(0).value<QDBusArgument>();
    a.beginMap();
    while (!a.atEnd()) {
        QDBusObjectPath ruta;
        Interfaces interfaces;
        a.beginMapEntry();
        a >> ruta;
        a.beginMap();
        while (!a.atEnd()) {
            QString nombre;
            QVariantMap propiedades;
            a.beginMapEntry();
            a >> nombre >> propiedades;
            a.endMapEntry();
            interfaces.insert(nombre, propiedades);
        }
        a.endMap();
        a.endMapEntry();
        todos.insert(ruta.path(), interfaces);
    }
    a.endMap();
    return todos;
}

[[noreturn]] void fallar(const QString& texto)
{
    throw ErrorVB(71, texto, QStringLiteral("Unidades"));
}

// The daemon's reason, as the clerk can act on it.
QString motivo(const QDBusMessage& r)
{
    const QString n = r.errorName();
    QString texto = r.errorMessage().trimmed();
    while (texto.endsWith(u'.'))
        texto.chop(1);
    if (n.endsWith(QLatin1String(".NotAuthorized")) || n.endsWith(QLatin1String("NotAuthorizedCanObtain"))
        || n.endsWith(QLatin1String(".NotAuthorizedDismissed")))
        return QStringLiteral("el sistema no le permite a este usuario hacerlo");
    if (n.endsWith(QLatin1String(".DeviceBusy")) || texto.contains(QLatin1String("busy"), Qt::CaseInsensitive))
        return QStringLiteral("el disco está en uso por otro programa");
    if (n == QLatin1String("org.freedesktop.DBus.Error.NoReply") || n == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"))
        return QStringLiteral("el servicio de discos del sistema no respondió (no se sabe si lo hizo)");
    if (n.endsWith(QLatin1String(".NotSupported")) || texto.contains(QLatin1String("not configured in kernel")))
        return QStringLiteral("este equipo no puede montar ese sistema de archivos (%1)").arg(texto);
    return texto;
}

// Where the system mounted it; none, with why, when it could not.
std::optional<QString> montar(const QDBusConnection& bus, const Disco& d, QString& porque)
{
    QDBusInterface fs(Servicio, d.objeto, SistemaArchivos, bus);
    fs.setTimeout(10 * 60 * 1000);
    const QDBusMessage r = fs.call(QStringLiteral("Mount"), QVariantMap{});
    if (r.type() == QDBusMessage::ErrorMessage || r.arguments().isEmpty()) {
        porque = motivo(r);
        return std::nullopt;
    }
    return r.arguments().at(0).toString();
}

} // namespace

std::optional<QList<Disco>> Discos(const QDBusConnection& bus)
{
    if (!bus.isConnected())
        return std::nullopt;
    const std::optional<QMap<QString, Interfaces>> todos = objetos(bus);
    if (!todos)
        return std::nullopt;
    QList<Disco> discos;
    for (auto it = todos->cbegin(); it != todos->cend(); ++it) {
        if (!it->contains(Bloque))
            continue;
        const QVariantMap b = it->value(Bloque);
        if (b.value(QStringLiteral("HintSystem")).toBool() || b.value(QStringLiteral("HintIgnore")).toBool())
            continue;
        // A partitioned disk is offered by its partitions, and the container of logical ones
        // not at all (formatting it would wipe them); a disk without media has no size.
        if (it->contains(TablaParticiones) || b.value(QStringLiteral("Size")).toULongLong() == 0
            || it->value(Particion).value(QStringLiteral("IsContainer")).toBool())
            continue;
        const QString unidad = b.value(QStringLiteral("Drive")).value<QDBusObjectPath>().path();
        if (todos->value(unidad).value(Unidad).value(QStringLiteral("Optical")).toBool())
            continue;
        const QStringList montado = montajes(it->value(SistemaArchivos).value(QStringLiteral("MountPoints")));
        if (montado.contains(QStringLiteral("/")) || montado.contains(QStringLiteral("/boot")) || montado.contains(QStringLiteral("/home")))
            continue;
        const QString usa = b.value(QStringLiteral("IdUsage")).toString();
        // Swap, encrypted or RAID members hold someone's data in another form: not offered.
        if (!usa.isEmpty() && usa != QLatin1String("filesystem"))
            continue;
        Disco d;
        d.objeto = it.key();
        d.unidad.dispositivo = texto(b.value(QStringLiteral("PreferredDevice")));
        if (d.unidad.dispositivo.isEmpty())
            d.unidad.dispositivo = texto(b.value(QStringLiteral("Device")));
        d.unidad.etiqueta = b.value(QStringLiteral("IdLabel")).toString();
        d.unidad.tamano = qint64(b.value(QStringLiteral("Size")).toULongLong());
        d.unidad.sistema = b.value(QStringLiteral("IdType")).toString();
        d.unidad.montaje = montado.value(0);
        d.unidad.tipo = Tipo::Removible;
        d.unidad.ruta = d.unidad.etiqueta.isEmpty() ? d.unidad.dispositivo
                                                     : QStringLiteral("%1 (%2)").arg(d.unidad.dispositivo, d.unidad.etiqueta);
        discos.append(d);
    }
    return discos;
}

QString Formatear(const QDBusConnection& bus, const Disco& d, const QString& etiqueta)
{
    const QString disco = d.unidad.dispositivo;
    if (!d.unidad.montaje.isEmpty()) {
        QDBusInterface fs(Servicio, d.objeto, SistemaArchivos, bus);
        // As long as a password the system may ask for takes.
        fs.setTimeout(10 * 60 * 1000);
        const QDBusMessage r = fs.call(QStringLiteral("Unmount"), QVariantMap{});
        if (r.type() == QDBusMessage::ErrorMessage)
            fallar(QStringLiteral("No se pudo desmontar el disco %1: %2. El disco quedó como estaba, montado en %3.")
                       .arg(disco, motivo(r), d.unidad.montaje));
    }
    QDBusInterface bloque(Servicio, d.objeto, Bloque, bus);
    bloque.setTimeout(10 * 60 * 1000);
    QDBusMessage r = bloque.call(QStringLiteral("Format"), QStringLiteral("vfat"),
                                 QVariantMap{{QStringLiteral("label"), etiqueta.left(11).toUpper()},
                                             {QStringLiteral("update-partition-type"), true}});
    if (r.type() == QDBusMessage::ErrorMessage)
        fallar(QStringLiteral("No se pudo formatear el disco %1: %2. El disco quedó sin montar y puede haber quedado "
                              "a medio formatear.")
                   .arg(disco, motivo(r)));
    QString porque;
    if (const std::optional<QString> donde = montar(bus, d, porque))
        return *donde;
    fallar(QStringLiteral("El disco %1 se formateó (FAT, etiqueta %2) pero no se pudo montar: %3. Quedó formateado y sin montar.")
               .arg(disco, etiqueta.left(11).toUpper(), porque));
}

QString Montar(const QDBusConnection& bus, const Disco& d)
{
    QString porque;
    if (const std::optional<QString> donde = montar(bus, d, porque))
        return *donde;
    fallar(QStringLiteral("No se pudo montar el disco %1: %2. Quedó sin montar.").arg(d.unidad.ruta, porque));
}

} // namespace Unidades::UDisks2
