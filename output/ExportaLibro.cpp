#include "output/ExportaLibro.h"

#include "output/EscritorXlsx.h"
#include "register/RegistroTolvario.h"
#include "startup/Configuracion.h"
#include "suite/SuiteUtil.h"

QString NombreDelLibro(const QString& carpeta, const QString& periodo)
{
    const QString p = periodo.trimmed();
    return SuiteUtil::FolderPath(carpeta) + p.left(2) + p.mid(3, 4) + QStringLiteral(".xlsx");
}

DatosLibro EncabezadoDesdeAjustes(const QString& periodo)
{
    DatosLibro d;
    const QString p = periodo.trimmed();
    d.periodo = p;
    const RegistroTolvario::Ajustes a = RegistroTolvario::LeerAjustes();
    d.decimales = DecimalesDelLibro(a.decimales);
    d.lineaInicial = LineaInicialDelLibro(a.linea);
    d.titulo = a.titulo.trimmed();
    if (d.titulo.isEmpty())
        d.titulo = QStringLiteral("libro de movimientos y existencia de Mercadería");
    d.empresa = LeerConfiguracion(QStringLiteral("NOMBRE")).trimmed();
    d.oncca = a.oncca.trimmed();
    d.hoja = RegistroTolvario::Hoja(p);
    d.medida = a.medida.trimmed();
    return d;
}

LibroExportado ExportarLibro(DatosLibro datos, const QString& carpeta)
{
    const QString periodo = datos.periodo;
    datos.cuentas = RegistroTolvario::CuentasDelLibro(periodo);
    datos.filas = RegistroTolvario::LineasDelPeriodo(periodo);
    // Every account's opening balance in one statement.
    const QHash<QString, Importe> saldos = RegistroTolvario::SaldosAnteriores(periodo);
    datos.saldoAnterior = [saldos](const QString& cuenta) { return saldos.value(cuenta.trimmed().toUpper()); };
    LibroExportado libro{ArmarLibro(datos), NombreDelLibro(carpeta, datos.periodo)};
    GuardarXlsx(libro.hoja, libro.ruta);
    return libro;
}
