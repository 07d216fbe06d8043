// What the data object knows of the database's structure, and the synonym translation.
#include "data/Catalogo.h"
#include "data/DB_Dll.h"

#include <QHash>
#include "data/Sinonimos.h"
#include "data/TextoSQL.h"
#include "platform/Pasos.h"
#include "suite/SuiteUtil.h"

QString DB_Dll::SS_TSinonimos(const QString& sentencia) const
{
    // The same statements come again and again (a save's inserts, a load's reads): each is
    // translated once for each kind of user.
    static QHash<QString, QString> traducidas[2];
    QHash<QString, QString>& cache = traducidas[gEsAdmin ? 1 : 0];
    if (const auto it = cache.constFind(sentencia); it != cache.cend())
        return *it;
    if (cache.size() >= 512)
        cache.clear();
    return *cache.insert(sentencia, Sinonimos::Aplicar(sentencia, gEsAdmin));
}

QStringList DB_Dll::nombresDeCatalogo(const QString& consulta, const QString& columna, bool& completo)
{
    QStringList nombres;
    Recordset rs;
    completo = Pasos::Ejecutar({
        [&] { rs.Open(SS_TSinonimos(consulta), gCnn, 0, 1); },
        [&] {
            for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
                nombres << rs.Field(columna).toString().trimmed();
        },
    }, [this](const ErrorVB& e) { return TratamientoErrores(e, std::nullopt, QStringLiteral("VerificaCampos")); });
    return nombres;
}

QStringList DB_Dll::TablasDB()
{
    bool completo = false;
    return nombresDeCatalogo(Catalogo::Tablas(gCnn.dialecto()), QStringLiteral("TABLE_NAME"), completo);
}

bool DB_Dll::ExisteTablaDB(const QString& Tabla)
{
    return TablasDB().contains(Tabla.trimmed(), Qt::CaseInsensitive);
}

bool DB_Dll::ExisteCampoDB(const QString& Tabla, const QString& Campo)
{
    if (EsOracle())
        return true;
    bool completo = false;
    const QStringList campos =
        nombresDeCatalogo(Catalogo::Columnas(gCnn.dialecto(), gDBName, Tabla), QStringLiteral("COLUMN_NAME"), completo);
    return campos.contains(Campo.trimmed(), Qt::CaseInsensitive);
}

void DB_Dll::AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                      const QVariant& ValorDefault)
{
    QString sql;
    Pasos::Ejecutar({
        [&] {
            const QString nulos = PermiteNulos ? QStringLiteral(" Null ") : QStringLiteral(" Not Null ");
            const QString defecto = ValorDefault.isValid()
                                        ? QStringLiteral(" CONSTRAINT DF_") + Tabla.trimmed() + u'_' + Campo.trimmed()
                                              + QStringLiteral(" DEFAULT (") + SuiteUtil::NullSafe(ValorDefault) + u')'
                                        : QString();
            sql = QStringLiteral("ALTER TABLE dbo.") + Tabla + QStringLiteral(" ADD ") + Campo + u' ' + Tipo + nulos + defecto;
        },
        [&] {
            long afectados = 0;
            EjecutaConsultaSQL(sql, afectados);
        },
    }, [this](const ErrorVB& e) { return TratamientoErrores(e, std::nullopt, QStringLiteral("errAddField")); });
}

bool DB_Dll::VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo, bool PermiteNulos,
                        const QVariant& ValorDefault)
{
    if (ExisteTablaDB(Tabla) && !ExisteCampoDB(Tabla, Campo) && Agregar)
        AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    return true;
}

QString DB_Dll::StripOwner(QString& rsTblName)
{
    if (const int punto = rsTblName.indexOf(u'.'); punto >= 0)
        rsTblName = rsTblName.mid(punto + 1);
    return rsTblName;
}
