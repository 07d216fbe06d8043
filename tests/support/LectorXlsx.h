#pragma once

#include <QMap>
#include <QString>
#include <utility>

// A saved .xlsx read back as the tests check it: each cell's text and look, and the column
// widths. Rows and columns count from 1.
class LectorXlsx
{
public:
    struct Celda {
        QString texto; // a number as its format shows it
        bool numero = false;
        double valor = 0;
        QString formato; // the number format's code; empty when none
        double tamano = 0;
        bool negrita = false;
        bool cursiva = false;
        bool sombra = false;
        bool borde = false;
    };

    // False when the file is not a workbook that could be read.
    bool Leer(const QString& ruta);
    QString Texto(int fila, int columna) const { return m_celdas.value({fila, columna}).texto; }
    Celda En(int fila, int columna) const { return m_celdas.value({fila, columna}); }
    bool Hay(int fila, int columna) const { return m_celdas.contains({fila, columna}); }
    double Ancho(int columna) const { return m_anchos.value(columna, 0); }
    int UltimaFila() const;

    // The sheet's name, its number of cell formats, and its page setup as written.
    QString NombreHoja;
    int Formatos = 0;
    struct Pagina {
        int papel = 0;
        QString orientacion;
        bool ajustarAPagina = false;
        int paginasDeAncho = 1; // the file format's defaults when not written
        int paginasDeAlto = 1;
        QString filasRepetidas; // the print titles, as the workbook names them
        QString pie;
    } Pagina;

private:
    QMap<std::pair<int, int>, Celda> m_celdas;
    QMap<int, double> m_anchos;
};
