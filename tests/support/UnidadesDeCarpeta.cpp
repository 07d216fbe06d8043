#include "tests/support/UnidadesDeCarpeta.h"

#include "platform/ErrorVB.h"

#include <QDir>
#include <QFile>

QString UnidadesDeCarpeta::Agregar(const QString& nombre, Unidades::Tipo tipo)
{
    const QString ruta = m_raiz.filePath(nombre);
    QDir().mkpath(ruta);
    m_unidades.append({ruta, QString(), tipo, nombre, 0, QStringLiteral("vfat"), ruta});
    return ruta;
}

QString UnidadesDeCarpeta::AgregarSinFormato(const QString& nombre)
{
    const QString ruta = m_raiz.filePath(nombre);
    m_unidades.append({ruta, QString(), Unidades::Tipo::Removible, {}, 0, {}, {}});
    return ruta;
}

Unidades::Unidad UnidadesDeCarpeta::Datos(const QString& ruta)
{
    for (const auto& u : m_unidades)
        if (u.ruta == ruta)
            return u;
    return {ruta, QString(), Unidades::Tipo::SinRaiz, {}, 0, {}, {}};
}

void UnidadesDeCarpeta::Quitar(const QString& ruta)
{
    m_unidades.removeIf([&](const Unidades::Unidad& u) { return u.ruta == ruta; });
}

QList<Unidades::Unidad> UnidadesDeCarpeta::Lista()
{
    return m_unidades;
}

Unidades::Tipo UnidadesDeCarpeta::TipoDe(const QString& ruta)
{
    for (const auto& u : m_unidades)
        if (u.ruta == ruta)
            return u.tipo;
    return Unidades::Tipo::SinRaiz;
}

QString UnidadesDeCarpeta::Formatear(const QString& ruta, const QString& etiqueta)
{
    if (TipoDe(ruta) != Unidades::Tipo::Removible)
        throw ErrorVB(71, QStringLiteral("La unidad %1 no es un disco extraíble; no se formatea.").arg(ruta));
    if (fallaFormato)
        throw ErrorVB(71, QStringLiteral("El disco de %1 no se pudo formatear: está protegido contra escritura.").arg(ruta));
    QDir d(ruta);
    d.removeRecursively();
    QString montada = ruta;
    if (!montarDespuesEn.isEmpty())
        montada = montarDespuesEn;
    for (auto& u : m_unidades)
        if (u.ruta == ruta) {
            u.ruta = montada;
            u.sistema = QStringLiteral("vfat");
            u.montaje = montada;
        }
    QDir().mkpath(montada);
    QFile f(QDir(montada).filePath(QStringLiteral("ETIQUETA")));
    if (f.open(QIODevice::WriteOnly))
        f.write(etiqueta.toUtf8());
    formateadas << ruta;
    if (retiradoTrasFormato)
        QDir(montada).removeRecursively();
    return montada;
}
