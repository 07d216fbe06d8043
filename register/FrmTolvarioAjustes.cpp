// The header's settings and sheet number as the clerk left them against what is stored: a
// box changed is marked, and a save asks before it stores a change, showing each old and new
// value, so a figure typed into the title by mistake cannot rename every period's book unseen.
#include "register/FrmTolvario.h"

#include "platform/Operador.h"
#include "suite/SuiteForms.h"

#include <QLabel>
#include <QLineEdit>

SesionRegistro::Encabezado FrmTolvario::ajustesEnPantalla() const
{
    SesionRegistro::Encabezado e;
    for (const QString& campo : SesionRegistro::CamposDeAjuste())
        e.insert(campo, CampoDe(campo)->text());
    return e;
}

QString FrmTolvario::ajusteGuardado(int campo) const
{
    // Without a period loaded the sheet number box holds what there is to keep.
    if (campo == cHoja && !m_sesion.Cargado().Hay())
        return TxtFields[cHoja]->text().trimmed();
    return m_sesion.AjusteGuardado(TxtFields[campo]->property("DataField").toString());
}

bool FrmTolvario::ajusteCambiado(int campo) const
{
    return m_sesion.AjusteCambiado(TxtFields[campo]->property("DataField").toString(), TxtFields[campo]->text());
}

void FrmTolvario::tomarAjustesGuardados()
{
    m_sesion.TomarAjustesGuardados(ajustesEnPantalla());
    marcarAjustes();
}

void FrmTolvario::marcarAjustes()
{
    for (const QString& nombre : SesionRegistro::CamposDeAjuste()) {
        const int campo = SuiteForms::IndexOf(nombre, TxtFields);
        QLineEdit* caja = TxtFields[campo];
        const bool cambiado = ajusteCambiado(campo);
        if (caja->property("cambiado").toBool() == cambiado)
            continue;
        caja->setProperty("cambiado", cambiado);
        QFont letra = caja->font();
        letra.setBold(cambiado);
        letra.setItalic(cambiado);
        caja->setFont(letra);
        caja->setToolTip(cambiado ? QStringLiteral("Cambiado, sin grabar. Grabado: «%1»").arg(ajusteGuardado(campo).trimmed())
                                  : QString());
    }
}

void FrmTolvario::reponerAjustes()
{
    for (const QString& nombre : SesionRegistro::CamposDeAjuste())
        if (const int campo = SuiteForms::IndexOf(nombre, TxtFields); ajusteCambiado(campo))
            TxtFields[campo]->setText(ajusteGuardado(campo));
    TomarDecimales();
    // The stock shown with the decimals in force again.
    Totalizar();
    LblDetalle->setText(QStringLiteral("TOTALES EXPRESADOS EN ") + TxtFields[cMedida]->text());
    marcarAjustes();
}

bool FrmTolvario::confirmarAjustes(const EstaGrabacion& g)
{
    const QString cambios = m_sesion.CambiosDelEncabezado(ajustesEnPantalla());
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
