#include "lookup/AnchosConsulta.h"

#include "platform/Cp1252.h"
#include "suite/SuiteUtil.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

namespace AnchosConsulta {

namespace {

struct Linea {
    QString tabla;
    QString anchos;
};

// `"A","B"` with blanks allowed around the comma; anything else is not a line of ours.
std::optional<Linea> partir(const QString& linea)
{
    const QString t = linea.trimmed();
    if (!t.startsWith(u'"'))
        return std::nullopt;
    const qsizetype finTabla = t.indexOf(u'"', 1);
    if (finTabla < 0)
        return std::nullopt;
    const QString resto = t.mid(finTabla + 1).trimmed();
    if (!resto.startsWith(u','))
        return std::nullopt;
    const QString segundo = resto.mid(1).trimmed();
    if (segundo.size() < 2 || !segundo.startsWith(u'"') || !segundo.endsWith(u'"'))
        return std::nullopt;
    return Linea{t.mid(1, finTabla - 1), segundo.mid(1, segundo.size() - 2)};
}

QList<QString> lineas(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QString> r;
    for (const QByteArray& b : f.readAll().split('\n'))
        r << Cp1252::Decodificar(b);
    return r;
}

} // namespace

QVector<double> Leer(const QString& ruta, const QString& tabla)
{
    for (const QString& l : lineas(ruta)) {
        const auto linea = partir(l);
        if (!linea || linea->tabla.compare(tabla, Qt::CaseInsensitive) != 0)
            continue;
        QVector<double> anchos;
        for (const QString& a : linea->anchos.split(u'|', Qt::SkipEmptyParts)) {
            // A damaged width (beyond any number) counts as none: the window keeps its own.
            const Importe i = SuiteUtil::TextToAmountOrZero(a);
            anchos << double(i.diezmilesimos()) / double(Importe::Escala);
        }
        return anchos;
    }
    return {};
}

bool Grabar(const QString& ruta, const QString& tabla, const QVector<double>& anchos)
{
    const QString auxiliar = QFileInfo(ruta).absolutePath() + QStringLiteral("/CONSULTASLEN.AUX");
    QFile aux(auxiliar);
    if (!aux.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray salida;
    for (const QString& l : lineas(ruta)) {
        const auto linea = partir(l);
        if (linea && linea->tabla.compare(tabla, Qt::CaseInsensitive) == 0)
            continue;
        if (!l.trimmed().isEmpty())
            salida += Cp1252::Codificar(l.trimmed()) + "\r\n";
    }
    QString valores;
    for (double a : anchos)
        valores += QString::number(qRound64(a)) + u'|';
    salida += Cp1252::Codificar(u'"' + tabla + QStringLiteral("\",\"") + valores + u'"') + "\r\n";
    const bool escrito = aux.write(salida) == salida.size() && aux.flush();
    aux.close();
    if (!escrito) {
        QFile::remove(auxiliar);
        return false;
    }
    // The old file goes only once the new one is whole.
    if (QFile::exists(ruta) && !QFile::remove(ruta)) {
        QFile::remove(auxiliar);
        return false;
    }
    return QFile::rename(auxiliar, ruta);
}

} // namespace AnchosConsulta
