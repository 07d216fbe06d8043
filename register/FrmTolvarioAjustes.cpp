// The header's settings and sheet number as the clerk left them against what is stored: a
// box changed is marked, and a save asks before it stores a change, showing each old and new
// value, so a figure typed into the title by mistake cannot rename every period's book unseen.
#include "register/FrmTolvario.h"

#include "platform/Operador.h"

#include <QLabel>
#include <QLineEdit>

namespace {

struct Ajuste {
    int campo;
    const char* nombre;
};

const Ajuste Ajustes[] = {
    {FrmTolvario::cTitulo, "Título"},          {FrmTolvario::cHoja, "Hoja Nro"},
    {FrmTolvario::cOncca, "N° Registro ONCCA"}, {FrmTolvario::cDecimales, "Cantidad Decimales"},
    {FrmTolvario::cMedida, "Cantidades expresadas en"}, {FrmTolvario::cLinea, "Comenzar a imprimir en la linea"},
};

} // namespace

QString FrmTolvario::ajusteGuardado(int campo) const
{
    // The sheet number belongs to the period loaded; without one there is nothing to change.
    if (campo == cHoja)
        return m_sesion.Cargado().Hay() ? m_sesion.Cargado().Hoja() : TxtFields[cHoja]->text().trimmed();
    return m_ajustesGuardados.value(campo);
}

bool FrmTolvario::ajusteCambiado(int campo) const
{
    return TxtFields[campo]->text().trimmed() != ajusteGuardado(campo).trimmed();
}

QStringList FrmTolvario::ajustesCambiados() const
{
    QStringList nombres;
    for (const Ajuste& a : Ajustes)
        if (ajusteCambiado(a.campo))
            nombres << QString::fromUtf8(a.nombre);
    return nombres;
}

void FrmTolvario::tomarAjustesGuardados()
{
    for (const Ajuste& a : Ajustes)
        if (a.campo != cHoja)
            m_ajustesGuardados[a.campo] = TxtFields[a.campo]->text();
    marcarAjustes();
}

void FrmTolvario::marcarAjustes()
{
    for (const Ajuste& a : Ajustes) {
        QLineEdit* caja = TxtFields[a.campo];
        const bool cambiado = ajusteCambiado(a.campo);
        if (caja->property("cambiado").toBool() == cambiado)
            continue;
        caja->setProperty("cambiado", cambiado);
        QFont letra = caja->font();
        letra.setBold(cambiado);
        letra.setItalic(cambiado);
        caja->setFont(letra);
        caja->setToolTip(cambiado ? QStringLiteral("Cambiado, sin grabar. Grabado: «%1»").arg(ajusteGuardado(a.campo).trimmed())
                                  : QString());
    }
}

void FrmTolvario::reponerAjustes()
{
    for (const Ajuste& a : Ajustes)
        if (ajusteCambiado(a.campo))
            TxtFields[a.campo]->setText(ajusteGuardado(a.campo));
    TomarDecimales();
    // The stock shown with the decimals in force again.
    Totalizar();
    LblDetalle->setText(QStringLiteral("TOTALES EXPRESADOS EN ") + TxtFields[cMedida]->text());
    marcarAjustes();
}

QString FrmTolvario::cambiosDelEncabezado() const
{
    QStringList lineas;
    for (const Ajuste& a : Ajustes)
        if (ajusteCambiado(a.campo))
            lineas << QStringLiteral("    %1: «%2» → «%3»")
                          .arg(QString::fromUtf8(a.nombre), ajusteGuardado(a.campo).trimmed(), TxtFields[a.campo]->text().trimmed());
    return lineas.isEmpty() ? QString() : QStringLiteral("Cambió el encabezado:\n") + lineas.join(u'\n');
}

bool FrmTolvario::confirmarAjustes(const EstaGrabacion& g)
{
    const QString cambios = cambiosDelEncabezado();
    // Already answered when the clerk said Sí to them in the pending question.
    if (cambios.isEmpty() || g.ajustesConfirmados)
        return true;
    if (operador().Mensaje(cambios + QStringLiteral("\n\n¿Grabar estos cambios? (No vuelve a lo grabado y graba el resto.)"),
                           Operador::SiNo + Operador::Pregunta + Operador::SegundoBoton, QStringLiteral("Aviso al Operador"))
        == Operador::Si)
        return true;
    reponerAjustes();
    return false;
}
