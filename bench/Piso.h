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
// Every row of every result is read, as the program's recordsets read them.
void Repetir(QSqlDatabase bd, const std::vector<Sentencia>& sentencias);
