// The header's settings and sheet number as the clerk left them against what the session
// holds as stored: a box changed is marked; a save asks before it stores a change, so a
// figure typed into the title by mistake cannot rename every period's book unseen.
#include "register/FrmTolvario.h"

#include "register/ModeloRegistro.h"

#include <QLabel>
#include <QLineEdit>

void FrmTolvario::marcarAjustes()
{
    for (const QString& nombre : SesionRegistro::CamposDeAjuste()) {
        QLineEdit* caja = CampoDe(nombre);
        const bool cambiado = m_sesion.AjusteCambiado(nombre, caja->text());
        if (caja->property("cambiado").toBool() == cambiado)
            continue;
        caja->setProperty("cambiado", cambiado);
        QFont letra = caja->font();
        letra.setBold(cambiado);
        letra.setItalic(cambiado);
        caja->setFont(letra);
        caja->setToolTip(cambiado ? QStringLiteral("Cambiado, sin grabar. Grabado: «%1»").arg(m_sesion.AjusteGuardado(nombre).trimmed())
                                  : QString());
    }
}

void FrmTolvario::reponerAjustes()
{
    for (const QString& nombre : SesionRegistro::CamposDeAjuste())
        if (QLineEdit* caja = CampoDe(nombre); m_sesion.AjusteCambiado(nombre, caja->text()))
            caja->setText(m_sesion.AjusteGuardado(nombre));
    TomarDecimales();
    // The stock shown with the decimals in force again.
    Totalizar();
    m_ui.LblDetalle->setText(QStringLiteral("TOTALES EXPRESADOS EN ") + m_ui.TxtFields[cMedida]->text());
    marcarAjustes();
}
