#include "tests/support/Controles.h"
#include "data/DB_Dll.h"
#include "platform/Carpetas.h"
#include "register/FrmTolvario.h"
#include "register/RegistroTolvario.h"
#include "startup/Panobar.h"
#include "tests/support/BaseDePrueba.h"

#include <QAction>
#include <QComboBox>
#include "tests/support/UnidadesDeCarpeta.h"

namespace {

class FrmTolvarioCargaTest : public BaseDePrueba
{
protected:
    std::optional<int> cargar(FrmTolvario& ventana)
    {
        Carpetas::EstablecerLineaComandos(comando());
        try {
            ventana.Form_Load();
        } catch (const ProcesoTerminado& t) {
            return t.codigo;
        }
        return std::nullopt;
    }
};

} // namespace

TEST_P(FrmTolvarioCargaTest, ConElRegistroLaVentanaQuedaConectada)
{
    crearEsquema();
    FrmTolvario ventana;
    EXPECT_EQ(cargar(ventana), std::nullopt);
    EXPECT_TRUE(DB_Dll::Instancia().gCnn.Abierta());
    EXPECT_EQ(RegistroTolvario::Tabla, QStringLiteral("EM_Tolvario"));
    EXPECT_EQ(ventana.windowTitle(), QStringLiteral("Libro de Movimientos y existencia de Mercadería"));
    EXPECT_FALSE(ventana.windowIcon().isNull());
    EXPECT_EQ(Controles::Barra(&ventana)->StyleBar(), 1.0) << "the suite's default toolbar style";
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(FrmTolvarioCargaTest, SinLaTablaDelRegistroAvisaYTermina)
{
    // A suite database the schema tool has not brought up to date for this module.
    crearEsquema();
    ejecutar(QStringLiteral("DROP TABLE EM_Tolvario"));
    FrmTolvario ventana;
    EXPECT_EQ(cargar(ventana), 1);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << m_guion->todo().toStdString();
    EXPECT_EQ(m_guion->avisos[0].texto,
              QStringLiteral("La base de Datos se Encuentra desactualizada, por favor ejecute el proceso RevisaTablas.EXE, "
                             "y actualice las Tablas y Campos"));
    EXPECT_EQ(m_guion->avisos[0].estilo, 64);
    EXPECT_EQ(m_guion->avisos[0].titulo, QStringLiteral("Aviso al Operador"));
}

TEST_P(FrmTolvarioCargaTest, SoloLosDiscosRemoviblesLleganAlComboTalComoSeMontan)
{
    crearEsquema();
    auto carpetas = std::make_unique<UnidadesDeCarpeta>();
    UnidadesDeCarpeta& u = *carpetas;
    const QString fijo = u.Agregar(QStringLiteral("Datos"), Unidades::Tipo::Rigido);
    Unidades::establecer(std::move(carpetas));
    {
        FrmTolvario sinDisco;
        EXPECT_EQ(cargar(sinDisco), std::nullopt);
        EXPECT_EQ(Controles::Discos(&sinDisco)->count(), 0);
        EXPECT_TRUE(m_guion->avisos.empty()) << "no removable disk is the common case: " << m_guion->todo().toStdString();
    }
    const QString pendrive = u.Agregar(QStringLiteral("PenDrive ONCCA"), Unidades::Tipo::Removible);
    FrmTolvario ventana;
    EXPECT_EQ(cargar(ventana), std::nullopt);
    Unidades::establecer(nullptr);
    ASSERT_EQ(Controles::Discos(&ventana)->count(), 1);
    EXPECT_EQ(Controles::Discos(&ventana)->currentText(), pendrive) << "a mount point keeps its case";
    EXPECT_NE(Controles::Discos(&ventana)->findText(fijo), 0);
}

CON_CADA_MOTOR(FrmTolvarioCargaTest);
