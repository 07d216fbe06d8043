#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class Conexion;

// The database the register's benchmarks run on: 30 years of movements of the mill and five
// milling users (66,960 rows, SQLite).
namespace BaseDeMedicion {

extern const char* const Cuentas[6];
extern const QString Periodos[2];

// The mill and five users, every day of every month from one year to another.
void llenar(Conexion& cnn, int desde, int hasta);
// A 30-year database in `archivo`.
void crearBase(const QString& archivo);
// The suite's menu starting the module on `archivo`, the application folder `carpeta`.
void lineaDeComandos(const QString& archivo, const QString& carpeta);

// The 30-year database in a folder of its own, the program started on it as the command-line
// tool starts (no window), and a connection of its own for replaying the floors.
class BaseSinVentana
{
public:
    BaseSinVentana();
    ~BaseSinVentana();
    QSqlDatabase piso() const;
    QString carpeta() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Conexion> m_piso;
};

// Before the application object: windows off-screen, and the platform's note about each
// window shown kept out of the figures' output.
void PantallaSinAvisos();

// Questions answered with no one at the screen: the box's way out, but Sí to a save that moves
// later months (the clerk who saves an earlier month accepts that they move).
void InstalarOperadorDeMedicion();

} // namespace BaseDeMedicion
