#include "tests/lookup/BaseDeConsultas.h"

#include "data/TextoSQL.h"
#include "lookup/Lib_ClsCons3.h"
#include "startup/EnlaceConsultas.h"


void BaseDeConsultas::poblar()
{
    const char* const clientes[][4] = {
        {"C001", "Panificadora La Espiga", "Marta Ibarra", "0"},
        {"C002", "Cooperativa Los Alamos", "Hugo Ferreyra", "0"},
        {"C003", "Acopio Tres Lomas", "Ruben Sosa", "0"},
        {"C004", "Panaderia O'Brien", "Rosa Medina", "0"},
        {"C005", "Acopio Dado de Baja", "Nadie", "1"},
        {"C006", "PANADERIA SAN CAYETANO", "Ines Molina", "0"},
    };
    for (const auto& c : clientes)
        ejecutar(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, Descripcion, TIPO, Razon_Social, CONTACTO, Dada_De_Baja) "
                                "VALUES ('%1', '%2', 'C', '%2', '%3', %4)")
                     .arg(QString::fromLatin1(c[0]), TextoSQL::Comillas(QString::fromLatin1(c[1])),
                          QString::fromLatin1(c[2]), QString::fromLatin1(c[3])));
    const char* const articulos[][5] = {
        {"HA000", "Harina 000", "0", "50"},     // no reorder point, in stock: level 1
        {"HA0000", "Harina 0000", "10", "40"},  // above its reorder point: level 2
        {"AFR", "Afrechillo", "100", "40"},     // below: level 3
        {"ENV-O'B", "Bolsa O'Brien", "0", "0"}, // nothing: level 4
    };
    for (const auto& a : articulos)
        ejecutar(QStringLiteral("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDFAMILIA, PUNTOPEDIDO, Stock, SUSPENDIDO) "
                                "VALUES ('%1', '%2', '01', %3, %4, 0)")
                     .arg(TextoSQL::Comillas(QString::fromLatin1(a[0])),
                          TextoSQL::Comillas(QString::fromLatin1(a[1])), QString::fromLatin1(a[2]),
                          QString::fromLatin1(a[3])));
    const char* const familias[][2] = {
        {"01", "Harinas"}, {"0101", "Harinas de trigo"}, {"010101", "Harina 000"}, {"010102", "Harina 0000"}, {"02", "Subproductos"},
    };
    for (const auto& f : familias)
        ejecutar(QStringLiteral("INSERT INTO TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES ('%1', '%2')")
                     .arg(QString::fromLatin1(f[0]), QString::fromLatin1(f[1])));
    const char* const posiciones[][2] = {
        {"1", "Planta"}, {"101", "Silo 1"}, {"10101", "Boca"}, {"1010101", "Tramo"}, {"101010101", "Compuerta"},
        {"102", "Silo 2"}, {"2", "Deposito"}, {"201", "Nave A"},
    };
    for (const auto& p : posiciones)
        ejecutar(QStringLiteral("INSERT INTO MA_POSICIONES (IDPOSICION, DESCRIPCION) VALUES ('%1', '%2')")
                     .arg(QString::fromLatin1(p[0]), QString::fromLatin1(p[1])));
    EstablecerEnlaceConsultas(&Lib_ClsCons3::Instancia());
}
