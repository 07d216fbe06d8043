// Runs a fuzz target over the files of its corpus folders, without the fuzzer: the
// regression run of the test suite.
#include <QDirIterator>
#include <QFile>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo);

int main(int argc, char* argv[])
{
    int archivos = 0;
    for (int i = 1; i < argc; ++i) {
        QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QByteArray datos = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(datos.constData()), size_t(datos.size()));
            ++archivos;
        }
    }
    std::printf("%d archivos del corpus sin fallas\n", archivos);
    return archivos > 0 ? 0 : 1;
}
