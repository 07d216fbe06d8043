#include "tests/support/SoloLectura.h"

#include <QFile>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The capabilities that let root write what its permissions forbid.
constexpr uint32_t Anulacion = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool leer(__user_cap_header_struct& cabecera, __user_cap_data_struct (&datos)[2])
{
    cabecera = {_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &cabecera, datos) == 0;
}

bool efectivas(uint32_t valor)
{
    __user_cap_header_struct cabecera{};
    __user_cap_data_struct datos[2]{};
    if (!leer(cabecera, datos))
        return false;
    datos[0].effective = valor;
    return syscall(SYS_capset, &cabecera, datos) == 0;
}

} // namespace

SoloLectura::SoloLectura(const QString& archivo)
    : m_archivo(archivo)
    , m_permisos(QFile::permissions(archivo))
{
    QFile::setPermissions(m_archivo, m_permisos & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther));
    if (geteuid() == 0) {
        __user_cap_header_struct cabecera{};
        __user_cap_data_struct datos[2]{};
        if (!leer(cabecera, datos))
            return;
        m_efectivas = datos[0].effective;
        m_capacidadesCambiadas = efectivas(m_efectivas & ~Anulacion);
        if (!m_capacidadesCambiadas)
            return;
    }
    m_activo = !QFile(m_archivo).open(QIODevice::ReadWrite);
}

SoloLectura::~SoloLectura()
{
    if (m_capacidadesCambiadas)
        efectivas(m_efectivas);
    QFile::setPermissions(m_archivo, m_permisos);
}
