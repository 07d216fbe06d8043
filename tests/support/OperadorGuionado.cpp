#include "tests/support/OperadorGuionado.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

int OperadorGuionado::Mensaje(const QString& texto, int estilo, const QString& titulo)
{
    for (const auto& [parte, respuesta] : respuestasFijas)
        if (texto.contains(parte)) {
            fijos.push_back({texto, estilo, titulo});
            return respuesta;
        }
    avisos.push_back({texto, estilo, titulo});
    if (alMostrar)
        alMostrar(avisos.back());
    if (respuestas.empty())
        return RespuestaPorDefecto(estilo);
    const int r = respuestas.front();
    respuestas.pop_front();
    return r;
}

QString OperadorGuionado::Entrada(const QString& pregunta, const QString& titulo, const QString& defecto)
{
    avisos.push_back({pregunta, -1, titulo});
    if (entradas.empty())
        return defecto;
    const QString r = entradas.front();
    entradas.pop_front();
    return r;
}

void OperadorGuionado::Terminar(int codigo)
{
    throw ProcesoTerminado{codigo};
}

QString OperadorGuionado::todo() const
{
    QString r;
    for (const Aviso& a : avisos)
        r += a.titulo + u'\n' + a.texto + u'\n';
    return r;
}

OperadorGuionado& guion()
{
    auto o = std::make_unique<OperadorGuionado>();
    OperadorGuionado& r = *o;
    establecerOperador(std::move(o));
    return r;
}

bool OperadorGuionado::Esperar(const QString& aviso, const std::function<bool()>& intentar)
{
    QElapsedTimer reloj;
    reloj.start();
    bool mostrado = false;
    while (reloj.elapsed() < EsperaMaximaMs) {
        if (intentar())
            return true;
        if (!mostrado && reloj.elapsed() >= 2000) {
            mostrado = true;
            avisos.push_back({aviso, -2, QStringLiteral("Aviso al operador...")});
            if (cancelarEspera)
                return false;
        }
        QEventLoop espera;
        QTimer::singleShot(250, &espera, &QEventLoop::quit);
        espera.exec();
    }
    return false;
}
