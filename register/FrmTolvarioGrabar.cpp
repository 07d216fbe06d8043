// Writing the grid back to the register: each account's day lines replace its stored rows
// in one transaction, so the stored register is the old one or the new one, never a mix.
#include "register/FrmTolvario.h"

#include "data/DB_Dll.h"
#include "data/TextoSQL.h"
#include "data/Transaccion.h"
#include "platform/Pasos.h"
#include "register/ModeloRegistro.h"
#include "startup/Configuracion.h"
#include "suite/SuiteUtil.h"

#include <QLineEdit>
#include <QTabBar>

using TextoSQL::Comillas;

void FrmTolvario::grabarCuenta(const QString& cuenta)
{
    DB_Dll& db = DB_Dll::Instancia();
    const std::vector<Planilla::Linea> lineas = m_modelo->planilla().LineasDeDia();
    const QString periodo = m_cargado.periodo;
    const QString donde = QStringLiteral("where Periodo = '") + Comillas(periodo) + QStringLiteral("' and Cuenta = '")
                          + Comillas(cuenta) + u'\'';
    const auto importe = [](Importe v) { return DB_Dll::SQLValue(QVariant::fromValue(v), QStringLiteral("@")); };
    // A retry repeats all of it: on some databases a failed statement spoils the rest of
    // its transaction.
    EnTransaccion(db.gCnn, [&] {
        db.EjecutaSentenciaSQL(QStringLiteral("Delete EM_Tolvario  ") + donde);
        db.AbrirConsulta(QStringLiteral("Select  * from EM_Tolvario ") + donde, m_rcs, 2, 3);
        for (const Planilla::Linea& l : lineas) {
            m_rcs.AddNew();
            m_rcs.SetField(QStringLiteral("Periodo"), periodo);
            m_rcs.SetField(QStringLiteral("Cuenta"), cuenta);
            m_rcs.SetField(QStringLiteral("DIA"), importe(Importe::desdeEntero(l.dia)));
            m_rcs.SetField(QStringLiteral("Entradas"), importe(l.entradas));
            m_rcs.SetField(QStringLiteral("Salidas"), importe(l.salidas));
            m_rcs.SetField(QStringLiteral("Observaciones"), l.observaciones);
            m_rcs.Update();
        }
    });
}

bool FrmTolvario::GrabarGrid(const QString& cuenta)
{
    if (Periodo().isEmpty() || m_cargando)
        return true;
    // Only the register the grid was loaded with, under its own period and account.
    if (!m_cargado.valido || m_cargado.soloLectura
        || m_cargado.cuenta.compare(cuenta.trimmed(), Qt::CaseInsensitive) != 0)
        return true;
    bool hayFallo = false;
    const bool completo = Pasos::Ejecutar({[&] { grabarCuenta(m_cargado.cuenta); }}, [&](const ErrorVB& e) {
        hayFallo = true;
        return SuiteUtil::ReportError(e, QStringLiteral("ACTUALIZAR DATOS"));
    });
    if (hayFallo) {
        // Even when the clerk went on, what is on screen is not what is stored.
        m_grabacionIncompleta = true;
        // The rolled-back transaction took the window's recordset with it.
        m_rcs.Close();
        AbrirRecordset(m_tabla);
    }
    if (!completo)
        m_validacionFallida = true;
    return completo;
}

void FrmTolvario::ActualizarDatos()
{
    GrabarCfgLocal();
    for (int tab = TabMolino; tab <= Usuarios; ++tab) {
        if (!SSTab1->isTabVisible(tab))
            continue;
        // A save the clerk abandoned stops here: the accounts before it stay stored.
        if (m_validacionFallida)
            return;
        SSTab1->setCurrentIndex(tab);
        GrabarGrid(CuentaDeTab(tab));
    }
}

void FrmTolvario::GrabarCfgLocal()
{
    // Stored as the clerk sees them: a control character (a NUL) would make some databases
    // refuse the setting.
    const auto texto = [this](const char* campo) {
        return Planilla::ObservacionGuardable(CampoDe(QString::fromLatin1(campo))->text());
    };
    const QString periodo = TxtFields[cPeriodo]->text();
    GrabarConfiguracion(QStringLiteral("ONCCA"), texto("ONCCA"), QString(), false, QStringLiteral("DATOS"));
    GrabarConfiguracion(QStringLiteral("TOLVARIO_DECIMALES"), texto("DECIMALES"), QString(), false, QStringLiteral("DATOS"));
    GrabarConfiguracion(QStringLiteral("TOLVARIO_MEDIDA"), texto("MEDIDA"), QString(), false, QStringLiteral("DATOS"));
    GrabarConfiguracion(QStringLiteral("TOLVARIO_TITULO"), texto("TITULO"), QString(), false, QStringLiteral("DATOS"));
    GrabarConfiguracion(QStringLiteral("TOLVARIO_LINEA"), texto("LINEA"), QString(), false, QStringLiteral("DATOS"));
    GrabarConfiguracion(QStringLiteral("TOLVARIO_HOJA_") + periodo.mid(3, 4) + periodo.left(2),
                        Planilla::ObservacionGuardable(TxtFields[cHoja]->text()),
                        QString(), false, QStringLiteral("DATOS"));
}

void FrmTolvario::borrarPeriodo()
{
    DB_Dll& db = DB_Dll::Instancia();
    // Every account of the period on screen, together or not at all; the sheet number stays.
    EnTransaccion(db.gCnn, [&] {
        db.EjecutaSentenciaSQL(QStringLiteral("Delete EM_Tolvario  where Periodo = '") + Comillas(Periodo()) + u'\'');
    });
}
