#include "data/Transaccion.h"

#include "data/Conexion.h"

void EnTransaccion(Conexion& cnn, const std::function<void()>& trabajo, bool paraEscribir)
{
    cnn.BeginTrans(paraEscribir);
    try {
        trabajo();
        cnn.CommitTrans();
    } catch (...) {
        try {
            cnn.RollbackTrans();
        } catch (...) {
            // The first failure is the one worth reporting.
        }
        throw;
    }
}
