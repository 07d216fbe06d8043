#pragma once

#include <QString>

// Makes a file read-only for this thread while it lives, also when the tests run as root
// (as in CI): root's override of file permissions is dropped from the thread's effective
// capabilities and given back at the end.
class SoloLectura
{
public:
    explicit SoloLectura(const QString& archivo);
    ~SoloLectura();
    SoloLectura(const SoloLectura&) = delete;
    SoloLectura& operator=(const SoloLectura&) = delete;

private:
    QString m_archivo;
    bool m_sinCapacidades = false;
};
