#pragma once

#include "register/LineaRegistro.h"
#include "register/TablasDelRegistro.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// The register as stored: the only code that sends statements on its table and reads or
// writes its settings and sheet numbers. No widgets: the window, the book and the
// command-line tool all go through it. Every function raises ErrorVB when the database
// fails; a period that is not MM/AAAA is refused before anything is sent.
namespace RegistroTolvario {

extern const QString Tabla;

// The header the book carries, as the settings hold it (texts, untrimmed as read).
struct Ajustes {
    QString oncca;
    QString decimales;
    QString medida;
    QString titulo;
    QString linea;
};

// A customer as the suite's customers view has it.
struct Cliente {
    QString codigo; // as stored, trimmed
    QString razonSocial;
    QString documento;
};
// The customers among `codigos` (trimmed), in one statement, by the code as asked; a code
// that is no customer is absent.
QHash<QString, Cliente> Clientes(const QStringList& codigos);

struct CuentaDelLibro {
    QString codigo;
    QString descripcion;
};

bool TablaExiste();
// The pair of numbers of the server lock that queues the saves of one account of a period,
// the same on every station.
std::pair<qint32, qint32> ClaveDeTurno(const QString& periodo, const QString& cuenta);
bool HayPeriodo(const QString& periodo);
// The month before, MM/AAAA.
QString PeriodoAnterior(const QString& periodo);
// The latest period stored (year, then month); empty when none.
QString UltimoPeriodo();
// The first and the latest periods stored, MM/AAAA; both empty when none.
std::pair<QString, QString> PeriodosGuardados();

// Every account with lines stored in the period, the mill included.
QStringList CuentasDelPeriodo(const QString& periodo);
// The users (every account but the mill) stored in the period, in the order the database
// groups them.
QStringList UsuariosDelPeriodo(const QString& periodo);
// The stored lines of one account, in day order.
std::vector<LineaRegistro> Lineas(const QString& periodo, const QString& cuenta);
// What the account carries into the period from every earlier one.
Importe SaldoAnterior(const QString& periodo, const QString& cuenta);
// What every account stored in the period carries into it, in one statement (upper-case
// codes: accounts compare without regard to case; one with nothing before is absent: 0).
QHash<QString, Importe> SaldosAnteriores(const QString& periodo);
// Both of them, in one statement: an account opened on the grid.
struct CuentaLeida {
    std::vector<LineaRegistro> lineas;
    Importe saldoAnterior;
};
CuentaLeida LeerCuenta(const QString& periodo, const QString& cuenta);

// Replaces the account's lines of the period in one transaction: the old register or the
// new one is stored, never a mix. Saves of one account from several stations queue. With
// `esperadas`, what the station read when it loaded the account (none for an account new to
// the period), nothing is written when the stored lines are no longer those: another
// station saved since; the result is then false.
// `encontradas` receives what the database held instead.
bool GrabarCuenta(const QString& periodo, const QString& cuenta, const std::vector<LineaRegistro>& lineas,
                  const std::vector<LineaRegistro>* esperadas = nullptr, std::vector<LineaRegistro>* encontradas = nullptr);
// The accounts lose their lines of the period, all of them or none.
void QuitarCuentas(const QString& periodo, const QStringList& cuentas);
// Every account of the period, together or not at all. The sheet number stays.
void BorrarPeriodo(const QString& periodo);

// The book: the period's accounts (with their names) and every line, grouped by account in
// the same order.
std::vector<CuentaDelLibro> CuentasDelLibro(const QString& periodo);
std::vector<LineaRegistro> LineasDelPeriodo(const QString& periodo);

// The sheet number stored for the period; empty when there is none (or it is no number).
QString HojaGuardada(const QString& periodo);
// The sheet number stored for the period as it is, trimmed, a number or not.
QString HojaComoEsta(const QString& periodo);
// The one after the latest stored period's number; 1 when none is stored. Numbers of
// periods with no lines stored (a slip of the hand opened and left) do not count.
QString HojaSiguiente();
// Another period with lines stored that has this sheet number; empty when none.
QString PeriodoConHoja(const QString& hoja, const QString& excepto);
// The stored one, else the next one.
QString Hoja(const QString& periodo);
void GrabarHoja(const QString& periodo, const QString& hoja);

// One change of the register as its history keeps it.
struct Cambio {
    QString momento; // yyyy-MM-dd HH:mm:ss.zzz
    QString periodo;
    QString cuenta;
    QString usuario;
    QString caja;
    QString accion; // GRABAR, QUITAR, BORRAR
    Importe entradasAntes, salidasAntes, entradasDespues, salidasDespues;
};
// The period's history, oldest first; empty where the database keeps none.
std::vector<Cambio> Historia(const QString& periodo);

// The settings' keys, in the order of Ajustes.
QStringList ClavesDeAjustes();
Ajustes LeerAjustes();
// The settings marked in `cuales` (oncca, decimales, medida, titulo, linea), the rest untouched.
void GrabarAjustes(const Ajustes& a, std::array<bool, 5> cuales = {true, true, true, true, true});

} // namespace RegistroTolvario
