#include "register/DiarioDeRecuperacion.h"

#include "platform/Operador.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QJsonArray linea(const LineaRegistro& l)
{
    return {l.dia, double(l.entradas.diezmilesimos()), double(l.salidas.diezmilesimos()), l.observaciones};
}

LineaRegistro linea(const QJsonArray& a)
{
    LineaRegistro l;
    l.dia = a.at(0).toInt();
    l.entradas = Importe::desdeDiezmilesimos(int64_t(a.at(1).toDouble()));
    l.salidas = Importe::desdeDiezmilesimos(int64_t(a.at(2).toDouble()));
    l.observaciones = a.at(3).toString();
    return l;
}

QString textoDeError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

DiarioDeRecuperacion::DiarioDeRecuperacion() = default;

DiarioDeRecuperacion::~DiarioDeRecuperacion()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString DiarioDeRecuperacion::Carpeta()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tolvario/recuperacion");
}

QString DiarioDeRecuperacion::ArchivoDe(const Identidad& id)
{
    // The database is part of the name: a journal is offered only where it was written.
    const QByteArray base = QCryptographicHash::hash((id.servidor.trimmed() + u'|' + id.base.trimmed()).toUtf8(), QCryptographicHash::Sha1)
                                .toHex()
                                .left(12);
    // Station and user as they are, kept apart in the name whatever characters they have.
    const auto parte = [](const QString& texto) {
        return QString::fromLatin1(QUrl::toPercentEncoding(texto.trimmed().isEmpty() ? QStringLiteral("_") : texto.trimmed()));
    };
    return Carpeta() + QStringLiteral("/caja%1-%2-%3.diario").arg(parte(id.caja), parte(id.usuario), QString::fromLatin1(base));
}

bool DiarioDeRecuperacion::Abrir(const Identidad& id, qint64* otro)
{
    m_id = id;
    m_ruta = ArchivoDe(id);
    QDir().mkpath(Carpeta());
    // Only this user reads what they typed.
    QFile::setPermissions(Carpeta(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_cerrojo = std::make_unique<QLockFile>(m_ruta + QStringLiteral(".lock"));
    // Held for the whole run: only a process that is gone leaves it stale, never its age.
    m_cerrojo->setStaleLockTime(0);
    if (!m_cerrojo->tryLock(0)) {
        const bool otraVentana = m_cerrojo->error() == QLockFile::LockFailedError;
        if (otro) {
            QString host, app;
            *otro = 0;
            m_cerrojo->getLockInfo(otro, &host, &app);
        }
        m_cerrojo.reset();
        // A folder that cannot be written keeps nothing: the window works all the same, and
        // the clerk is told once.
        if (!otraVentana)
            avisarSinRespaldo();
        return !otraVentana;
    }
    m_fd = ::open(QFile::encodeName(m_ruta).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        avisarSinRespaldo();
        return true;
    }
    if (QFileInfo(m_ruta).size() == 0)
        empezar();
    const Pendiente p = Leer();
    m_periodo = p.periodo;
    for (const Pendiente::Cuenta& c : p.cuentas)
        m_conLeidas << c.cuenta.toUpper();
    return true;
}

void DiarioDeRecuperacion::empezar()
{
    m_periodo.clear();
    m_conLeidas.clear();
    QJsonObject e{{QStringLiteral("t"), QStringLiteral("V")}, {QStringLiteral("servidor"), m_id.servidor},
                  {QStringLiteral("base"), m_id.base}, {QStringLiteral("pid"), double(QCoreApplication::applicationPid())}};
    anotar(QString(), e);
}

void DiarioDeRecuperacion::avisarSinRespaldo()
{
    if (m_avisado)
        return;
    m_avisado = true;
    operador().Mensaje(QStringLiteral("No se puede guardar el respaldo de lo que escribe en %1 (%2). El registro funciona igual, "
                                      "pero lo que escriba se perderá si el programa se cierra antes de grabar.")
                           .arg(Carpeta(), errno ? textoDeError() : QStringLiteral("carpeta sin permiso de escritura")),
                       Operador::Exclamacion + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
}

bool DiarioDeRecuperacion::anotar(const QString& periodo, QJsonObject e)
{
    if (m_fd < 0)
        return false;
    // The period is written once, before the first entry of it: a period the clerk moved to
    // means the accounts of the one left are resolved (the settings go on pending).
    QByteArray texto;
    if (!periodo.isEmpty() && periodo != m_periodo) {
        m_conLeidas.clear();
        m_periodo = periodo;
        texto = QJsonDocument(QJsonObject{{QStringLiteral("t"), QStringLiteral("P")}, {QStringLiteral("p"), periodo}})
                    .toJson(QJsonDocument::Compact)
                + '\n';
    }
    e.insert(QStringLiteral("h"), double(QDateTime::currentSecsSinceEpoch()));
    texto += QJsonDocument(e).toJson(QJsonDocument::Compact) + '\n';
    qsizetype hecho = 0;
    while (hecho < texto.size()) {
        const ssize_t n = ::write(m_fd, texto.constData() + hecho, size_t(texto.size() - hecho));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        hecho += n;
    }
    if (hecho < texto.size() || ::fsync(m_fd) != 0) {
        avisarSinRespaldo();
        return false;
    }
    return true;
}

void DiarioDeRecuperacion::AnotarDia(const QString& periodo, const QString& cuenta, const std::vector<LineaRegistro>& leidas,
                                     const LineaRegistro& dia)
{
    if (periodo != m_periodo)
        m_conLeidas.clear();
    if (!m_conLeidas.contains(cuenta.toUpper())) {
        QJsonArray todas;
        for (const LineaRegistro& l : leidas)
            todas.append(linea(l));
        // Only once it is on disk: a day without the account as loaded is no day to offer.
        if (anotar(periodo, {{QStringLiteral("t"), QStringLiteral("L")}, {QStringLiteral("c"), cuenta}, {QStringLiteral("l"), todas}}))
            m_conLeidas << cuenta.toUpper();
    }
    anotar(periodo, {{QStringLiteral("t"), QStringLiteral("D")}, {QStringLiteral("c"), cuenta}, {QStringLiteral("l"), linea(dia)}});
}

void DiarioDeRecuperacion::AnotarAjuste(const QString& periodo, const QString& campo, const QString& valor)
{
    anotar(periodo, {{QStringLiteral("t"), QStringLiteral("A")}, {QStringLiteral("campo"), campo}, {QStringLiteral("valor"), valor}});
}

void DiarioDeRecuperacion::AnotarUsuario(const QString& periodo, int k, const QString& codigo)
{
    anotar(periodo, {{QStringLiteral("t"), QStringLiteral("U")}, {QStringLiteral("k"), k}, {QStringLiteral("codigo"), codigo}});
}

void DiarioDeRecuperacion::AnotarGrabada(const QString& periodo, const QString& cuenta)
{
    if (!m_conLeidas.contains(cuenta.toUpper()))
        return; // nothing of it in the journal
    m_conLeidas.removeAll(cuenta.toUpper());
    anotar(periodo, {{QStringLiteral("t"), QStringLiteral("G")}, {QStringLiteral("c"), cuenta}});
}

void DiarioDeRecuperacion::AnotarAjustesGrabados(const QString& periodo)
{
    anotar(periodo, {{QStringLiteral("t"), QStringLiteral("GA")}});
}

void DiarioDeRecuperacion::Vaciar()
{
    if (m_fd < 0)
        return;
    if (::ftruncate(m_fd, 0) != 0)
        return;
    empezar();
}

QString DiarioDeRecuperacion::Apartar()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    QString destino = m_ruta;
    destino.replace(QRegularExpression(QStringLiteral("\\.diario$")),
                    QDateTime::currentDateTime().toString(QStringLiteral("'-'yyyyMMdd-HHmmss'.apartado'")));
    // Never lost: when it cannot be set aside it stays where it is, offered again next time.
    const bool apartado = QFile::rename(m_ruta, destino);
    m_fd = ::open(QFile::encodeName(m_ruta).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (!apartado)
        return {};
    if (m_fd >= 0)
        empezar();
    return destino;
}

DiarioDeRecuperacion::Pendiente DiarioDeRecuperacion::Leer() const
{
    Pendiente p;
    QFile archivo(m_ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return p;
    const auto cuentaDe = [&p](const QString& cuenta) -> Pendiente::Cuenta* {
        for (Pendiente::Cuenta& c : p.cuentas)
            if (c.cuenta.compare(cuenta, Qt::CaseInsensitive) == 0)
                return &c;
        return nullptr;
    };
    while (!archivo.atEnd()) {
        // A line cut by the power going off mid-write is not an entry.
        const QByteArray renglon = archivo.readLine();
        if (!renglon.endsWith('\n'))
            break;
        const QJsonObject e = QJsonDocument::fromJson(renglon).object();
        const QString tipo = e.value(QStringLiteral("t")).toString();
        if (tipo.isEmpty() || tipo == QLatin1String("V"))
            continue;
        if (tipo == QLatin1String("P")) {
            // Another period: the accounts and users of the one left were resolved; the
            // settings (not its sheet number) are still the clerk's.
            if (e.value(QStringLiteral("p")).toString() != p.periodo) {
                const QMap<QString, QString> ajustes = p.ajustes;
                p = Pendiente();
                p.periodo = e.value(QStringLiteral("p")).toString();
                p.ajustes = ajustes;
                p.ajustes.remove(QStringLiteral("HOJA"));
            }
            continue;
        }
        p.escrito = QDateTime::fromSecsSinceEpoch(qint64(e.value(QStringLiteral("h")).toDouble()));
        const QString cuenta = e.value(QStringLiteral("c")).toString();
        if (tipo == QLatin1String("L") && !cuentaDe(cuenta)) {
            Pendiente::Cuenta c{cuenta, {}, {}};
            for (const QJsonValue& l : e.value(QStringLiteral("l")).toArray())
                c.leidas.push_back(linea(l.toArray()));
            p.cuentas.push_back(std::move(c));
        } else if (tipo == QLatin1String("D")) {
            if (Pendiente::Cuenta* c = cuentaDe(cuenta)) {
                const LineaRegistro l = linea(e.value(QStringLiteral("l")).toArray());
                c->dias.insert(l.dia, l);
            }
        } else if (tipo == QLatin1String("A")) {
            p.ajustes.insert(e.value(QStringLiteral("campo")).toString(), e.value(QStringLiteral("valor")).toString());
        } else if (tipo == QLatin1String("U")) {
            p.usuarios.insert(e.value(QStringLiteral("k")).toInt(), e.value(QStringLiteral("codigo")).toString());
        } else if (tipo == QLatin1String("G")) {
            std::erase_if(p.cuentas, [&](const Pendiente::Cuenta& c) { return c.cuenta.compare(cuenta, Qt::CaseInsensitive) == 0; });
        } else if (tipo == QLatin1String("GA")) {
            p.ajustes.clear();
            p.usuarios.clear();
        }
    }
    // A day left as it was loaded (typed over with the same figure, or typed back) is
    // nothing to offer, and neither is an account with no other.
    for (Pendiente::Cuenta& c : p.cuentas)
        for (auto it = c.dias.begin(); it != c.dias.end();) {
            const auto cargado = std::find_if(c.leidas.begin(), c.leidas.end(), [&](const LineaRegistro& l) { return l.dia == it.key(); });
            const LineaRegistro vacio{it.key(), {}, {}, {}, {}};
            it = *it == (cargado == c.leidas.end() ? vacio : *cargado) ? c.dias.erase(it) : std::next(it);
        }
    std::erase_if(p.cuentas, [](const Pendiente::Cuenta& c) { return c.dias.isEmpty(); });
    return p;
}
