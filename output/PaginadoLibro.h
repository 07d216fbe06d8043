#pragma once

#include <functional>
#include <vector>

// How the book's rows fall onto the printed pages down: the first page starts `arriba` below
// its top, the next ones under the repeated title rows. Heights in points, rows from 1.
struct PaginaAbajo {
    int desde;
    int hasta;
    bool conTitulos;
};

struct FilasDelLibro {
    std::vector<double> altos; // by row; [0] unused
    int primeraTitulo = 1;
    int titulos = 0;  // the last title row
    int ultima = 0;   // the last row
    double arriba = 0;
    double altoUtil = 0;
    std::function<bool(int fila)> conCifras;
};

std::vector<PaginaAbajo> RepartirFilas(const FilasDelLibro& filas);
