#include "bench/Relevo.h"

#include <arpa/inet.h>
#include <cerrno>
#include <deque>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

using Reloj = std::chrono::steady_clock;

constexpr size_t MaxConexiones = 16;
constexpr size_t MaxRetenido = 8 * 1024 * 1024; // per direction: past it, that side is not read

struct Trozo {
    Reloj::time_point sale;
    std::vector<char> datos;
    size_t enviados = 0;
};

// One client and its connection to the server; cola[0] goes client -> server, [1] back.
// A side that ends (fin) has what it sent delivered, then the other side is told (shutdown).
struct Par {
    int fd[2] = {-1, -1};
    std::deque<Trozo> cola[2];
    size_t retenido[2] = {0, 0};
    bool fin[2] = {false, false};
    bool roto = false; // an error: nothing more goes either way
    bool Terminado() const { return roto || (fin[0] && fin[1]) || ((fin[0] || fin[1]) && cola[0].empty() && cola[1].empty()); }
};

void sinBloqueo(int fd)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    const int uno = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &uno, sizeof uno);
}

int conectar(uint16_t puerto)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(puerto);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        if (fd >= 0)
            close(fd);
        return -1;
    }
    sinBloqueo(fd);
    return fd;
}

} // namespace

Relevo::Relevo(uint16_t puertoDestino, std::chrono::milliseconds retardo, std::chrono::seconds vida)
    : m_destino(puertoDestino), m_retardo(retardo), m_fin(Reloj::now() + vida)
{
    m_escucha = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t largo = sizeof a;
    if (m_escucha < 0 || bind(m_escucha, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(m_escucha, 8) != 0
        || getsockname(m_escucha, reinterpret_cast<sockaddr*>(&a), &largo) != 0 || pipe(m_despertar) != 0) {
        if (m_escucha >= 0)
            close(m_escucha);
        m_escucha = -1;
        return;
    }
    m_puerto = ntohs(a.sin_port);
    sinBloqueo(m_escucha);
    m_hilo = std::thread([this] { correr(); });
}

Relevo::~Relevo()
{
    m_parar = true;
    if (m_despertar[1] >= 0 && write(m_despertar[1], "x", 1) < 0) {
        // The loop still ends within its next wait.
    }
    if (m_hilo.joinable())
        m_hilo.join();
    for (int fd : {m_escucha, m_despertar[0], m_despertar[1]})
        if (fd >= 0)
            close(fd);
}

void Relevo::correr()
{
    std::vector<Par> pares;
    while (!m_parar && Reloj::now() < m_fin) {
        const Reloj::time_point ahora = Reloj::now();
        std::vector<pollfd> fds{{m_escucha, POLLIN, 0}, {m_despertar[0], POLLIN, 0}};
        auto espera = std::chrono::milliseconds(200);
        for (Par& p : pares)
            for (int lado = 0; lado < 2; ++lado) {
                short eventos = !p.fin[lado] && p.retenido[lado] < MaxRetenido ? POLLIN : 0;
                // What leaves toward lado's peer is due: wait to write it, or until it is.
                const std::deque<Trozo>& sale = p.cola[1 - lado];
                if (!sale.empty()) {
                    if (sale.front().sale <= ahora)
                        eventos |= POLLOUT;
                    else
                        espera = std::min(espera, std::chrono::duration_cast<std::chrono::milliseconds>(sale.front().sale - ahora)
                                                      + std::chrono::milliseconds(1));
                }
                fds.push_back({p.fd[lado], eventos, 0});
            }
        if (poll(fds.data(), nfds_t(fds.size()), int(espera.count())) < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN) {
            const int cliente = accept(m_escucha, nullptr, nullptr);
            if (cliente >= 0) {
                const int servidor = pares.size() < MaxConexiones ? conectar(m_destino) : -1;
                if (servidor < 0) {
                    close(cliente);
                } else {
                    sinBloqueo(cliente);
                    Par p;
                    p.fd[0] = cliente;
                    p.fd[1] = servidor;
                    pares.push_back(std::move(p));
                }
            }
        }
        size_t i = 2;
        char bufer[64 * 1024];
        for (Par& p : pares) {
            for (int lado = 0; lado < 2 && i < fds.size(); ++lado, ++i) {
                const short r = fds[i].revents;
                if (r & POLLIN) {
                    const ssize_t n = read(p.fd[lado], bufer, sizeof bufer);
                    if (n == 0) {
                        p.fin[lado] = true;
                    } else if (n < 0) {
                        p.roto = errno != EAGAIN && errno != EINTR;
                    } else {
                        p.retenido[lado] += size_t(n);
                        p.cola[lado].push_back({Reloj::now() + m_retardo, std::vector<char>(bufer, bufer + n)});
                    }
                } else if (r & (POLLHUP | POLLERR | POLLNVAL)) {
                    p.roto = true;
                }
                if ((r & POLLOUT) && !p.roto) {
                    // Everything due goes to this side, in order; never a signal for a side
                    // that went away.
                    std::deque<Trozo>& cola = p.cola[1 - lado];
                    while (!cola.empty() && cola.front().sale <= Reloj::now()) {
                        Trozo& t = cola.front();
                        const ssize_t n = send(p.fd[lado], t.datos.data() + t.enviados, t.datos.size() - t.enviados, MSG_NOSIGNAL);
                        if (n < 0) {
                            p.roto = errno != EAGAIN && errno != EINTR;
                            break;
                        }
                        t.enviados += size_t(n);
                        if (t.enviados < t.datos.size())
                            break;
                        p.retenido[1 - lado] -= t.datos.size();
                        cola.pop_front();
                    }
                    if (cola.empty() && p.fin[1 - lado])
                        shutdown(p.fd[lado], SHUT_WR);
                }
            }
        }
        std::erase_if(pares, [](Par& p) {
            if (!p.Terminado())
                return false;
            close(p.fd[0]);
            close(p.fd[1]);
            return true;
        });
    }
    // Past its life no one more is taken in, and those in it end.
    close(m_escucha);
    m_escucha = -1;
    for (Par& p : pares) {
        close(p.fd[0]);
        close(p.fd[1]);
    }
}
