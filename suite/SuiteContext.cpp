#include "suite/SuiteContext.h"

#include "platform/Operador.h"

#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QWidget>

#include <vector>

namespace SuiteContext {

namespace {
std::vector<QPointer<QWidget>>& ventanas()
{
    static std::vector<QPointer<QWidget>> v;
    return v;
}
Lanzador& lanzador()
{
    static Lanzador l = [](const QString& p, const QStringList& a) { return QProcess::startDetached(p, a); };
    return l;
}
} // namespace

QString Identity1()
{
    return QSysInfo::machineHostName();
}

QString Identity2()
{
    QString u = qEnvironmentVariable("USER");
    if (u.isEmpty())
        u = qEnvironmentVariable("LOGNAME");
    return u;
}

void RegisterWindow(QWidget* ventana)
{
    if (ventana)
        ventanas().emplace_back(ventana);
}

int RegisteredWindows()
{
    int n = 0;
    for (const auto& v : ventanas())
        n += v ? 1 : 0;
    return n;
}

void Release()
{
    ventanas().clear();
}

void EstablecerLanzador(Lanzador l)
{
    lanzador() = std::move(l);
}

void ShellVerb(const QString& verbo, const QString& archivo, const QString&, const QString&, int)
{
    QString programa;
    QStringList argumentos;
    if (verbo.compare(QStringLiteral("Print"), Qt::CaseInsensitive) == 0) {
        for (const char* candidato : {"libreoffice", "soffice"}) {
            programa = QStandardPaths::findExecutable(QString::fromLatin1(candidato));
            if (!programa.isEmpty())
                break;
        }
        argumentos = {QStringLiteral("-p"), archivo};
        if (programa.isEmpty()) {
            operador().Mensaje(QStringLiteral("No hay en este equipo un programa que imprima el archivo %1.\n"
                                              "Instale LibreOffice o imprímalo desde otra aplicación.")
                                   .arg(archivo),
                               Operador::Exclamacion, QStringLiteral("Aviso al operador..."));
            return;
        }
    } else {
        programa = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        argumentos = {archivo};
    }
    if (programa.isEmpty() || !lanzador()(programa, argumentos))
        operador().Mensaje(QStringLiteral("No se pudo abrir el archivo %1.").arg(archivo), Operador::Exclamacion,
                           QStringLiteral("Aviso al operador..."));
}

} // namespace SuiteContext
