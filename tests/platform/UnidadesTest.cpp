#include "platform/ErrorVB.h"
#include "platform/Unidades.h"
#include "startup/Unidad.h"
#include "tests/support/UnidadesDeCarpeta.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Unidades, CadaTipoConSuNombre)
{
    auto carpetas = std::make_unique<UnidadesDeCarpeta>();
    using Unidades::Tipo;
    const QString usb = carpetas->Agregar(QStringLiteral("usb"), Tipo::Removible);
    const QString disco = carpetas->Agregar(QStringLiteral("disco"), Tipo::Rigido);
    const QString red = carpetas->Agregar(QStringLiteral("red"), Tipo::Remota);
    const QString cd = carpetas->Agregar(QStringLiteral("cd"), Tipo::CDROM);
    const QString ram = carpetas->Agregar(QStringLiteral("ram"), Tipo::RAM);
    Unidades::establecer(std::move(carpetas));
    EXPECT_EQ(TipoUnidad(usb), QStringLiteral("Removible"));
    EXPECT_EQ(TipoUnidad(disco), QStringLiteral("Rigido"));
    EXPECT_EQ(TipoUnidad(red), QStringLiteral("Conexión Remota de Disto "));
    EXPECT_EQ(TipoUnidad(cd), QStringLiteral("CD-ROM"));
    EXPECT_EQ(TipoUnidad(ram), QString());
    EXPECT_EQ(TipoUnidad(QStringLiteral("/no/esta")), QStringLiteral("Desconocido"));
    Unidades::establecer(nullptr);
}

TEST(Unidades, FormatearVaciaSoloUnExtraible)
{
    auto carpetas = std::make_unique<UnidadesDeCarpeta>();
    UnidadesDeCarpeta& u = *carpetas;
    const QString usb = u.Agregar(QStringLiteral("usb"), Unidades::Tipo::Removible);
    const QString disco = u.Agregar(QStringLiteral("disco"), Unidades::Tipo::Rigido);
    QFile viejo(usb + QStringLiteral("/viejo.txt"));
    ASSERT_TRUE(viejo.open(QIODevice::WriteOnly));
    viejo.close();
    Unidades::establecer(std::move(carpetas));
    FormatearUnidad(usb, nullptr);
    EXPECT_FALSE(QFile::exists(usb + QStringLiteral("/viejo.txt")));
    EXPECT_EQ(u.formateadas, QStringList{usb});
    EXPECT_THROW(FormatearUnidad(disco, nullptr), ErrorVB);
    EXPECT_EQ(u.formateadas.size(), 1);
    Unidades::establecer(nullptr);
}

TEST(Unidades, ElSistemaNoFormateaUnDiscoFijo)
{
    // The machine's own drives: a folder on a fixed or virtual disk is refused before
    // anything reaches UDisks2.
    QTemporaryDir dir;
    const auto sistema = Unidades::DelSistema();
    EXPECT_NE(sistema->TipoDe(dir.path()), Unidades::Tipo::Removible);
    EXPECT_EQ(sistema->TipoDe(QStringLiteral("/no/esta")), Unidades::Tipo::SinRaiz);
    try {
        sistema->Formatear(dir.path(), QStringLiteral("ONCCA"));
        ADD_FAILURE() << "debía negarse";
    } catch (const ErrorVB& e) {
        EXPECT_FALSE(e.Description.isEmpty());
    }
    EXPECT_TRUE(QDir(dir.path()).exists());
    for (const Unidades::Unidad& u : sistema->Lista())
        EXPECT_FALSE(u.ruta.isEmpty());
}
