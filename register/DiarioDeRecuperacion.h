#pragma once

#include "register/LineaRegistro.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QJsonObject;
class QLockFile;

// What the clerk typed and no save has stored yet, on the station's own disk: each change is
// written and flushed (fsync) before the screen shows it done, so a power cut, a crash or a
// closed session loses none of it. One journal per database, station and suite user, in the
// user's data folder; a lock file keeps a second window of the same user off it.
class DiarioDeRecuperacion
{
public:
    struct Identidad {
        QString servidor;
        QString base;
        QString caja;
        QString usuario;
    };
    DiarioDeRecuperacion();
    ~DiarioDeRecuperacion();

    // The per-user data folder's "tolvario/recuperacion", and this identity's journal in it.
    static QString Carpeta();
    static QString ArchivoDe(const Identidad& id);

    // Takes this identity's journal for the process. False when another live process holds
    // it (its number in `otro`): that process is the one writing it. A folder that cannot be
    // written is told once, and the program goes on keeping nothing.
    bool Abrir(const Identidad& id, qint64* otro = nullptr);
    bool Abierto() const { return m_fd >= 0; }
    const QString& Ruta() const { return m_ruta; }

    // The journal folded: the last value of every change since the period was opened, less
    // what a save stored since.
    struct Pendiente {
        struct Cuenta {
            QString cuenta;
            std::vector<LineaRegistro> leidas; // what the account held when it was loaded
            QMap<int, LineaRegistro> dias;     // the days changed, as they were left
        };
        QString periodo;
        QDateTime escrito;
        std::vector<Cuenta> cuentas;   // in the order they were first changed
        QMap<QString, QString> ajustes; // header boxes by field name
        QMap<int, QString> usuarios;   // user box k and the code confirmed in it
        bool Vacio() const { return cuentas.empty() && ajustes.isEmpty() && usuarios.isEmpty(); }
    };
    Pendiente Leer() const;

    // Each on disk before it returns. A day is written with the lines its account held when
    // loaded, once per account, so a later save still meets the other-station check.
    void AnotarDia(const QString& periodo, const QString& cuenta, const std::vector<LineaRegistro>& leidas, const LineaRegistro& dia);
    void AnotarAjuste(const QString& periodo, const QString& campo, const QString& valor);
    void AnotarUsuario(const QString& periodo, int k, const QString& codigo);
    // That account's changes are stored; the settings and users are.
    void AnotarGrabada(const QString& periodo, const QString& cuenta);
    void AnotarAjustesGrabados(const QString& periodo);
    // Everything stored or dropped: back to its first line only.
    void Vaciar();
    // Refused at start: kept aside under a dated name (returned), and a clean one begun;
    // nothing returned when it could not be set aside (then it stays, offered next time).
    QString Apartar();

private:
    bool anotar(const QString& periodo, QJsonObject entrada);
    void avisarSinRespaldo();
    void empezar();

    QString m_ruta;
    Identidad m_id;
    std::unique_ptr<QLockFile> m_cerrojo;
    int m_fd = -1;
    QString m_periodo;           // the period of the entries since the last emptying
    QStringList m_conLeidas;     // accounts whose loaded lines are written already
    bool m_avisado = false;      // a journal that cannot be written is told once
};
