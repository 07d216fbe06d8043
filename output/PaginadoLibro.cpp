#include "output/PaginadoLibro.h"

std::vector<PaginaAbajo> RepartirFilas(const FilasDelLibro& f)
{
    const auto alto = [&f](int fila) { return f.altos[size_t(fila)]; };
    double altoTitulos = 0;
    for (int t = f.primeraTitulo; t <= f.titulos; ++t)
        altoTitulos += alto(t);
    std::vector<PaginaAbajo> abajo;
    int fila = f.primeraTitulo;
    bool primera = true;
    while (fila <= f.ultima || primera) {
        double y = primera ? f.arriba : altoTitulos;
        const int desde = fila;
        int hasta = desde - 1;
        // A row taller than a page still goes, alone.
        while (hasta + 1 <= f.ultima && (y + alto(hasta + 1) <= f.altoUtil || hasta < desde))
            y += alto(++hasta);
        abajo.push_back({desde, hasta, !primera});
        fila = hasta + 1;
        primera = false;
    }
    // The lines after the last figures (the unit's note) never make a page of their own: the
    // last figure row of the page before goes with them.
    if (abajo.size() > 1 && f.conCifras) {
        PaginaAbajo& ultima = abajo.back();
        PaginaAbajo& anterior = abajo[abajo.size() - 2];
        bool sinCifras = true;
        for (int r = ultima.desde; r <= ultima.hasta && sinCifras; ++r)
            sinCifras = !f.conCifras(r);
        int llevar = anterior.hasta;
        while (llevar > anterior.desde && !f.conCifras(llevar))
            --llevar;
        if (sinCifras && llevar > anterior.desde && f.conCifras(llevar)) {
            anterior.hasta = llevar - 1;
            ultima.desde = llevar;
        }
    }
    return abajo;
}
