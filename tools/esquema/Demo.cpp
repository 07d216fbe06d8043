// A small mill to try the register on: its settings, a dozen customers, two users of the
// suite and three years of daily movements for the mill and three milling users.
#include "tools/esquema/Esquema.h"
#include "tools/esquema/Escritor.h"

#include "data/Conexion.h"
#include "data/Transaccion.h"
#include "platform/Importe.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <random>

namespace Esquema {

namespace {

struct Cliente {
    const char* codigo;
    const char* razonSocial;
    const char* documento;
    const char* contacto;
};

const Cliente Clientes[] = {
    {"C001", "Panificadora La Espiga S.R.L.", "30-71234567-1", "Marta Ibarra"},
    {"C002", "Cooperativa Agricola Los Alamos", "30-50012345-9", "Hugo Ferreyra"},
    {"C003", "Establecimiento Don Aurelio", "20-17654321-3", "Aurelio Gallo"},
    {"C004", "Fideera del Sur S.A.", "30-69876543-2", "Laura Quiroga"},
    {"C005", "Acopio Tres Lomas", "30-70111222-5", "Ruben Sosa"},
    {"C006", "Harinas Pampeanas S.A.", "30-68888777-4", "Silvia Arce"},
    {"C007", "Agropecuaria El Molle", "30-71555444-0", "Diego Paez"},
    {"C008", "Panaderia San Cayetano", "27-22333444-8", "Rosa Medina"},
    {"C009", "Granja La Tranquera", "20-25666777-6", "Pablo Vera"},
    {"C010", "Distribuidora Trigal", "30-71999888-3", "Ines Molina"},
    {"C011", "Semillero Los Tilos", "30-70444333-7", "Oscar Luna"},
    {"C012", "Sociedad Rural Villa Nueva", "30-52222111-1", "Nora Castro"},
};

// The mill and the customers who have wheat milled there: three all along, five in the
// last half year, so that every user tab of the window has a register to show.
const char* const Cuentas[] = {"MOLINO", "C001", "C002", "C003", "C004", "C005"};
const QDate DesdeCincoUsuarios(2026, 6, 1);

bool ajustar(Escritor& e, const QString& clave, const QString& valor)
{
    if (e.hay(QStringLiteral("SELECT COUNT(*) FROM ta_configuracion WHERE CLAVE = ?"), {clave}))
        return false;
    e.correr(QStringLiteral("INSERT INTO ta_configuracion (CLAVE, VALOR, Grupo, PoliticaNegocio) VALUES (?, ?, 'DATOS', 0)"),
             {clave, valor});
    return true;
}

void ajuste(Escritor& e, Cambios& cambios, const QString& clave, const QString& valor)
{
    if (ajustar(e, clave, valor))
        cambios << QStringLiteral("ajuste: ") + clave;
}

QString periodoDe(const QDate& d)
{
    return QStringLiteral("%1/%2").arg(d.month(), 2, 10, QLatin1Char('0')).arg(d.year());
}

// Two decimals, as the demo's settings show them; exact decimal text, never a double.
QString cantidad(std::mt19937& azar, int desdeCentesimos, int hastaCentesimos)
{
    std::uniform_int_distribution<int> d(desdeCentesimos, hastaCentesimos);
    return Importe::desdeDiezmilesimos(int64_t(d(azar)) * 100).texto();
}

} // namespace

Cambios LlenarDemo(Conexion& cnn)
{
    Cambios cambios;
    EnTransaccion(cnn, [&] {
        Escritor e(cnn);
        ajuste(e, cambios, QStringLiteral("ONCCA"), QStringLiteral("15.432/7"));
        ajuste(e, cambios, QStringLiteral("TOLVARIO_DECIMALES"), QStringLiteral("2"));
        ajuste(e, cambios, QStringLiteral("TOLVARIO_MEDIDA"), QStringLiteral("TONELADAS"));
        ajuste(e, cambios, QStringLiteral("TOLVARIO_TITULO"), QStringLiteral("libro de movimientos y existencia de Mercadería"));
        ajuste(e, cambios, QStringLiteral("TOLVARIO_LINEA"), QStringLiteral("2"));
        ajuste(e, cambios, QStringLiteral("NOMBRE"), QStringLiteral("MOLINO HARINERO SAN ISIDRO S.A."));
        ajuste(e, cambios, QStringLiteral("CantidadDecimales"), QStringLiteral("2"));

        for (const auto& [nombre, admin] : {std::pair{"admin", 1}, std::pair{"molinero", 0}}) {
            if (e.hay(QStringLiteral("SELECT COUNT(*) FROM ta_usuarios WHERE nombre = ?"), {QString::fromLatin1(nombre)}))
                continue;
            e.correr(QStringLiteral("INSERT INTO ta_usuarios (nombre, Administrador, UNegocio) VALUES (?, ?, '1')"),
                     {QString::fromLatin1(nombre), admin});
            cambios << QStringLiteral("usuario: ") + QString::fromLatin1(nombre);
        }

        for (const Cliente& c : Clientes) {
            const QString codigo = QString::fromLatin1(c.codigo);
            if (e.hay(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO = ?"), {codigo}))
                continue;
            const QString razon = QString::fromUtf8(c.razonSocial);
            e.correr(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, Descripcion, TIPO, Razon_Social, Numero_documento, "
                                    "CONTACTO, Dada_De_Baja) VALUES (?, ?, 'C', ?, ?, ?, 0)"),
                     {codigo, razon, razon, QString::fromLatin1(c.documento), QString::fromUtf8(c.contacto)});
            cambios << QStringLiteral("cliente: ") + codigo;
        }
        LlenarCatalogos(e, cambios);

        // Fixed seed: every demo database holds the same mill.
        std::mt19937 azarBase(20231201);
        // The later users draw from their own sequence: the first ones keep their figures.
        std::mt19937 azarNuevos(20260601);
        int hoja = 0;
        int hojasNuevas = 0;
        int periodosNuevos = 0;
        for (QDate mes(2023, 12, 1); mes <= QDate(2026, 11, 1); mes = mes.addMonths(1)) {
            const QString periodo = periodoDe(mes);
            hojasNuevas += ajustar(e, QStringLiteral("TOLVARIO_HOJA_%1%2").arg(mes.year()).arg(mes.month(), 2, 10, QLatin1Char('0')),
                                   QString::number(++hoja));
            for (const char* cuenta : Cuentas) {
                const bool molino = QLatin1String(cuenta) == QLatin1String("MOLINO");
                const bool nuevo = QLatin1String(cuenta) == QLatin1String("C004") || QLatin1String(cuenta) == QLatin1String("C005");
                if (nuevo && mes < DesdeCincoUsuarios)
                    continue;
                std::mt19937& azar = nuevo ? azarNuevos : azarBase;
                // Drawn even when the rows exist, so that every account gets the same figures.
                QStringList entradas, salidas, notas;
                for (int dia = 1; dia <= 31; ++dia) {
                    const QDate fecha(mes.year(), mes.month(), qMin(dia, mes.daysInMonth()));
                    const bool habil = dia <= mes.daysInMonth() && fecha.dayOfWeek() < 7;
                    const QString ent = habil ? (molino ? cantidad(azar, 1800'00, 3200'00) : cantidad(azar, 0, 900'00))
                                              : QStringLiteral("0");
                    const QString sal = habil ? (molino ? cantidad(azar, 1700'00, 3100'00) : cantidad(azar, 0, 850'00))
                                              : QStringLiteral("0");
                    entradas << ent;
                    salidas << sal;
                    notas << ((habil && dia % 10 == 1) ? QStringLiteral("Remito %1-%2").arg(dia).arg(mes.month()) : QString());
                }
                if (e.hay(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = ? AND Cuenta = ?"),
                          {periodo, QString::fromLatin1(cuenta)}))
                    continue;
                for (int dia = 1; dia <= 31; ++dia)
                    e.correr(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                                            "VALUES (?, ?, ?, ?, ?, ?)"),
                             {periodo, QString::fromLatin1(cuenta), dia, entradas[dia - 1], salidas[dia - 1], notas[dia - 1]});
                ++periodosNuevos;
            }
        }
        if (hojasNuevas)
            cambios << QStringLiteral("hojas numeradas: %1 periodos").arg(hojasNuevas);
        if (periodosNuevos)
            cambios << QStringLiteral("registros: %1 cuentas-periodo").arg(periodosNuevos);
    });
    return cambios;
}

} // namespace Esquema
