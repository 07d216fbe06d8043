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
        QString texto;
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

private:
    QMap<std::pair<int, int>, Celda> m_celdas;
    QMap<int, double> m_anchos;
};
