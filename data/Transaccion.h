#pragma once

#include <functional>

class Conexion;

// Runs `trabajo` as one transaction of `cnn`: committed when it returns, rolled back when
// it raises, and the error goes on to the caller. Either all of it is stored or none.
void EnTransaccion(Conexion& cnn, const std::function<void()>& trabajo);
