#pragma once

#include <QString>
#include <exception>
#include <string>

// A run-time error as the suite's routines see it: number, description and source, plus the
// SQL state and native code a database error carries. Every failure travels as one of these.
class ErrorVB : public std::exception
{
public:
    // Numbers the callers test for.
    static constexpr long LlamadaInvalida = 5;          // invalid procedure call or argument
    static constexpr long Desbordamiento = 6;
    static constexpr long TiposIncompatibles = 13;
    static constexpr long SinRegistroActual = 3021;
    static constexpr long FalloNoEspecificado = -2147467259;
    static constexpr long ViolacionIntegridad = -2147217873;
    static constexpr long TablaInexistente = -2147217865;
    static constexpr long ErrorEnComando = -2147217900;
    static constexpr long DatosDesbordados = -2147217833;   // value too long or out of range
    static constexpr long ConversionInvalida = -2147217913; // a text that is not a number or date
    static constexpr long TiempoAgotado = -2147217871;      // locked, deadlock, time-out
    static constexpr long PermisoDenegado = -2147217911;    // read-only file, missing grant
    static constexpr long FilaNoEncontrada = -2147217864;   // the row to update is gone
    static constexpr long ConexionInutilizable = 3709;      // closed or lost connection
    static constexpr long EsperaCancelada = 3712;           // the clerk stopped waiting for a turn

    ErrorVB(long numero, QString descripcion, QString origen = QStringLiteral("Tolvario"),
            QString estadoSql = {}, qint64 codigoNativo = 0);

    long Number;
    QString Description;
    QString Source;
    QString SQLState;
    qint64 NativeError;

    const char* what() const noexcept override { return m_texto.c_str(); }

private:
    std::string m_texto;
};
