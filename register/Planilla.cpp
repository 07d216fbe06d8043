#include "register/Planilla.h"

#include "platform/ErrorVB.h"
#include "platform/Regional.h"
#include "startup/Formatos.h"
#include "suite/SuiteUtil.h"

#include <algorithm>

namespace {

QString formateado(Importe valor, int decimales)
{
    return FormatoCantidad(valor.texto(), decimales);
}

// The totals are the plain sum, unrounded, with the workstation's decimal separator.
QString textoSimple(Importe valor)
{
    QString t = valor.texto();
    t.replace(u'.', Regional::Actuales().separadorDecimal);
    return t;
}

} // namespace

void Planilla::Inicializar()
{
    for (auto& fila : m_celdas)
        for (QString& c : fila)
            c.clear();
    for (auto& fila : m_exactos)
        fila = {};
    m_saldoAnterior = Importe();
    m_celdas[0] = {QStringLiteral("Dia"), QStringLiteral("Entradas"), QStringLiteral("Salidas"), QStringLiteral("Saldo"),
                   QStringLiteral("Observaciones")};
    for (int f = PrimeraFilaDia; f <= UltimaFilaDia; ++f)
        m_celdas[size_t(f)][ColDia] = QString::number(f - 1);
}

void Planilla::Asignar(Importe saldoAnterior, const std::vector<Linea>& lineas, int decimales)
{
    Inicializar();
    m_saldoAnterior = saldoAnterior;
    m_celdas[FilaSaldoAnterior][ColSaldo] = formateado(saldoAnterior, decimales);
    m_celdas[FilaSaldoAnterior][ColObservaciones] = QStringLiteral("SALDO ANTERIOR");
    // Each line goes on its day's row: a register with gaps never repeats a day on screen,
    // which would store that day twice at the next save.
    for (const Linea& l : lineas) {
        if (l.dia < 1 || l.dia > 31)
            continue;
        auto& fila = m_celdas[size_t(l.dia + 1)];
        fila[ColEntradas] = l.entradas.esCero() ? QString() : formateado(l.entradas, decimales);
        fila[ColSalidas] = l.salidas.esCero() ? QString() : formateado(l.salidas, decimales);
        fila[ColObservaciones] = l.observaciones;
        m_exactos[size_t(l.dia + 1)] = {l.entradas, l.salidas};
    }
    Totalizar(decimales);
}

void Planilla::PonerTexto(int fila, int columna, const QString& texto)
{
    // A cell opened and confirmed as it was keeps its exact amount: only typing changes it.
    if (m_celdas[size_t(fila)][size_t(columna)] == texto)
        return;
    m_celdas[size_t(fila)][size_t(columna)] = texto;
    if (columna == ColEntradas || columna == ColSalidas)
        m_exactos[size_t(fila)][size_t(columna - ColEntradas)].reset();
    else if (fila == FilaSaldoAnterior && columna == ColSaldo)
        m_saldoAnterior = SuiteUtil::TextToAmount(texto);
}

bool Planilla::PonerCantidad(int fila, int columna, const QString& texto, int decimales)
{
    Importe valor;
    if (!texto.trimmed().isEmpty()) {
        if (!EsCantidad(texto))
            return false;
        valor = SuiteUtil::TextToAmount(texto);
    }
    m_celdas[size_t(fila)][size_t(columna)] = valor.esCero() ? QString() : formateado(valor, decimales);
    m_exactos[size_t(fila)][size_t(columna - ColEntradas)] = valor;
    return true;
}

Importe Planilla::Cantidad(int fila, int columna) const
{
    const std::optional<Importe>& exacto = m_exactos[size_t(fila)][size_t(columna - ColEntradas)];
    return exacto ? *exacto : SuiteUtil::TextToAmount(m_celdas[size_t(fila)][size_t(columna)]);
}

void Planilla::Totalizar(int decimales)
{
    m_saldos.fill(Importe());
    m_saldos[FilaSaldoAnterior] = m_saldoAnterior;
    Importe saldo = m_saldoAnterior;
    Importe entradas;
    Importe salidas;
    bool alguna = false;
    for (int f = PrimeraFilaDia; f <= UltimaFilaDia; ++f) {
        auto& fila = m_celdas[size_t(f)];
        if (fila[ColDia].isEmpty())
            continue;
        const Importe e = Cantidad(f, ColEntradas);
        const Importe s = Cantidad(f, ColSalidas);
        saldo = saldo + e - s;
        fila[ColSaldo] = formateado(saldo, decimales);
        m_saldos[size_t(f)] = saldo;
        entradas += e;
        salidas += s;
        alguna = true;
    }
    auto& totales = m_celdas[FilaTotales];
    totales[ColEntradas] = textoSimple(entradas);
    totales[ColSalidas] = textoSimple(salidas);
    // The closing stock is the one of the grid's last line.
    if (alguna) {
        totales[ColSaldo] = m_celdas[FilaTotales - 1][ColSaldo];
        m_saldos[FilaTotales] = m_saldos[FilaTotales - 1];
    }
}

QString Planilla::AvisoDeNegativa() const
{
    const int f = PrimeraNegativa();
    return f == 0 ? QString()
                  : QStringLiteral("Existencia negativa desde el día %1: %2.").arg(f - PrimeraFilaDia + 1).arg(Texto(f, ColSaldo));
}

int Planilla::PrimeraNegativa() const
{
    for (int f = PrimeraFilaDia; f <= UltimaFilaDia; ++f)
        if (!m_celdas[size_t(f)][ColDia].isEmpty() && Negativa(f))
            return f;
    return 0;
}

std::vector<Planilla::Linea> Planilla::LineasDeDia() const
{
    std::vector<Linea> lineas;
    for (int f = FilaSaldoAnterior; f < FilaTotales; ++f) {
        const auto& fila = m_celdas[size_t(f)];
        if (fila[ColDia].isEmpty())
            continue;
        lineas.push_back({int(SuiteUtil::TextToAmount(fila[ColDia]).entero()), Cantidad(f, ColEntradas),
                          Cantidad(f, ColSalidas), ObservacionGuardable(fila[ColObservaciones]), QString()});
    }
    return lineas;
}

bool Planilla::EsCantidad(const QString& texto)
{
    // A day's quantity below a thousand million: thirty years of them still add up within
    // the amounts' range, so no running stock or opening balance can overflow.
    static const Importe Tope = Importe::desdeEntero(1000000000);
    try {
        Importe valor;
        return SuiteUtil::LeerCantidad(texto, valor) && valor < Tope && -valor < Tope;
    } catch (const ErrorVB&) {
        return false;
    }
}

QString Planilla::ObservacionGuardable(const QString& texto)
{
    // Some databases refuse a NUL inside a text, and would refuse the whole account with it.
    QString t = texto;
    for (QChar& c : t)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return t.trimmed();
}

int Planilla::Decimales(const QString& texto)
{
    const int64_t d = SuiteUtil::TextToAmountOrZero(texto).entero();
    return d == 0 ? -2 : int(std::clamp<int64_t>(d, -2, 4));
}

int Planilla::ColumnaSiguiente(int columna)
{
    static const int siguiente[] = {ColEntradas, ColSalidas, ColObservaciones, ColObservaciones, ColEntradas};
    return siguiente[std::clamp(columna, 0, Columnas - 1)];
}
