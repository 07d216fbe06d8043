#pragma once

#include <QFileDevice>
#include <QString>
#include <cstdint>

// Makes a file read-only for this thread while it lives, also when the tests run as root
// (as in CI): root's override of file permissions is dropped from the thread's effective
// capabilities. Both are given back as they were at the end.
class SoloLectura
{
public:
    explicit SoloLectura(const QString& archivo);
    ~SoloLectura();
    SoloLectura(const SoloLectura&) = delete;
    SoloLectura& operator=(const SoloLectura&) = delete;

    // Whether writing the file is really refused now.
    bool activo() const { return m_activo; }

private:
    QString m_archivo;
    QFileDevice::Permissions m_permisos;
    bool m_activo = false;
    bool m_capacidadesCambiadas = false;
    uint32_t m_efectivas = 0;
};
