#pragma once

#include <utility>

// Runs its action when the scope ends, however it ends: flags cleared, pointers restored.
template <class Accion>
class AlSalir
{
public:
    explicit AlSalir(Accion accion)
        : m_accion(std::move(accion))
    {
    }
    ~AlSalir() { m_accion(); }
    AlSalir(const AlSalir&) = delete;
    AlSalir& operator=(const AlSalir&) = delete;

private:
    Accion m_accion;
};
