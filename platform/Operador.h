#pragma once

#include <QString>
#include <functional>
#include <memory>

// The one seam through which the program talks to the person at the screen: message boxes
// with the classic style numbers and answer codes, the input box, and ending the process.
// The application installs the Qt one; tests install a scripted one.
class Operador
{
public:
    // Style = buttons + icon + default button, as the classic message box takes them.
    enum Estilo {
        SoloAceptar = 0, AceptarCancelar = 1, AbortarReintentarIgnorar = 2, SiNoCancelar = 3,
        SiNo = 4, ReintentarCancelar = 5,
        Critico = 16, Pregunta = 32, Exclamacion = 48, Informacion = 64,
        SegundoBoton = 256, TercerBoton = 512,
    };
    enum Respuesta { Aceptar = 1, Cancelar = 2, Abortar = 3, Reintentar = 4, Ignorar = 5, Si = 6, No = 7 };

    virtual ~Operador() = default;

    virtual int Mensaje(const QString& texto, int estilo = SoloAceptar, const QString& titulo = {}) = 0;
    // Returns the typed text, or an empty text when the person cancels.
    virtual QString Entrada(const QString& pregunta, const QString& titulo = {}, const QString& defecto = {}) = 0;
    [[noreturn]] virtual void Terminar(int codigo) = 0;
    // Waits its turn: `intentar` again every quarter of a second, the window still painted,
    // `aviso` shown with Cancelar after two seconds, for at most EsperaMaximaMs. True once
    // `intentar` succeeds; false when the person cancelled or the turn never came.
    virtual bool Esperar(const QString& aviso, const std::function<bool()>& intentar);
    static constexpr int EsperaMaximaMs = 10 * 60 * 1000;

    // The answer a box of that style gives when its default button is pressed.
    static int RespuestaPorDefecto(int estilo);
};

Operador& operador();
// Takes ownership; passing nullptr goes back to the Qt implementation.
void establecerOperador(std::unique_ptr<Operador> o);
