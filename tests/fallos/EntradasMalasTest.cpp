// One catalogue of bad input through the real window: every header box, the grid's cells and
// a lookup's search box get empty, overlong, non-numeric, out-of-range, quoted, SQL, control,
// NUL, broken UTF-8 and accented texts. Each is refused with its message or stored and read
// back intact; nothing stored is lost; nothing crashes.
#include "data/DB_Dll.h"
#include "register/ModeloRegistro.h"
#include "tests/register/BaseDeRegistro.h"

#include <QLineEdit>

namespace {

using P = Planilla;

QList<QString> Malas()
{
    return {QString(),
            QString(5000, u'9'),
            QStringLiteral("doce toneladas"),
            QStringLiteral("-99999999999999999999"),
            QStringLiteral("O'Brien ''"),
            QStringLiteral("'; DROP TABLE EM_Tolvario; --"),
            QStringLiteral("a\tb\x01\x1f"),
            QString::fromUtf8("nul\0dentro", 10),
            QString::fromUtf8("\xff\xfe roto \xc3"),
            QStringLiteral("Ñandú camión añejo")};
}

using EntradasMalasTest = BaseDeRegistro;

} // namespace

TEST_P(EntradasMalasTest, NadaSeRompeNadaSePierde)
{
    for (int dia = 1; dia <= 31; ++dia)
        fila(QStringLiteral("07/2005"), QStringLiteral("MOLINO"), dia, QStringLiteral("5"), QStringLiteral("1"));
    elegirPeriodo(QStringLiteral("07/2005"));
    const QString antes = valor(QStringLiteral("SELECT SUM(Entradas) FROM EM_Tolvario"));

    // Every header box but the period, each bad text validated and then saved: no database
    // error on the way (a bad user code is simply not a customer).
    m_guion->avisos.clear();
    for (int i = 1; i < m_ventana->TxtFields.size(); ++i) {
        QLineEdit* campo = m_ventana->TxtFields[i];
        const QString original = campo->text();
        for (const QString& mala : Malas()) {
            m_guion->respuestas = {Operador::Ignorar, Operador::Ignorar};
            campo->setText(mala);
            m_ventana->CampoValida(campo);
            m_ventana->Panobar1_click(QStringLiteral("GRABAR"));
        }
        campo->setText(original);
        m_ventana->CampoValida(campo);
    }
    EXPECT_FALSE(m_guion->todo().contains(QStringLiteral("Ha ocurrido"))) << m_guion->todo().left(3000).toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '07/2005'")), QStringLiteral("31"));
    EXPECT_EQ(valor(QStringLiteral("SELECT SUM(Entradas) FROM EM_Tolvario")), antes) << "nothing stored was lost";

    // The period: each refused with the format message, the register untouched.
    QLineEdit* periodo = m_ventana->TxtFields[FrmTolvario::cPeriodo];
    for (const QString& mala : Malas()) {
        m_guion->avisos.clear();
        periodo->setText(mala);
        m_ventana->CampoValida(periodo);
        ASSERT_EQ(m_guion->avisos.size(), 1u) << mala.toStdString();
        EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("Periodo"))) << mala.toStdString();
    }
    EXPECT_TRUE(DB_Dll::Instancia().ExisteTablaDB(QStringLiteral("EM_Tolvario")));

    // The grid: quantities refused with their message, remarks stored and read back intact
    // (as far as a one-line box of 100 characters takes them).
    elegirPeriodo(QStringLiteral("07/2005"));
    int dia = 1;
    for (const QString& mala : Malas()) {
        m_ventana->IrACelda(dia + 1, P::ColEntradas);
        m_ventana->MsflexGridEdt(m_ventana->MSFlexGrid, m_ventana->txtEdit, u' ');
        m_ventana->txtEdit->setText(mala);
        m_guion->avisos.clear();
        m_ventana->CampoValida(m_ventana->txtEdit);
        if (!mala.trimmed().isEmpty()) {
            EXPECT_EQ(m_guion->avisos.size(), 1u) << mala.toStdString();
        }
        tecla(Qt::Key_Escape);
        m_ventana->IrACelda(dia + 1, P::ColObservaciones);
        m_ventana->MsflexGridEdt(m_ventana->MSFlexGrid, m_ventana->txtEdit, u' ');
        m_ventana->txtEdit->setText(mala.left(100));
        tecla(Qt::Key_Return);
        ++dia;
    }
    tecla(Qt::Key_F5);
    const QList<QString> malas = Malas();
    QList<QString> esperadas;
    for (const QString& m : malas)
        esperadas << Planilla::ObservacionGuardable(m.left(100));
    elegirPeriodo(QStringLiteral("06/2005"));
    elegirPeriodo(QStringLiteral("07/2005"));
    for (int d = 1; d < dia; ++d) {
        EXPECT_EQ(celda(d + 1, P::ColEntradas), QStringLiteral("5")) << d;
        EXPECT_EQ(celda(d + 1, P::ColObservaciones), esperadas[d - 1]) << d;
    }
}

CON_CADA_MOTOR(EntradasMalasTest);
