#include "tests/support/SoloLectura.h"

#include <QFile>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The capabilities that let root write what its permissions forbid.
constexpr quint32 Anulacion = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool capacidades(bool conAnulacion)
{
    __user_cap_header_struct cabecera{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct datos[2]{};
    if (syscall(SYS_capget, &cabecera, datos) != 0)
        return false;
    datos[0].effective = conAnulacion ? (datos[0].effective | (datos[0].permitted & Anulacion)) : (datos[0].effective & ~Anulacion);
    return syscall(SYS_capset, &cabecera, datos) == 0;
}

} // namespace

SoloLectura::SoloLectura(const QString& archivo)
    : m_archivo(archivo)
{
    QFile::setPermissions(m_archivo, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    if (geteuid() == 0)
        m_sinCapacidades = capacidades(false);
}

SoloLectura::~SoloLectura()
{
    if (m_sinCapacidades)
        capacidades(true);
    QFile::setPermissions(m_archivo, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}
