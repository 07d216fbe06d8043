#include "output/HojaDelAnio.h"

Hoja HojaDelAnio(int anio, const std::vector<RegistroTolvario::CuentaDelAnio>& cuentas, int decimales, const QString& medida)
{
    Hoja hoja;
    EstiloCelda titulo;
    titulo.tamano = 12;
    titulo.negrita = true;
    EstiloCelda encabezado;
    encabezado.negrita = true;
    encabezado.borde = true;
    encabezado.sombra = true;
    EstiloCelda celda;
    celda.borde = true;
    hoja.Escribir(1, 1, QStringLiteral("EXISTENCIA DEL AÑO %1 (%2)").arg(anio).arg(medida.trimmed()), titulo);
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
