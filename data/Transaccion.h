#pragma once

#include <functional>

class Conexion;

// Runs `trabajo` as one transaction of `cnn`: committed when it returns, rolled back when
// it raises, and the error goes on to the caller. Either all of it is stored or none.
// `paraEscribir` queues it behind another writer from its start (see Conexion::BeginTrans).
void EnTransaccion(Conexion& cnn, const std::function<void()>& trabajo, bool paraEscribir = false);
