#pragma once

#include "register/Libro.h"
#include "register/LineaRegistro.h"
#include "register/TablasDelRegistro.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

// The books handed to ONCCA, as the store records them: when, by whom, with which header,
// and a fingerprint of what each account's page held. A later change that alters one marks
// it until it is delivered again. Part of the register's store: same database, same errors.
namespace RegistroTolvario {

struct Entrega {
    QString periodo;
    QString momento; // yyyy-MM-dd HH:mm:ss
    QString usuario;
    QString caja;
    EncabezadoLibro encabezado; // as the book was made
    bool modificado = false;    // changed after the delivery
};
std::optional<Entrega> EntregaDe(const QString& periodo);
// "Entregado a ONCCA el dd/mm/aaaa", and the mark when it changed since.
QString TextoDeEntrega(const Entrega& e);

// One fingerprint per account of the period's book (upper-case code), over its exact
// amounts, its opening balance and its remarks.
using Huellas = std::map<QString, QString>;
Huellas TomarHuellas(const QString& periodo);
// The book with this header, built when `alArmar` was taken, is on the ONCCA disk:
// recorded, replacing an earlier delivery of the period, in one transaction; already marked
// changed when the stored figures moved since.
void AnotarEntrega(const EncabezadoLibro& encabezado, const Huellas& alArmar);

// What a delivered book still is: the accounts whose figures no longer give the delivered
// page, and whether its header does not.
struct Verificacion {
    bool entregado = false;
    QStringList cuentas;
    bool encabezado = false;
    bool Igual() const { return entregado && cuentas.isEmpty() && !encabezado; }
};
Verificacion Verificar(const QString& periodo);

// One account's lines as a save would leave them; none: the account leaves the period.
struct CambioPrevisto {
    QString cuenta;
    std::optional<std::vector<LineaRegistro>> lineas;
    std::optional<Importe> saldoAnterior = {}; // when the caller has it (the grid shows it), not read again
    // What the account held as this station read it, when the caller has that: the save's
    // own check, inside its transaction, still compares with what is stored then.
    std::optional<std::vector<LineaRegistro>> antes = {};
};
// What a change to a period moves besides itself: the delivered books it alters (the
// period's own, or later ones whose opening balance moves), and the later stored months
// whose opening balance moves. Nothing is written.
// A stock the change would leave below zero, or lower than it was stored below zero: the
// first such day of the period, or a later month (its lowest).
struct Negativa {
    QString cuenta;
    QString periodo;
    int dia = 0; // 0: a later month
    Importe saldo;
    QString hasta; // the account's latest month below zero, past those named
};
struct Deriva {
    static constexpr int Nombrados = 12; // later months named one by one
    std::vector<Entrega> entregados;
    QStringList posteriores;  // the first ones, in time order
    QString ultimoPosterior;  // the latest, when there are more than those named
    std::vector<Negativa> negativas; // at most Nombrados later months per account
    bool Hay() const { return !entregados.empty() || !posteriores.isEmpty() || !negativas.empty(); }
};
// `hoja`: the sheet number the save would store.
Deriva DerivaDe(const QString& periodo, const std::vector<CambioPrevisto>& cambios, const QString* hoja = nullptr);
// The whole period removed.
Deriva DerivaDeBorrar(const QString& periodo);

} // namespace RegistroTolvario
