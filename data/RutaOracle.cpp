// The Oracle side of the data object: the dialect on queries and the batch path.
#include "data/DB_Dll.h"
#include "data/DialectoOracle.h"
#include "data/TextoSQL.h"

QString DB_Dll::ORACLE_Dicc(const QString& Valor) const
{
    if (!TextoSQL::Contiene(gConnString, QStringLiteral("ORACLE")))
        return Valor;
    return Oracle::Dicc(Valor);
}

void DB_Dll::rutaOracle(QString& sentencia, long& afectados)
{
    for (const Oracle::Paso& p : Oracle::Partir(sentencia)) {
        switch (p.tipo) {
        case Oracle::Paso::Iniciar:
            gCnn.BeginTrans();
            break;
        case Oracle::Paso::Confirmar:
            gCnn.CommitTrans();
            break;
        case Oracle::Paso::Deshacer:
            gCnn.RollbackTrans();
            break;
        case Oracle::Paso::Ejecutar:
            if (const QString texto = Oracle::SoloSqlServer(ORACLE_Dicc(p.texto)); !texto.isEmpty())
                afectados += gCnn.Execute(texto);
            break;
        }
    }
    if (gCnn.Errors.size() == 1 && gCnn.Errors.front().NativeError == 265929)
        gCnn.Errors.clear();
}
