#include "output/ExportaLibro.h"

#include "data/DB_Dll.h"
#include "output/ConsultaLibro.h"
#include "output/EscritorXlsx.h"
#include "startup/Configuracion.h"
#include "suite/SuiteUtil.h"

QString NombreDelLibro(const QString& carpeta, const QString& periodo)
{
    const QString p = periodo.trimmed();
    return SuiteUtil::FolderPath(carpeta) + p.left(2) + p.mid(3, 4) + QStringLiteral(".xlsx");
}

QString UltimoPeriodo()
{
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT TOP 1 Periodo FROM EM_Tolvario ORDER BY SUBSTRING(Periodo,4,4) + "
                                                     "SUBSTRING(Periodo,1,2) DESC"),
                                      rs);
    return rs.State() != 0 && !rs.BOF() ? SuiteUtil::NullSafe(rs.Field(QStringLiteral("Periodo"))).trimmed() : QString();
}

DatosLibro EncabezadoDesdeAjustes(const QString& periodo)
{
    DatosLibro d;
    const QString p = periodo.trimmed();
    d.periodo = p;
    d.decimales = DecimalesDelLibro(LeerConfiguracion(QStringLiteral("TOLVARIO_DECIMALES")));
    d.lineaInicial = LineaInicialDelLibro(LeerConfiguracion(QStringLiteral("TOLVARIO_LINEA")));
    d.titulo = LeerConfiguracion(QStringLiteral("TOLVARIO_TITULO")).trimmed();
    if (d.titulo.isEmpty())
        d.titulo = QStringLiteral("libro de movimientos y existencia de Mercadería");
    d.empresa = LeerConfiguracion(QStringLiteral("NOMBRE")).trimmed();
    d.oncca = LeerConfiguracion(QStringLiteral("ONCCA")).trimmed();
    d.hoja = LeerConfiguracion(QStringLiteral("TOLVARIO_HOJA_") + p.mid(3, 4) + p.left(2)).trimmed();
    d.medida = LeerConfiguracion(QStringLiteral("TOLVARIO_MEDIDA")).trimmed();
    return d;
}

LibroExportado ExportarLibro(DatosLibro datos, const QString& carpeta)
{
    LeerRegistroDelLibro(datos.periodo, datos);
    LibroExportado libro{ArmarLibro(datos), NombreDelLibro(carpeta, datos.periodo)};
    GuardarXlsx(libro.hoja, libro.ruta);
    return libro;
}
