// Ready-made queries by key, and values written as SQL literals.
#include "data/DB_Dll.h"

#include "data/TextoSQL.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "suite/SuiteUtil.h"

namespace {

using TextoSQL::Comillas;

int avisoOperador(const ErrorVB& e)
{
    const int respuesta = operador().Mensaje(e.Description, Operador::AbortarReintentarIgnorar + Operador::Critico,
                                             QStringLiteral("Aviso al Operador"));
    DB_Dll::Instancia().AnotarError(e, QStringLiteral("DatosTabla"), DB_Dll::PalabraDeRespuesta(respuesta));
    return respuesta;
}

QString numero(const QString& valor)
{
    return SuiteUtil::TextToAmount(valor).texto().trimmed();
}

} // namespace

bool DB_Dll::ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo, Recordset* LRCS,
                           int TipoDato, const QString& Condicion)
{
    bool existe = false;
    QString sql;
    Recordset propio;
    Pasos::Ejecutar({
        [&] {
            if (!Condicion.isEmpty()) {
                sql = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla
                      + (TextoSQL::Contiene(Condicion, QStringLiteral(" WHERE ")) ? QStringLiteral(" ") : QStringLiteral(" WHERE "))
                      + Condicion;
                return;
            }
            switch (TipoDato) {
            case 8:
                sql = QStringLiteral("SELECT TOP 1  * FROM ") + Tabla + QStringLiteral(" WHERE LTRIM(RTRIM(") + Campo
                      + QStringLiteral(")) ='") + Comillas(ValorBuscado.trimmed()) + QStringLiteral("'");
                break;
            case 7:
                sql = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" = ")
                      + ValorBuscado.trimmed() + QStringLiteral(" ");
                break;
            case 3: case 4: case 5:
                sql = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" = ")
                      + numero(ValorBuscado);
                break;
            default:
                sql = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" = ")
                      + ValorBuscado;
                break;
            }
        },
        [&] { sql = ORACLE_Dicc(SS_TSinonimos(sql)); },
        [&] {
            Recordset& rs = LRCS ? *LRCS : propio;
            if (LRCS)
                rs.Open(sql, gCnn, rs.CursorType, rs.LockType);
            else
                rs.Open(sql, gCnn, 0, 1);
            existe = !rs.BOF();
        },
    }, avisoOperador);
    return existe;
}

bool DB_Dll::ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo, Recordset* LRCS,
                             int TipoDato, const QString& Condicion, bool SoloLectura)
{
    bool existe = false;
    Recordset propio;
    Pasos::Ejecutar({[&] {
        QString sql;
        if (!Condicion.isEmpty())
            sql = QStringLiteral("SELECT * FROM ") + Tabla
                  + (TextoSQL::Contiene(Condicion, QStringLiteral(" WHERE ")) ? QStringLiteral(" ") : QStringLiteral(" WHERE "))
                  + Condicion;
        else if (TipoDato == 8)
            sql = QStringLiteral("SELECT * FROM ") + Tabla + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" ='")
                  + Comillas(ValorBuscado) + QStringLiteral("'");
        else if (TipoDato == 3 || TipoDato == 4 || TipoDato == 5)
            sql = QStringLiteral("SELECT * FROM ") + Tabla + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" = ") + numero(ValorBuscado);
        else
            sql = QStringLiteral("SELECT * FROM ") + Tabla + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" = ") + ValorBuscado;
        Recordset& rs = LRCS ? *LRCS : propio;
        if (LRCS && !SoloLectura)
            rs.Open(sql, gCnn, rs.CursorType, rs.LockType);
        else
            rs.Open(sql, gCnn, 0, 1);
        existe = !rs.BOF();
    }}, avisoOperador);
    return existe;
}

QString DB_Dll::DatoDeUsuario(const QString& nombre, const QString& campo)
{
    if (m_usuarioLeido.nombre.isEmpty() || m_usuarioLeido.nombre != nombre.trimmed()) {
        QHash<QString, QString> fila;
        DatosTabla(QStringLiteral("ta_usuarios"), nombre, campo, QStringLiteral("nombre"), 8, QString(), true, &fila);
        m_usuarioLeido = {fila.isEmpty() ? QString() : nombre.trimmed(), fila};
    }
    return m_usuarioLeido.campos.value(campo.toUpper());
}

QString DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                           const QString& Campo, int TipoDato, const QString& Condicion, bool UsaTrim,
                           QHash<QString, QString>* fila)
{
    QString resultado;
    QString sql;
    Recordset rs;
    Pasos::Ejecutar({
        [&] {
            QString cond;
            switch (TipoDato) {
            case 8:
                cond = UsaTrim ? QStringLiteral("LTRIM(RTRIM(") + Campo + QStringLiteral(")) ='") + Comillas(ValorBuscado.trimmed()) + QStringLiteral("' ")
                               : Campo + QStringLiteral(" ='") + Comillas(ValorBuscado.trimmed()) + QStringLiteral("' ");
                break;
            case 7:
                cond = Campo + QStringLiteral(" = #") + ValorBuscado.trimmed() + QStringLiteral("# ");
                break;
            case 3: case 4: case 5:
                cond = Campo + QStringLiteral(" = ") + numero(ValorBuscado);
                break;
            default:
                cond = Campo + QStringLiteral(" = ") + ValorBuscado;
                break;
            }
            sql = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla + QStringLiteral(" WHERE ") + cond
                  + (Condicion.trimmed().isEmpty() ? QString() : QStringLiteral(" AND ")) + Condicion;
        },
        [&] { AbrirRecordset(sql, rs, &gCnn, 0, 1, -1, true); },
        [&] {
            if (rs.State() != 0 && !rs.BOF()) {
                resultado = SuiteUtil::NullSafe(rs.Field(CampoDevuelto));
                for (int i = 0; fila && i < rs.FieldCount(); ++i)
                    fila->insert(rs.FieldName(i).toUpper(), SuiteUtil::NullSafe(rs.Field(rs.FieldName(i))));
            }
        },
        [&] { CierraRecordset(rs); },
    }, avisoOperador);
    return resultado;
}

QString DB_Dll::SQLValue(const QVariant& valor, const QString& tipo)
{
    QString prefijo;
    QString sufijo;
    QString v = SuiteUtil::NullSafe(valor);
    const bool nulo = valor.isNull() || !valor.isValid();
    if (tipo == QStringLiteral("@"))
        v = SuiteUtil::VariantToAmount(valor).texto();
    if (tipo == QStringLiteral("'")) {
        prefijo = sufijo = QStringLiteral("'");
        v = Comillas(v);
    }
    if (nulo) {
        prefijo.clear();
        sufijo.clear();
        v = tipo == QStringLiteral("@") ? QStringLiteral("0") : QStringLiteral("NULL");
    }
    return prefijo + v + sufijo;
}

Importe DB_Dll::buscaExtremo(const QString& funcion, const QString& alias, const QString& tabla, const QString& campo,
                             const QString& condicion, bool soloSiHayCondicion)
{
    QString sql = QStringLiteral("SELECT ") + funcion + u'(' + campo + QStringLiteral(") AS ") + alias + QStringLiteral(" FROM ") + tabla;
    if (soloSiHayCondicion ? !condicion.trimmed().isEmpty() : !condicion.isEmpty())
        sql += QStringLiteral(" WHERE ") + condicion.trimmed();
    Recordset rs;
    rs.Open(sql, gCnn, 0, 1);
    if (rs.BOF())
        return {};
    return SuiteUtil::TextToAmount(SuiteUtil::NullSafe(rs.Field(alias)));
}

Importe DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const QVariant&, const QString& Condicion)
{
    return buscaExtremo(QStringLiteral("MAX"), QStringLiteral("MAYOR"), QueTabla, QueCampo, Condicion, false);
}

Importe DB_Dll::BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const QVariant&, const QString& Condicion)
{
    return buscaExtremo(QStringLiteral("MIN"), QStringLiteral("MENOR"), QueTabla, QueCampo, Condicion, false);
}

Importe DB_Dll::BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, const QVariant&, const QString& Condicion)
{
    return buscaExtremo(QStringLiteral("MAX"), QStringLiteral("MAYOR"), QueTabla, QueCampo, Condicion, true);
}
