#include "lookup/Def_QConsulta.h"

#include "platform/Cp1252.h"
#include "suite/SuiteUtil.h"

#include <QFile>

namespace Def_QConsulta {

namespace {

QByteArray campo(const QString& texto, int ancho)
{
    QByteArray b = Cp1252::Codificar(texto).left(ancho);
    return b + QByteArray(ancho - b.size(), ' ');
}

QString leerCampo(const QByteArray& registro, int desde, int ancho)
{
    return Cp1252::Decodificar(QByteArrayView(registro).sliced(desde, ancho));
}

} // namespace

QByteArray Registro(const MascaraConsulta& m)
{
    return campo(m.Titulo, LargoTitulo) + campo(m.Tabla, LargoTabla) + campo(m.Campos, LargoCampos)
           + campo(m.Filtro, LargoFiltro) + campo(m.FinLinea, 2);
}

MascaraConsulta DeRegistro(const QByteArray& registro)
{
    QByteArray r = registro.left(LargoRegistro);
    r += QByteArray(LargoRegistro - r.size(), ' ');
    MascaraConsulta m;
    int desde = 0;
    m.Titulo = leerCampo(r, desde, LargoTitulo);
    m.Tabla = leerCampo(r, desde += LargoTitulo, LargoTabla);
    m.Campos = leerCampo(r, desde += LargoTabla, LargoCampos);
    m.Filtro = leerCampo(r, desde += LargoCampos, LargoFiltro);
    m.FinLinea = leerCampo(r, desde + LargoFiltro, 2);
    return m;
}

QString Limpio(const QString& campo)
{
    return SuiteUtil::StripChars(campo, QChar(0), QChar(255)).trimmed();
}

std::optional<MascaraConsulta> Buscar(const QString& ruta, const QString& tabla)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString buscada = tabla.trimmed();
    while (!f.atEnd()) {
        const QByteArray registro = f.read(LargoRegistro);
        if (registro.isEmpty())
            break;
        MascaraConsulta m = DeRegistro(registro);
        if (Limpio(m.Tabla).compare(buscada, Qt::CaseInsensitive) == 0)
            return m;
    }
    return std::nullopt;
}

bool Agregar(const QString& ruta, const MascaraConsulta& m)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    const qint64 numero = f.size() / LargoRegistro + 1;
    if (!f.seek((numero - 1) * LargoRegistro))
        return false;
    const QByteArray r = Registro(m);
    return f.write(r) == r.size();
}

bool Sembrar(const QString& ruta)
{
    static const char* const Predeterminadas[][3] = {
        {"ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|"},
        {"CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"},
        {"PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"},
        {"CONTACTOS", "MA_CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"},
        {"VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|"},
        {"TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|"},
        {"MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"},
    };
    bool bien = true;
    for (const auto& p : Predeterminadas) {
        MascaraConsulta m;
        m.Titulo = QString::fromLatin1(p[0]);
        m.Tabla = QString::fromLatin1(p[1]);
        m.Campos = QString::fromLatin1(p[2]);
        bien = Agregar(ruta, m) && bien;
    }
    return bien;
}

} // namespace Def_QConsulta
