#include "output/ArmadoLibro.h"

#include "register/Planilla.h"
#include "startup/Formatos.h"
#include "suite/SuiteUtil.h"

#include <array>

namespace {

constexpr int Dias = 31;

struct Estilos {
    bool bordes;
    EstiloCelda titulo(double tamano) const { return {tamano, true, true, true, false}; }
    EstiloCelda tituloDia() const { return {8, false, true, false, bordes}; }
    EstiloCelda encabezado(bool negrita) const { return {10, negrita, true, false, bordes}; }
    EstiloCelda dato(bool negrita) const { return {8, negrita, false, false, bordes}; }
    EstiloCelda observacion() const { return {6, false, false, false, bordes}; }
    EstiloCelda cierre() const { return {8, false, true, true, false}; }
};

} // namespace

int InicioDeGrupo(int grupo)
{
    // 0 for the first group (its day column comes first), then three columns per group.
    return grupo <= 1 ? 0 : 4 + 3 * (grupo - 2);
}

Hoja ArmarLibro(const DatosLibro& datos)
{
    Hoja hoja;
    const Estilos e{datos.bordes};
    const int L = datos.lineaInicial;
    // Each figure as shown: rounded to the decimals in force, halves to even.
    const int d = qMin(Hoja::DecimalesMostrados(datos.decimales), 4);
    const auto mostrado = [&](Importe v) { return v.redondeado(d); };
    const auto dato = [&](int fila, int columna, Importe valor, bool negrita) {
        hoja.EscribirNumero(fila, columna, valor, datos.decimales, e.dato(negrita));
        hoja.AnchoColumna(columna, qMax(8.0, hoja.Ancho(columna)));
    };

    hoja.Escribir(L, 1, datos.titulo, e.titulo(16));
    hoja.Escribir(L + 1, 1, datos.empresa, e.titulo(14));
    hoja.Escribir(L + 2, 1, QStringLiteral("N° REGISTRO ONCCA: ") + datos.oncca, e.titulo(10));
    hoja.Escribir(L + 3, 1, QStringLiteral("PERIODO: ") + datos.periodo, e.titulo(10));
    hoja.Escribir(L + 4, 1, QStringLiteral("Hoja Nro: ") + datos.hoja, e.titulo(10));

    hoja.Escribir(L + 6, 1, QStringLiteral("Día"), e.tituloDia());
    hoja.AnchoColumna(1, 5);
    const int K = int(datos.cuentas.size());
    int fila = L + 6;
    if (K > 0) {
        for (int g = 1; g <= K; ++g) {
            const DatosLibro::Cuenta& c = datos.cuentas[size_t(g - 1)];
            const int col = InicioDeGrupo(g) + (g == 1 ? 2 : 1);
            hoja.Escribir(L + 6, col, c.descripcion.trimmed().isEmpty() ? c.codigo : c.descripcion, e.encabezado(false));
            hoja.Escribir(L + 6, col + 1, QString(), e.encabezado(false));
            hoja.Escribir(L + 6, col + 2, QString(), e.encabezado(false));
        }
        const int totales = InicioDeGrupo(K + 1) + 1;
        for (int c = 0; c < 3; ++c)
            hoja.Escribir(L + 6, totales + c, QStringLiteral("Total"), e.encabezado(false));

        hoja.Escribir(L + 7, 1, QStringLiteral("---"), e.encabezado(false));
        for (int g = 1; g <= K + 1; ++g) {
            const int col = InicioDeGrupo(g) + (g == 1 ? 2 : 1);
            hoja.Escribir(L + 7, col, QStringLiteral("Entradas"), e.encabezado(false));
            hoja.Escribir(L + 7, col + 1, QStringLiteral("Salidas"), e.encabezado(false));
            hoja.Escribir(L + 7, col + 2, QStringLiteral("Saldo"), e.encabezado(true));
        }
        hoja.Escribir(L + 7, 3 * K + 5, QStringLiteral("Observaciones"), e.encabezado(false));
        hoja.PrimeraFilaDeTitulo = L;
        hoja.FilasDeTitulo = L + 7;
        fila = L + 7;
    } else {
        hoja.PrimeraFilaDeTitulo = L;
        hoja.FilasDeTitulo = L + 6;
    }

    const int D = L + 8;
    const int observaciones = 3 * K + 5;
    if (!datos.filas.empty() && K > 0) {
        std::array<Importe, Dias + 1> entradasDia{}, salidasDia{}, saldoDia{};
        // Each account's rows go on the rows of their days: a register with gaps or not
        // starting at day 1 never spills into the next account's group.
        for (int g = 1; g <= K; ++g) {
            const QString& cuenta = datos.cuentas[size_t(g - 1)].codigo;
            Importe saldo = datos.saldoAnterior ? datos.saldoAnterior(cuenta) : Importe();
            Importe recibido, entregado;
            std::array<const DatosLibro::Fila*, Dias + 1> delDia{};
            for (const DatosLibro::Fila& f : datos.filas)
                if (f.cuenta.compare(cuenta, Qt::CaseInsensitive) == 0 && f.dia >= 1 && f.dia <= Dias)
                    delDia[size_t(f.dia)] = &f;
            for (int dia = 1; dia <= Dias; ++dia) {
                const int r = D + dia - 1;
                const DatosLibro::Fila* f = delDia[size_t(dia)];
                // A day the account has no row for still carries its stock into the day's total.
                if (!f) {
                    saldoDia[size_t(dia)] += saldo;
                    continue;
                }
                int c = InicioDeGrupo(g);
                if (g == 1)
                    ++c;
                dato(r, ++c, f->entradas, false);
                recibido += mostrado(f->entradas);
                entradasDia[size_t(dia)] += f->entradas;
                dato(r, ++c, f->salidas, false);
                entregado += mostrado(f->salidas);
                salidasDia[size_t(dia)] += f->salidas;
                saldo = saldo + f->entradas - f->salidas;
                dato(r, ++c, saldo, true);
                saldoDia[size_t(dia)] += saldo;
                if (g == 1)
                    hoja.Escribir(r, observaciones, f->observaciones.trimmed().left(15), e.observacion());
                else
                    hoja.Estilo(r, observaciones, e.observacion());
                hoja.AnchoColumna(observaciones, 12);
            }
            // Every account's totals stand on the row after day 31, with the grand totals.
            int c = InicioDeGrupo(g);
            if (c == 0)
                c = 1;
            dato(D + Dias, ++c, recibido, true);
            dato(D + Dias, ++c, entregado, true);
            dato(D + Dias, ++c, saldo, true);
        }
        // The days run 1 to 31 down the first column whichever accounts have them.
        for (int dia = 1; dia <= Dias; ++dia)
            hoja.EscribirNumero(D + dia - 1, 1, Importe::desdeEntero(dia), -2, e.dato(false));
        hoja.AnchoColumna(1, 8);
        Importe totalEntradas, totalSalidas;
        for (int d = 1; d <= Dias; ++d) {
            int c = InicioDeGrupo(K + 1);
            dato(D + d - 1, ++c, entradasDia[size_t(d)], false);
            dato(D + d - 1, ++c, salidasDia[size_t(d)], false);
            dato(D + d - 1, ++c, saldoDia[size_t(d)], true);
            // The grand totals add what each day's cell shows, as a reader adding the column does.
            totalEntradas += mostrado(entradasDia[size_t(d)]);
            totalSalidas += mostrado(salidasDia[size_t(d)]);
        }
        int c = InicioDeGrupo(K + 1);
        dato(D + Dias, ++c, totalEntradas, true);
        dato(D + Dias, ++c, totalSalidas, true);
        dato(D + Dias, ++c, saldoDia[Dias], true);
        fila = D + Dias;
    }
    hoja.Escribir(fila + 1, 1, QStringLiteral("Cantidades expresadas en ") + datos.medida, e.cierre());
    hoja.AnchosParaCifras();
    const QString p = datos.periodo.trimmed();
    hoja.Nombre = p.left(2) + u'-' + p.mid(3, 4);
    hoja.PieIzquierdo = QStringLiteral("PERIODO: ") + p;
    hoja.PieDerecho = QStringLiteral("Hoja Nro: ") + datos.hoja.trimmed();
    return hoja;
}
