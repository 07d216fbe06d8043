// The masks file and the saved widths file as found on disk: any bytes, read without a crash.
#include "fuzz/Objetivos.h"
#include "lookup/AnchosConsulta.h"
#include "lookup/Def_QConsulta.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    static QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("archivo.vlm"));
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    f.write(reinterpret_cast<const char*>(datos), qint64(largo));
    f.close();
    for (const char* tabla : {"VT_CLIENTES", "MA_CUENTAS", "", "X"}) {
        Def_QConsulta::Buscar(ruta, QString::fromLatin1(tabla));
        for (double ancho : AnchosConsulta::Leer(ruta, QString::fromLatin1(tabla)))
            EXIGIR(ancho == ancho); // never NaN
    }
    Def_QConsulta::DeRegistro(QByteArray(reinterpret_cast<const char*>(datos), qsizetype(largo)));
    return 0;
}
