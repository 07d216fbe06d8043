#include "bench/BaseDeMedicion.h"

#include "data/Conexion.h"
#include "data/Transaccion.h"
#include "platform/Carpetas.h"
#include "startup/Inicio.h"
#include "tools/esquema/Esquema.h"
#include "tools/esquema/OperadorConsola.h"

#include <QFile>
#include <QSqlQuery>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace BaseDeMedicion {

const char* const Cuentas[6] = {"MOLINO", "C001", "C002", "C003", "C004", "C005"};
const QString Periodos[2] = {QStringLiteral("06/2026"), QStringLiteral("05/2026")};

void llenar(Conexion& cnn, int desde, int hasta)
{
    EnTransaccion(cnn, [&] {
        QSqlQuery q(cnn.bd());
        for (int c = 1; c <= 5; ++c)
            q.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, Descripcion, TIPO, Razon_Social, Numero_documento, Dada_De_Baja) "
                                  "VALUES ('C00%1', 'Usuario %1', 'C', 'Usuario de molienda %1', '30-0000000%1-0', 0)")
                       .arg(c));
        q.prepare(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                                 "VALUES (?, ?, ?, ?, ?, ?)"));
        for (int anio = desde; anio <= hasta; ++anio)
            for (int mes = 1; mes <= 12; ++mes)
                for (const char* cuenta : Cuentas)
                    for (int dia = 1; dia <= 31; ++dia) {
                        q.addBindValue(QStringLiteral("%1/%2").arg(mes, 2, 10, QLatin1Char('0')).arg(anio));
                        q.addBindValue(QString::fromLatin1(cuenta));
                        q.addBindValue(dia);
                        q.addBindValue(QStringLiteral("%1.25").arg(100 + dia));
                        q.addBindValue(QStringLiteral("%1.5").arg(90 + dia));
                        q.addBindValue(dia % 7 == 0 ? QStringLiteral("Remito %1").arg(dia) : QString());
                        q.exec();
                    }
    });
}

void crearBase(const QString& archivo)
{
    Conexion cnn;
    QFile(archivo).open(QIODevice::WriteOnly);
    cnn.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(archivo));
    Esquema::Actualizar(cnn);
    llenar(cnn, 1997, 2026);
}

void lineaDeComandos(const QString& archivo, const QString& carpeta)
{
    Carpetas::EstablecerAplicacion(carpeta);
    Carpetas::EstablecerLineaComandos(
        QStringLiteral("@Server=sqlite:;@DbName=%1;@Usuario=admin;@Password=;@UsuarioLogeado=admin;@Caja=1;").arg(archivo));
}

namespace {

class OperadorDeMedicion : public OperadorConsola
{
public:
    int Mensaje(const QString& texto, int estilo, const QString& titulo) override
    {
        if (texto.endsWith(QStringLiteral("¿Grabar de todos modos?")))
            return Si;
        return OperadorConsola::Mensaje(texto, estilo, titulo);
    }
};

} // namespace

BaseSinVentana::BaseSinVentana()
    : m_piso(std::make_unique<Conexion>())
{
    const QString archivo = m_dir.filePath(QStringLiteral("bench.db"));
    crearBase(archivo);
    lineaDeComandos(archivo, m_dir.path());
    QString texto;
    IniciarSesion(false, Carpetas::LineaComandos(), texto);
    m_piso->Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(archivo));
}

BaseSinVentana::~BaseSinVentana() = default;

QSqlDatabase BaseSinVentana::piso() const
{
    return m_piso->bd();
}

void PantallaSinAvisos()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
        if (!texto.contains(QStringLiteral("propagateSizeHints")))
            std::fprintf(stderr, "%s\n", qPrintable(texto));
        if (tipo == QtFatalMsg)
            std::abort();
    });
}

void InstalarOperadorDeMedicion()
{
    establecerOperador(std::make_unique<OperadorDeMedicion>());
}

} // namespace BaseDeMedicion
