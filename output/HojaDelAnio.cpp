#include "output/HojaDelAnio.h"

namespace {

void escribirTitulo(Hoja& hoja, int anio, const QString& medida)
{
    hoja.Escribir(1, 1, QStringLiteral("EXISTENCIA DEL AÑO %1 (%2)").arg(anio).arg(medida.trimmed()),
                  EstiloCelda{.tamano = 12, .negrita = true});
}

} // namespace

Hoja HojaDelAnio(int anio, const std::vector<RegistroTolvario::CuentaDelAnio>& cuentas, int decimales, const QString& medida)
{
    Hoja hoja;
    const EstiloCelda encabezado{.negrita = true, .sombra = true, .borde = true};
    const EstiloCelda celda{.borde = true};
    escribirTitulo(hoja, anio, medida);
    const char* const columnas[] = {"Cuenta", "Periodo", "SaldoAnterior", "Entradas", "Salidas", "Saldo"};
    for (int c = 0; c < 6; ++c)
        hoja.Escribir(3, c + 1, QString::fromLatin1(columnas[c]), encabezado);
    int fila = 4;
    for (const RegistroTolvario::CuentaDelAnio& cuenta : cuentas)
        for (const RegistroTolvario::MesDelAnio& m : cuenta.meses) {
            if (!m.conFilas)
                continue;
            hoja.Escribir(fila, 1, cuenta.cuenta, celda);
            hoja.Escribir(fila, 2, m.periodo, celda);
            int c = 3;
            for (const Importe v : {m.saldoAnterior, m.entradas, m.salidas, m.saldo})
                hoja.EscribirNumero(fila, c++, v, decimales, celda);
            ++fila;
        }
    hoja.AnchoColumna(1, 16);
    hoja.AnchoColumna(2, 10);
    hoja.AnchosParaCifras();
    hoja.PrimeraFilaDeTitulo = 1;
    hoja.FilasDeTitulo = 3;
    hoja.Nombre = QString::number(anio);
    hoja.PieIzquierdo = QStringLiteral("AÑO: %1").arg(anio);
    return hoja;
}

Hoja VistaDelAnio(int anio, const std::vector<RegistroTolvario::CuentaDelAnio>& cuentas, int decimales, const QString& medida)
{
    Hoja hoja;
    const EstiloCelda encabezado{.tamano = 8, .negrita = true, .sombra = true, .borde = true};
    const EstiloCelda celda{.tamano = 8, .borde = true};
    const EstiloCelda cuenta{.tamano = 8, .negrita = true, .borde = true};
    escribirTitulo(hoja, anio, medida);
    const char* const meses[12] = {"Ene", "Feb", "Mar", "Abr", "May", "Jun", "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};
    hoja.Escribir(3, 1, QStringLiteral("Cuenta"), encabezado);
    hoja.Escribir(3, 2, QString(), encabezado);
    for (int m = 0; m < 12; ++m)
        hoja.Escribir(3, 3 + m, QString::fromLatin1(meses[m]), encabezado);
    hoja.Escribir(3, 15, QStringLiteral("Año"), encabezado);
    const char* const lineas[4] = {"Saldo anterior", "Entradas", "Salidas", "Saldo"};
    int fila = 4;
    for (const RegistroTolvario::CuentaDelAnio& c : cuentas) {
        for (int l = 0; l < 4; ++l) {
            hoja.Escribir(fila + l, 1, l == 0 ? c.cuenta : QString(), cuenta);
            hoja.Escribir(fila + l, 2, QString::fromLatin1(lineas[l]), celda);
        }
        for (int m = 0; m < 12; ++m) {
            const RegistroTolvario::MesDelAnio& mes = c.meses[size_t(m)];
            int l = 0;
            for (const Importe v : {mes.saldoAnterior, mes.entradas, mes.salidas, mes.saldo})
                hoja.EscribirNumero(fila + l++, 3 + m, v, decimales, celda);
        }
        int l = 0;
        for (const Importe v : {c.meses.front().saldoAnterior, c.Entradas(), c.Salidas(), c.meses.back().saldo})
            hoja.EscribirNumero(fila + l++, 15, v, decimales, celda);
        fila += 4;
    }
    hoja.AnchoColumna(1, 10);
    hoja.AnchoColumna(2, 12);
    hoja.AnchosParaCifras();
    // Twelve months and the year side by side: a landscape page, six accounts to it.
    hoja.Apaisada = true;
    hoja.FilasDeTitulo = 3;
    hoja.Nombre = QString::number(anio);
    hoja.PieIzquierdo = QStringLiteral("AÑO: %1").arg(anio);
    return hoja;
}
