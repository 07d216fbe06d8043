#pragma once

#include "data/Conexion.h"
#include "tests/support/OperadorGuionado.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

enum class Motor { SQLite, PostgreSQL };

// A process that has not started yet, with a scripted operator and a temporary
// application folder; for tests that need no database of their own.
class ProcesoLimpio : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    QString carpeta() const { return m_carpeta.path(); }

    OperadorGuionado* m_guion = nullptr;

private:
    QTemporaryDir m_carpeta;
};

// A fresh database per test, on SQLite (a file in a temporary folder) or on the
// PostgreSQL server scripts/test starts (a database of its own, dropped afterwards; the
// test is skipped when no server was given). The application folder is a temporary one and
// the operator is scripted.
class BaseDePrueba : public testing::TestWithParam<Motor>
{
protected:
    void SetUp() override;
    void TearDown() override;

    bool esPostgres() const { return GetParam() == Motor::PostgreSQL; }
    // The command line the suite's menu would pass for this database.
    QString comando() const;
    QString comandoConClave(const QString& clave) const;
    QString carpeta() const { return m_carpeta.path(); }

    // The module's tables and views, created by the schema tool's code.
    void crearEsquema();
    // Runs a statement on the test's own connection (not the program's).
    void ejecutar(const QString& sql);
    // The database refuses (as a full disk would) every row inserted into `tabla` for which
    // `condicion` holds, until quitarRechazo: a save that fails halfway. rechazarDia refuses
    // the register lines of one day.
    void rechazarAltas(const QString& tabla, const QString& condicion);
    void rechazarDia(int dia);
    void quitarRechazo();
    QString valor(const QString& sql);
    // The program's start-up on this database, as the window's load runs it.
    void iniciar();

    QString m_servidor;
    QString m_base;
    QString m_usuario;
    QString m_clave;
    OperadorGuionado* m_guion = nullptr;
    Conexion m_cnn;
    QString m_tablaRechazada;

private:
    QString textoConexion() const;
    QTemporaryDir m_carpeta;
};

// The database with the module's tables and the test's user as an administrator, the
// program not started yet: for tests of the start-up itself.
class BaseSinIniciar : public BaseDePrueba
{
protected:
    void SetUp() override;
};

// The database with the module's tables, then `poblar`, then the program's start-up on it.
class BaseIniciada : public BaseDePrueba
{
protected:
    void SetUp() override;
    virtual void poblar() {}
};

std::string NombreMotor(const testing::TestParamInfo<Motor>& info);

// One statement on the PostgreSQL server's maintenance database (CREATE or DROP DATABASE).
bool AdministrarServidor(const QString& sql, QString* error = nullptr);

#define CON_CADA_MOTOR(Clase) \
    INSTANTIATE_TEST_SUITE_P(Motores, Clase, testing::Values(Motor::SQLite, Motor::PostgreSQL), NombreMotor)

// Back to a process that has not started: shared objects released, run values cleared.
void ReiniciarProceso();
