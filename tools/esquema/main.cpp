// Creates or upgrades the tables and views of the register on SQLite or PostgreSQL:
//   tolvario-esquema [--demo] "@Server=sqlite:;@DbName=demo/tolvario.db;"
//   tolvario-esquema "@Server=pg:localhost:5432;@DbName=empresa;@Usuario=u;@Password=p;"
#include "data/DB_Dll.h"
#include "startup/Inicio.h"
#include "tools/esquema/Esquema.h"
#include "tools/esquema/OperadorConsola.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

int uso()
{
    std::fprintf(stderr, "Uso: tolvario-esquema [--demo] \"@Server=sqlite:;@DbName=ARCHIVO;\"\n"
                         "     tolvario-esquema [--demo] \"@Server=pg:HOST[:PUERTO];@DbName=BASE;@Usuario=U;@Password=C;\"\n");
    return 2;
}

void contar(const Esquema::Cambios& cambios)
{
    for (const QString& c : cambios)
        std::printf("%s\n", qPrintable(c));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    establecerOperador(std::make_unique<OperadorConsola>());

    bool demo = false;
    QString comando;
    for (const QString& a : QCoreApplication::arguments().mid(1)) {
        if (a == QLatin1String("--demo"))
            demo = true;
        else if (a.startsWith(QLatin1String("--")))
            return uso();
        else
            comando += a + u' ';
    }
    const QString servidor = ValorDeClave(comando, QStringLiteral("@Server"));
    const QString base = ValorDeClave(comando, QStringLiteral("@DbName"));
    const bool sqlite = servidor.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive);
    const bool pg = servidor.startsWith(QLatin1String("pg:"), Qt::CaseInsensitive);
    if ((!sqlite && !pg) || base.isEmpty())
        return uso();

    // The register never creates a database; this tool is where one is born.
    if (sqlite && !QFileInfo::exists(base)) {
        QDir().mkpath(QFileInfo(base).absolutePath());
        QFile f(base);
        if (!f.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "No se pudo crear el archivo de base de datos %s: %s\n", qPrintable(base),
                         qPrintable(f.errorString()));
            return 1;
        }
    }

    DB_Dll& db = DB_Dll::Instancia();
    db.gServidor = servidor;
    db.gDBName = base;
    db.gUsuario = ValorDeClave(comando, QStringLiteral("@Usuario"));
    db.gUserPassWord = ValorDeClave(comando, QStringLiteral("@Password"));
    db.OpenServerADODB(false, 3, QString(), false);
    if (!db.gOpenFlag || !db.gCnn.Abierta()) {
        std::fprintf(stderr, "No se pudo abrir la base de datos.\n");
        return 1;
    }
    try {
        contar(Esquema::Actualizar(db.gCnn));
        if (demo)
            contar(Esquema::LlenarDemo(db.gCnn));
    } catch (const ErrorVB& e) {
        std::fprintf(stderr, "Error %ld: %s\n", long(e.Number), qPrintable(e.Description));
        return 1;
    }
    return 0;
}
