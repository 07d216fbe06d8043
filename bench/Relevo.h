#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

// A TCP relay on 127.0.0.1 in front of a server on this machine, holding back every chunk
// for `retardo` in each direction: a station far from its server, for the benchmarks. It
// takes a bounded number of connections, holds a bounded amount of data, and stops by itself
// after `vida` (or when destroyed).
class Relevo
{
public:
    Relevo(uint16_t puertoDestino, std::chrono::milliseconds retardo, std::chrono::seconds vida = std::chrono::minutes(30));
    ~Relevo();
    Relevo(const Relevo&) = delete;
    Relevo& operator=(const Relevo&) = delete;

    // The port it listens on (chosen by the system); 0 when it could not listen.
    uint16_t Puerto() const { return m_puerto; }

private:
    void correr();

    uint16_t m_destino;
    std::chrono::milliseconds m_retardo;
    std::chrono::steady_clock::time_point m_fin;
    int m_escucha = -1;
    int m_despertar[2] = {-1, -1};
    uint16_t m_puerto = 0;
    std::atomic<bool> m_parar{false};
    std::thread m_hilo;
};
