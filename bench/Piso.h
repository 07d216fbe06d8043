#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>
#include <functional>
#include <vector>

// The floor of an operation: the statements it sent to the database, recorded once while
// the program ran it, then replayed straight through Qt SQL with no window and no program
// code in between.
struct Sentencia {
    QString texto;
    QVariantList valores;
};

std::vector<Sentencia> Grabar(const std::function<void()>& operacion);
// Every row of every result is read, as the program's recordsets read them. A statement
// that fails raises std::runtime_error: the benchmark is then stopped with an error.
void Repetir(QSqlDatabase bd, const std::vector<Sentencia>& sentencias);

namespace benchmark {
class State;
}
// A floor's loop: the recorded variants replayed in turn, one per iteration, then `ademas`
// (work of the floor that is not a statement). A failed replay stops it with an error.
void MedirPiso(benchmark::State& estado, QSqlDatabase bd, const std::vector<std::vector<Sentencia>>& variantes,
               const std::function<void()>& ademas = {});
