// The ONCCA disk as a desktop sees it, on a real UDisks2 daemon: a private system bus, udev
// and udisksd started here, and a 16 MB loop device that udev marks as no system disk. The
// unformatted stick is offered, the format writes a FAT file system labelled ONCCA, and a
// mount the kernel cannot do is told in Spanish. Skipped, saying why, where the machine
// cannot run it (not root, no loop devices, the programs missing).
#include "platform/ErrorVB.h"
#include "platform/UDisks2.h"
#include "platform/Unidades.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <memory>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Udisksd = u"/usr/libexec/udisks2/udisksd"_s;
const QString Udevd = u"/lib/systemd/systemd-udevd"_s;

QString correr(const QString& programa, const QStringList& argumentos, int* codigo = nullptr)
{
    QProcess p;
    p.start(programa, argumentos);
    p.waitForFinished(60000);
    if (codigo)
        *codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

bool corre(const QString& programa, const QStringList& argumentos)
{
    int codigo = 0;
    correr(programa, argumentos, &codigo);
    return codigo == 0;
}

// Everything the test started, ended in the reverse order however it went.
class Entorno
{
public:
    QString porQueNo; // empty: ready
    QString bus;
    QString dispositivo;

    Entorno()
    {
        if (geteuid() != 0) {
            porQueNo = u"hace falta ser root (udev, losetup y udisksd)"_s;
            return;
        }
        for (const QString& p : {Udisksd, Udevd, u"/usr/bin/dbus-daemon"_s, u"/usr/sbin/losetup"_s, u"/usr/sbin/blkid"_s})
            if (!QFile::exists(p)) {
                porQueNo = p + u" no está instalado (scripts/deps instala udisks2, udev, dosfstools y mtools)"_s;
                return;
            }
        if (!m_dir.isValid()) {
            porQueNo = u"sin carpeta temporal"_s;
            return;
        }
        // The system bus's own configuration, listening on a socket of this test.
        QFile sistema(u"/usr/share/dbus-1/system.conf"_s);
        if (!sistema.open(QIODevice::ReadOnly)) {
            porQueNo = u"sin /usr/share/dbus-1/system.conf"_s;
            return;
        }
        QString conf = QString::fromUtf8(sistema.readAll());
        conf.replace(QRegularExpression(u"<listen>.*</listen>"_s), u"<listen>unix:path=%1/bus</listen>"_s.arg(m_dir.path()));
        conf.replace(QRegularExpression(u"<user>.*</user>|<pidfile>.*</pidfile>|<fork/>"_s), QString());
        conf.replace(u"<includedir>system.d</includedir>"_s, u"<includedir>/usr/share/dbus-1/system.d</includedir>"_s);
        QFile propio(m_dir.filePath(u"system.conf"_s));
        propio.open(QIODevice::WriteOnly);
        propio.write(conf.toUtf8());
        propio.close();
        bus = u"unix:path=%1/bus"_s.arg(m_dir.path());
        m_dbus.start(u"/usr/bin/dbus-daemon"_s, {u"--config-file=%1"_s.arg(propio.fileName()), u"--nofork"_s});
        if (!m_dbus.waitForStarted() || !esperar([&] { return QFile::exists(m_dir.filePath(u"bus"_s)); })) {
            porQueNo = u"dbus-daemon no arrancó"_s;
            return;
        }
        if (!corre(u"udevadm"_s, {u"control"_s, u"--ping"_s})) {
            if (!corre(Udevd, {u"--daemon"_s})) {
                porQueNo = u"systemd-udevd no arrancó"_s;
                return;
            }
            m_udevPropio = true;
        }
        QFile imagen(m_dir.filePath(u"disco.img"_s));
        imagen.open(QIODevice::WriteOnly);
        imagen.resize(16 * 1024 * 1024);
        imagen.close();
        dispositivo = correr(u"/usr/sbin/losetup"_s, {u"-f"_s, u"--show"_s, imagen.fileName()});
        if (!dispositivo.startsWith(u"/dev/loop"_s)) {
            dispositivo.clear();
            porQueNo = u"no hay dispositivos loop en esta máquina"_s;
            return;
        }
        // This test's loop device is no system disk, as a stick is not; no other one changes.
        QDir().mkpath(u"/run/udev/rules.d"_s);
        m_regla = u"/run/udev/rules.d/99-tolvario-prueba-%1.rules"_s.arg(QCoreApplication::applicationPid());
        QFile regla(m_regla);
        regla.open(QIODevice::WriteOnly);
        regla.write(u"KERNEL==\"%1\", ENV{UDISKS_SYSTEM}=\"0\"\n"_s.arg(dispositivo.section(u'/', -1)).toUtf8());
        regla.close();
        corre(u"udevadm"_s, {u"control"_s, u"--reload"_s});
        corre(u"udevadm"_s, {u"trigger"_s, u"--action=change"_s, dispositivo});
        corre(u"udevadm"_s, {u"settle"_s, u"-t"_s, u"10"_s});
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, bus);
        m_udisks.setProcessEnvironment(env);
        m_udisks.start(Udisksd, {});
        // Ready once the daemon knows the device; whether it is offered is the test's to say.
        QDBusConnection c = QDBusConnection::connectToBus(bus, u"prueba-discos"_s);
        const QString objeto = u"/org/freedesktop/UDisks2/block_devices/"_s + dispositivo.section(u'/', -1);
        if (!esperar([&] {
                QDBusMessage m = QDBusMessage::createMethodCall(u"org.freedesktop.UDisks2"_s, objeto,
                                                                u"org.freedesktop.DBus.Properties"_s, u"Get"_s);
                m << u"org.freedesktop.UDisks2.Block"_s << u"Size"_s;
                return c.call(m, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
            })) {
            porQueNo = u"udisksd no arrancó o no ve el disco de prueba"_s;
            return;
        }
    }
    ~Entorno()
    {
        if (!m_montado.isEmpty())
            corre(u"umount"_s, {m_montado});
        m_udisks.terminate();
        m_udisks.waitForFinished(5000);
        if (!dispositivo.isEmpty())
            corre(u"/usr/sbin/losetup"_s, {u"-d"_s, dispositivo});
        if (!m_regla.isEmpty()) {
            QFile::remove(m_regla);
            corre(u"udevadm"_s, {u"control"_s, u"--reload"_s});
        }
        if (m_udevPropio)
            corre(u"udevadm"_s, {u"control"_s, u"--exit"_s});
        m_dbus.terminate();
        m_dbus.waitForFinished(5000);
    }
    void montadoEn(const QString& ruta) { m_montado = ruta; }
    // Detached by the test itself: not detached again (the number may be another's by then).
    void retirado() { dispositivo.clear(); }

private:
    static bool esperar(const std::function<bool()>& hecho)
    {
        for (int i = 0; i < 150; ++i) {
            if (hecho())
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    QTemporaryDir m_dir;
    QProcess m_dbus;
    QProcess m_udisks;
    bool m_udevPropio = false;
    QString m_regla;
    QString m_montado;
};

class UDisks2Test : public testing::Test
{
protected:
    static void SetUpTestSuite() { s_entorno = new Entorno; }
    static void TearDownTestSuite()
    {
        delete s_entorno;
        s_entorno = nullptr;
    }
    void SetUp() override
    {
        if (!s_entorno->porQueNo.isEmpty())
            GTEST_SKIP() << s_entorno->porQueNo.toStdString();
        m_discos = Unidades::DelSistema(s_entorno->bus);
    }
    std::optional<Unidades::Unidad> elDisco()
    {
        for (const Unidades::Unidad& u : m_discos->Lista())
            if (u.dispositivo == s_entorno->dispositivo)
                return u;
        return std::nullopt;
    }
    QString blkid(const char* campo) const
    {
        return correr(u"/usr/sbin/blkid"_s, {u"-o"_s, u"value"_s, u"-s"_s, QString::fromLatin1(campo), s_entorno->dispositivo});
    }

    static Entorno* s_entorno;
    std::unique_ptr<Unidades::Proveedor> m_discos;
};

Entorno* UDisks2Test::s_entorno = nullptr;

} // namespace

TEST_F(UDisks2Test, ElDiscoSinFormatoSeOfreceYSeFormateaComoONCCA)
{
    const std::optional<Unidades::Unidad> nuevo = elDisco();
    ASSERT_TRUE(nuevo) << "an unformatted, unmounted stick is offered";
    EXPECT_EQ(nuevo->ruta, s_entorno->dispositivo) << "no label: the device alone";
    EXPECT_EQ(nuevo->tipo, Unidades::Tipo::Removible);
    EXPECT_EQ(nuevo->tamano, 16 * 1024 * 1024);
    EXPECT_TRUE(nuevo->sistema.isEmpty());
    EXPECT_TRUE(nuevo->montaje.isEmpty());
    EXPECT_EQ(m_discos->TipoDe(nuevo->ruta), Unidades::Tipo::Removible);

    // What an installer sees: the same disk, from the tool, with no connection line.
    QProcess herramienta;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, s_entorno->bus);
    herramienta.setProcessEnvironment(env);
    herramienta.start(QCoreApplication::applicationDirPath() + u"/tolvario-libro"_s, {u"--unidades"_s});
    ASSERT_TRUE(herramienta.waitForFinished(60000));
    EXPECT_EQ(herramienta.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(herramienta.readAllStandardOutput())
                    .split(u'\n')
                    .contains(s_entorno->dispositivo + u"\tsin etiqueta\t16.0 MB\tsin sistema de archivos\tsin montar"_s));

    // The format is really written; the mount works where the kernel has FAT, and is told
    // in Spanish, with where the disk was left, where it has not.
    QString montado;
    try {
        montado = m_discos->Formatear(nuevo->ruta, u"ONCCA"_s);
        s_entorno->montadoEn(montado);
        EXPECT_TRUE(QDir(montado).exists()) << montado.toStdString();
    } catch (const ErrorVB& e) {
        EXPECT_TRUE(e.Description.startsWith(u"El disco %1 se formateó (FAT, etiqueta ONCCA) pero no se pudo montar: "_s.arg(nuevo->ruta)))
            << e.Description.toStdString();
        EXPECT_TRUE(e.Description.endsWith(u"Quedó formateado y sin montar."_s)) << e.Description.toStdString();
    }
    EXPECT_EQ(blkid("TYPE"), u"vfat"_s);
    EXPECT_EQ(blkid("LABEL"), u"ONCCA"_s);

    const std::optional<Unidades::Unidad> formateado = elDisco();
    ASSERT_TRUE(formateado);
    EXPECT_EQ(formateado->ruta, s_entorno->dispositivo + u" (ONCCA)"_s);
    EXPECT_EQ(formateado->sistema, u"vfat"_s);
    EXPECT_EQ(formateado->montaje, montado);
    EXPECT_EQ(m_discos->TipoDe(nuevo->ruta), Unidades::Tipo::Removible) << "the text the combo still holds names the same disk";

    // Pulled out: nowhere to write, and said so instead of formatting something else.
    if (!montado.isEmpty()) {
        ASSERT_TRUE(corre(u"umount"_s, {montado}));
    }
    s_entorno->montadoEn({});
    ASSERT_TRUE(corre(u"/usr/sbin/losetup"_s, {u"-d"_s, s_entorno->dispositivo}));
    s_entorno->retirado();
    corre(u"udevadm"_s, {u"settle"_s, u"-t"_s, u"10"_s});
    EXPECT_TRUE(m_discos->Datos(formateado->ruta).montaje.isEmpty());
    try {
        m_discos->Formatear(formateado->ruta, u"ONCCA"_s);
        ADD_FAILURE() << "a disk that is gone was formatted";
    } catch (const ErrorVB& e) {
        EXPECT_EQ(e.Description, u"El disco %1 ya no está conectado: no se formateó."_s.arg(formateado->ruta));
    }
}

// No disk service on the bus: the mounted volumes, by their mount points, as before.
TEST_F(UDisks2Test, SinElServicioDeDiscosQuedanLosVolumenesMontados)
{
    const auto sinServicio = Unidades::DelSistema(u"unix:path=/nonexistent/tolvario-bus"_s);
    const QList<Unidades::Unidad> lista = sinServicio->Lista();
    // (A container may have none worth offering.)
    for (const Unidades::Unidad& u : lista) {
        EXPECT_EQ(u.ruta, u.montaje) << u.ruta.toStdString();
        EXPECT_NE(u.dispositivo, s_entorno->dispositivo);
    }
    EXPECT_EQ(sinServicio->TipoDe(s_entorno->dispositivo), Unidades::Tipo::SinRaiz) << "a device is no mount point";
}
