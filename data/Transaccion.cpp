#include "data/Transaccion.h"

#include "data/Conexion.h"

void EnTransaccion(Conexion& cnn, const std::function<void()>& trabajo)
{
    cnn.BeginTrans();
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
