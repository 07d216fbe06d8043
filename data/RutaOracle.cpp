// The Oracle side of the data object: the dialect on queries and the batch path.
#include "data/DB_Dll.h"
#include "data/RutaOracle.h"

#include "data/DialectoOracle.h"

QString DB_Dll::ORACLE_Dicc(const QString& Valor) const
{
    if (!EsOracle())
        return Valor;
    return Oracle::Dicc(Valor);
}

void DB_Dll::rutaOracle(const QString& sentencia, long& afectados)
{
    afectados = Oracle::EjecutarLote(gCnn, sentencia, [this](const QString& t) { return ORACLE_Dicc(t); });
}

namespace Oracle {

long EjecutarLote(Conexion& cnn, const QString& lote, const std::function<QString(const QString&)>& traducir)
{
    long afectados = 0;
    // A batch that fails halfway leaves no transaction of its own open behind it.
    struct Abierta {
        Conexion& cnn;
        bool propia = false;
        ~Abierta()
        {
            if (propia && cnn.EnTransaccion()) {
                try {
                    cnn.RollbackTrans();
                } catch (const ErrorVB&) {
                }
            }
        }
    } abierta{cnn};
    for (const Oracle::Paso& p : Oracle::Partir(lote)) {
        switch (p.tipo) {
        case Oracle::Paso::Iniciar:
            cnn.BeginTrans();
            abierta.propia = true;
            break;
        case Oracle::Paso::Confirmar:
            cnn.CommitTrans();
            break;
        case Oracle::Paso::Deshacer:
            cnn.RollbackTrans();
            break;
        case Oracle::Paso::Ejecutar:
            if (const QString texto = Oracle::SoloSqlServer(traducir(p.texto)); !texto.isEmpty())
                afectados += cnn.Execute(texto);
            break;
        }
    }
    if (cnn.Errors.size() == 1 && cnn.Errors.front().NativeError == 265929)
        cnn.Errors.clear();
    return afectados;
}

} // namespace Oracle
