// The catalogues the lookups are tried on: enough customers for searching to matter, the
// mill's articles with stock, and the code trees of families, positions and cost centres.
#include "tools/esquema/Escritor.h"

namespace Esquema {

namespace {

const char* const Rubros[] = {"Panaderia", "Confiteria", "Fideera", "Acopio", "Cooperativa", "Granja",
                              "Distribuidora", "Almacen", "Supermercado", "Agropecuaria"};
const char* const Nombres[] = {"San Martin", "La Esperanza", "El Trebol", "Santa Rosa", "Los Aromos",
                               "La Union", "El Progreso", "Don Bosco", "La Estrella", "Las Acacias",
                               "El Ombu", "San Jose", "La Candelaria", "Los Pinos", "El Sol"};
const char* const Contactos[] = {"Juan Perez", "Ana Gomez", "Carlos Diaz", "Lucia Rios", "Jorge Benitez",
                                 "Elena Suarez", "Raul Ortiz", "Marta Acosta", "Pedro Rojas", "Sofia Herrera"};

struct Codigo {
    const char* codigo;
    const char* descripcion;
};

const Codigo Familias[] = {
    {"01", "Harinas"}, {"0101", "Harinas de trigo"}, {"010101", "Harina 000"}, {"010102", "Harina 0000"},
    {"0102", "Harinas especiales"}, {"02", "Subproductos"}, {"0201", "Afrechillo"}, {"0202", "Semitin"},
    {"03", "Insumos"}, {"0301", "Envases"},
};
const Codigo Posiciones[] = {
    {"1", "Planta de silos"}, {"101", "Silo 1"}, {"102", "Silo 2"}, {"2", "Deposito de bolsas"}, {"201", "Nave A"},
};
const Codigo CentrosDeCosto[] = {
    {"1", "Produccion"}, {"11", "Molienda"}, {"12", "Envasado"}, {"2", "Administracion"}, {"3", "Comercial"},
};

struct Articulo {
    const char* id;
    const char* descripcion;
    const char* familia;
    const char* unidad;
    const char* puntoPedido;
    const char* stock;
    const char* precio;
};

const Articulo Articulos[] = {
    {"HA000-25", "Harina 000 bolsa 25 kg", "010101", "BOLSA", "200", "1450", "9800.00"},
    {"HA000-50", "Harina 000 bolsa 50 kg", "010101", "BOLSA", "150", "90", "18900.00"},
    {"HA0000-25", "Harina 0000 bolsa 25 kg", "010102", "BOLSA", "200", "620", "11200.00"},
    {"HA0000-1", "Harina 0000 paquete 1 kg", "010102", "PAQUETE", "0", "3400", "620.00"},
    {"HAINT-25", "Harina integral bolsa 25 kg", "0102", "BOLSA", "50", "12", "12500.00"},
    {"HALE-25", "Harina leudante bolsa 25 kg", "0102", "BOLSA", "0", "0", "13100.00"},
    {"AFR-GRAN", "Afrechillo a granel", "0201", "TONELADA", "10", "64", "98000.00"},
    {"AFR-40", "Afrechillo bolsa 40 kg", "0201", "BOLSA", "100", "40", "4100.00"},
    {"SEM-40", "Semitin bolsa 40 kg", "0202", "BOLSA", "0", "210", "4500.00"},
    {"ENV-25", "Bolsa de papel 25 kg", "0301", "UNIDAD", "5000", "8000", "310.00"},
    {"ENV-50", "Bolsa de polipropileno 50 kg", "0301", "UNIDAD", "2000", "1500", "420.00"},
    {"ENV-O'B", "Bolsa O'Brien 10 kg", "0301", "UNIDAD", "0", "300", "150.00"},
};

void codigos(Escritor& e, Cambios& cambios, const char* tabla, const char* clave, const Codigo* desde, const Codigo* hasta)
{
    const QString t = QString::fromLatin1(tabla);
    const QString k = QString::fromLatin1(clave);
    int nuevos = 0;
    for (const Codigo* c = desde; c != hasta; ++c) {
        const QString codigo = QString::fromLatin1(c->codigo);
        if (e.hay(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?").arg(t, k), {codigo}))
            continue;
        e.correr(QStringLiteral("INSERT INTO %1 (%2, DESCRIPCION) VALUES (?, ?)").arg(t, k),
                 {codigo, QString::fromLatin1(c->descripcion)});
        ++nuevos;
    }
    if (nuevos)
        cambios << QStringLiteral("%1: %2").arg(t).arg(nuevos);
}

} // namespace

void LlenarCatalogos(Escritor& e, Cambios& cambios)
{
    int clientes = 0;
    int n = 13;
    for (const char* rubro : Rubros) {
        for (const char* nombre : Nombres) {
            const QString codigo = QStringLiteral("C%1").arg(n, 3, 10, QLatin1Char('0'));
            const QString razon = QStringLiteral("%1 %2").arg(QString::fromLatin1(rubro), QString::fromLatin1(nombre));
            const QString contacto = QString::fromLatin1(Contactos[n % 10]);
            const int baja = n % 17 == 0 ? 1 : 0;
            ++n;
            if (e.hay(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO = ?"), {codigo}))
                continue;
            e.correr(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, Descripcion, TIPO, Razon_Social, Numero_documento, "
                                    "CONTACTO, Dada_De_Baja) VALUES (?, ?, 'C', ?, ?, ?, ?)"),
                     {codigo, razon, razon, QStringLiteral("30-7%1-0").arg(n * 7919 % 10000000, 7, 10, QLatin1Char('0')),
                      contacto, baja});
            ++clientes;
        }
    }
    if (clientes)
        cambios << QStringLiteral("clientes generados: %1").arg(clientes);

    for (const auto& [codigo, razon] : {std::pair{"P001", "Semillas del Oeste S.A."}, std::pair{"P002", "Envases Rio Cuarto"}}) {
        if (e.hay(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO = ?"), {QString::fromLatin1(codigo)}))
            continue;
        e.correr(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, Descripcion, TIPO, Razon_Social, Dada_De_Baja) "
                                "VALUES (?, ?, 'P', ?, 0)"),
                 {QString::fromLatin1(codigo), QString::fromLatin1(razon), QString::fromLatin1(razon)});
        cambios << QStringLiteral("proveedor: ") + QString::fromLatin1(codigo);
    }

    int articulos = 0;
    for (const Articulo& a : Articulos) {
        const QString id = QString::fromLatin1(a.id);
        if (e.hay(QStringLiteral("SELECT COUNT(*) FROM MA_ARTICULOS WHERE IDARTICULO = ?"), {id}))
            continue;
        e.correr(QStringLiteral("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDFAMILIA, UNIDAD, PUNTOPEDIDO, Stock, "
                                "PRECIO1, PRECIO2, SUSPENDIDO) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 0)"),
                 {id, QString::fromLatin1(a.descripcion), QString::fromLatin1(a.familia), QString::fromLatin1(a.unidad),
                  QString::fromLatin1(a.puntoPedido), QString::fromLatin1(a.stock), QString::fromLatin1(a.precio),
                  QString::fromLatin1(a.precio)});
        ++articulos;
    }
    if (articulos)
        cambios << QStringLiteral("articulos: %1").arg(articulos);

    codigos(e, cambios, "TA_FAMILIAS", "IDFAMILIA", std::begin(Familias), std::end(Familias));
    codigos(e, cambios, "MA_POSICIONES", "IDPOSICION", std::begin(Posiciones), std::end(Posiciones));
    codigos(e, cambios, "TA_CCOSTO", "CODIGO", std::begin(CentrosDeCosto), std::end(CentrosDeCosto));
}

} // namespace Esquema
