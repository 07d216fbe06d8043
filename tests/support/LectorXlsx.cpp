#include "tests/support/LectorXlsx.h"

#include <QProcess>
#include <QStringList>
#include <QXmlStreamReader>
#include <vector>

namespace {

QByteArray parte(const QString& ruta, const QString& nombre)
{
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), ruta, nombre});
    p.waitForFinished(20000);
    return p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray();
}

// "C12" -> (12, 3)
std::pair<int, int> referencia(const QString& r)
{
    int columna = 0;
    int i = 0;
    while (i < r.size() && r[i].isLetter())
        columna = columna * 26 + (r[i++].toUpper().unicode() - u'A' + 1);
    return {r.mid(i).toInt(), columna};
}

struct Fuente {
    double tamano = 11;
    bool negrita = false, cursiva = false, sombra = false;
};

} // namespace

bool LectorXlsx::Leer(const QString& ruta)
{
    m_celdas.clear();
    m_anchos.clear();
    const QByteArray hoja = parte(ruta, QStringLiteral("xl/worksheets/sheet1.xml"));
    if (hoja.isEmpty())
        return false;

    QStringList compartidos;
    {
        QXmlStreamReader x(parte(ruta, QStringLiteral("xl/sharedStrings.xml")));
        QString actual;
        bool dentro = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("si")) {
                dentro = true;
                actual.clear();
            } else if (x.isStartElement() && x.name() == QLatin1String("t") && dentro) {
                actual += x.readElementText();
            } else if (x.isEndElement() && x.name() == QLatin1String("si")) {
                compartidos << actual;
                dentro = false;
            }
        }
    }

    {
        QXmlStreamReader x(parte(ruta, QStringLiteral("xl/workbook.xml")));
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("sheet") && NombreHoja.isEmpty())
                NombreHoja = x.attributes().value(QLatin1String("name")).toString();
            else if (x.isStartElement() && x.name() == QLatin1String("definedName")
                     && x.attributes().value(QLatin1String("name")) == QLatin1String("_xlnm.Print_Titles"))
                Pagina.filasRepetidas = x.readElementText();
        }
    }

    std::vector<Fuente> fuentes;
    std::vector<bool> bordes;
    struct Formato {
        int fuente = 0;
        int borde = 0;
        int numero = 0;
    };
    std::vector<Formato> formatos;
    QMap<int, QString> codigos; // numFmtId -> format code
    {
        QXmlStreamReader x(parte(ruta, QStringLiteral("xl/styles.xml")));
        QString seccion;
        bool enBorde = false;
        bool conLinea = false;
        while (!x.atEnd()) {
            x.readNext();
            const auto n = x.name();
            if (x.isStartElement()) {
                if (n == QLatin1String("fonts") || n == QLatin1String("borders") || n == QLatin1String("cellXfs")
                    || n == QLatin1String("cellStyleXfs"))
                    seccion = n.toString();
                else if (seccion == QLatin1String("fonts") && n == QLatin1String("font"))
                    fuentes.push_back({});
                else if (seccion == QLatin1String("fonts") && !fuentes.empty()) {
                    if (n == QLatin1String("sz"))
                        fuentes.back().tamano = x.attributes().value(QLatin1String("val")).toDouble();
                    else if (n == QLatin1String("b"))
                        fuentes.back().negrita = true;
                    else if (n == QLatin1String("i"))
                        fuentes.back().cursiva = true;
                    else if (n == QLatin1String("shadow"))
                        fuentes.back().sombra = true;
                } else if (seccion == QLatin1String("borders") && n == QLatin1String("border")) {
                    enBorde = true;
                    conLinea = false;
                } else if (enBorde && x.attributes().hasAttribute(QLatin1String("style"))) {
                    conLinea = true;
                } else if (seccion == QLatin1String("cellXfs") && n == QLatin1String("xf")) {
                    formatos.push_back({x.attributes().value(QLatin1String("fontId")).toInt(),
                                        x.attributes().value(QLatin1String("borderId")).toInt(),
                                        x.attributes().value(QLatin1String("numFmtId")).toInt()});
                } else if (n == QLatin1String("numFmt")) {
                    codigos[x.attributes().value(QLatin1String("numFmtId")).toInt()]
                        = x.attributes().value(QLatin1String("formatCode")).toString();
                }
            } else if (x.isEndElement()) {
                if (n == QLatin1String("border") && enBorde) {
                    bordes.push_back(conLinea);
                    enBorde = false;
                } else if (n == seccion) {
                    seccion.clear();
                }
            }
        }
    }

    Formatos = int(formatos.size());
    // Built-in codes a workbook may use without declaring them.
    codigos.insert(1, QStringLiteral("0"));
    codigos.insert(2, QStringLiteral("0.00"));
    QXmlStreamReader x(hoja);
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        if (x.name() == QLatin1String("pageSetup")) {
            Pagina.papel = x.attributes().value(QLatin1String("paperSize")).toInt();
            Pagina.orientacion = x.attributes().value(QLatin1String("orientation")).toString();
            if (x.attributes().hasAttribute(QLatin1String("fitToWidth")))
                Pagina.paginasDeAncho = x.attributes().value(QLatin1String("fitToWidth")).toInt();
            if (x.attributes().hasAttribute(QLatin1String("fitToHeight")))
                Pagina.paginasDeAlto = x.attributes().value(QLatin1String("fitToHeight")).toInt();
        } else if (x.name() == QLatin1String("pageSetUpPr")) {
            Pagina.ajustarAPagina = x.attributes().value(QLatin1String("fitToPage")) == QLatin1String("1");
        } else if (x.name() == QLatin1String("oddFooter")) {
            Pagina.pie = x.readElementText();
        } else if (x.name() == QLatin1String("col")) {
            const int desde = x.attributes().value(QLatin1String("min")).toInt();
            const int hasta = x.attributes().value(QLatin1String("max")).toInt();
            for (int c = desde; c <= hasta; ++c)
                m_anchos[c] = x.attributes().value(QLatin1String("width")).toDouble();
        } else if (x.name() == QLatin1String("c")) {
            const auto pos = referencia(x.attributes().value(QLatin1String("r")).toString());
            const int estilo = x.attributes().value(QLatin1String("s")).toInt();
            const QString tipo = x.attributes().value(QLatin1String("t")).toString();
            const bool compartido = tipo == QLatin1String("s");
            Celda c;
            int numFmt = 0;
            if (estilo >= 0 && size_t(estilo) < formatos.size()) {
                const auto [fuente, borde, numero] = formatos[size_t(estilo)];
                numFmt = numero;
                if (size_t(fuente) < fuentes.size()) {
                    c.tamano = fuentes[size_t(fuente)].tamano;
                    c.negrita = fuentes[size_t(fuente)].negrita;
                    c.cursiva = fuentes[size_t(fuente)].cursiva;
                    c.sombra = fuentes[size_t(fuente)].sombra;
                }
                c.borde = size_t(borde) < bordes.size() && bordes[size_t(borde)];
            }
            // The value, when there is one, is the next <v> inside the cell.
            while (!x.atEnd()) {
                x.readNext();
                if (x.isStartElement() && x.name() == QLatin1String("v")) {
                    const QString v = x.readElementText();
                    const bool texto = !tipo.isEmpty();
                    if (compartido) {
                        c.texto = compartidos.value(v.toInt());
                    } else if (!texto) {
                        c.numero = true;
                        c.valor = v.toDouble();
                        c.formato = codigos.value(numFmt);
                        // Shown as its format shows it: as many decimals as zeros after the point.
                        const int punto = int(c.formato.indexOf(u'.'));
                        const int decimales = punto < 0 ? 0 : int(c.formato.size()) - punto - 1;
                        c.texto = numFmt == 0 ? v : QString::number(c.valor, 'f', decimales);
                    } else {
                        c.texto = v;
                    }
                } else if (x.isEndElement() && x.name() == QLatin1String("c")) {
                    break;
                }
            }
            m_celdas[pos] = c;
        }
    }
    return true;
}

int LectorXlsx::UltimaFila() const
{
    int u = 0;
    for (auto it = m_celdas.cbegin(); it != m_celdas.cend(); ++it)
        u = qMax(u, it.key().first);
    return u;
}
