// Another station holding the SQLite file mid-save, in a process of its own: takes the write
// lock, changes what it is given, says so, keeps the lock for a while, then commits.
//   retener_base <file> <milliseconds> <sql>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4)
        return 2;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(args[1]);
    if (!db.open())
        return 3;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")) || !q.exec(args[3])) {
        std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
        return 4;
    }
    std::printf("listo\n");
    std::fflush(stdout);
    QThread::msleep(args[2].toULong());
    return q.exec(QStringLiteral("COMMIT")) ? 0 : 5;
}
