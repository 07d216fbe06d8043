#include "output/DiscoOncca.h"

#include "output/ExportaLibro.h"
#include "platform/ErrorVB.h"
#include "platform/Operador.h"
#include "platform/Unidades.h"
#include "startup/Unidad.h"
#include "suite/SuiteUtil.h"

#include <QDir>
#include <QFile>
#include <QStatusBar>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The write test: a probe file where the book will go, as many times as the clerk asks.
void probarEscritura(const QString& unidad)
{
    for (;;) {
        QFile prueba(SuiteUtil::FolderPath(unidad) + QStringLiteral("xx.xx"));
        if (prueba.open(QIODevice::WriteOnly)) {
            prueba.close();
            prueba.remove();
            return;
        }
        const int r = operador().Mensaje(prueba.errorString() + QStringLiteral(",verifiquelo y vuelva a intentarlo"),
                                         Operador::ReintentarCancelar + Operador::Critico, QStringLiteral("Aviso al operador!!!"));
        if (r != Operador::Reintentar)
            return;
    }
}

bool igualesEnDisco(const QString& libro, const QString& copia)
{
    // Forced onto the disk, and the system's copy in memory dropped: what is read back is
    // what the disk holds.
    {
        QFile escrita(copia);
        if (!escrita.open(QIODevice::ReadWrite) || ::fsync(escrita.handle()) != 0)
            return false;
        ::posix_fadvise(escrita.handle(), 0, 0, POSIX_FADV_DONTNEED);
    }
    QFile a(libro);
    QFile b(copia);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly))
        return false;
    return a.size() == b.size() && a.readAll() == b.readAll();
}

} // namespace

bool CopiarLibroAlDisco(const QString& unidad, const QString& periodo, const QString& libro, QWidget* ventana,
                        QStatusBar* estado)
{
    const QString p = periodo.trimmed();
    const QString pregunta = QStringLiteral("Por Favor cataloge un disquete como \r\nLIBRO DE EXISTENCIA DE HARINAS\r\nPeriodo ") + p
                             + QStringLiteral("\r\ne insertelo en la Unidad ") + unidad + QStringLiteral(", cuando este listo pulse aceptar");
    if (operador().Mensaje(pregunta, Operador::AceptarCancelar + Operador::Pregunta, QStringLiteral("Confirmación")) != Operador::Aceptar) {
        operador().Mensaje(QStringLiteral("Cancelado por el Usuario!!!"), Operador::Critico, QStringLiteral("Aviso al Operador!!!"));
        return false;
    }
    // A disk with no file system, or not mounted, has nowhere to try: it is formatted anyway.
    const Unidades::Unidad disco = Unidades::actual().Datos(unidad);
    if (!disco.sistema.isEmpty() && !disco.montaje.isEmpty())
        probarEscritura(disco.montaje);
    operador().Mensaje(QStringLiteral("Atención el disco insertado en la unidad ") + unidad
                           + QStringLiteral(" será formateado pulse aceptar para continuar"),
                       Operador::SoloAceptar + Operador::Pregunta, QStringLiteral("Aviso al operador!!!"));

    // The system's format dialog let the clerk start or cancel; here the last word is asked
    // for, naming the disk, and No is the default.
    QString destino = disco.montaje;
    const int formatear = operador().Mensaje(QStringLiteral("Se formateará el disco de ") + unidad + QStringLiteral(" (")
                                                 + Unidades::TextoDeTamano(disco.tamano)
                                                 + QStringLiteral("): se borrará todo lo que contiene. ¿Formatear ahora?"),
                                             Operador::SiNo + Operador::Exclamacion + Operador::SegundoBoton,
                                             QStringLiteral("Formatear disco"));
    if (formatear == Operador::Si) {
        if (estado) {
            estado->showMessage(QStringLiteral("Formateando el disco de %1...").arg(unidad));
            estado->repaint();
        }
        try {
            destino = FormatearUnidad(unidad, ventana);
        } catch (const ErrorVB& e) {
            // Half-formatted, the disk may not even be where it was: nothing is copied blind.
            if (estado)
                estado->clearMessage();
            operador().Mensaje(e.Description + QStringLiteral("\r\nEl libro no se copió; quedó en ") + libro + u'.', Operador::Critico,
                               QStringLiteral("Aviso al operador!!!"));
            return false;
        }
        if (estado)
            estado->clearMessage();
    }

    // Not formatted now: a disk with its file system is mounted to take the copy; one with
    // none cannot take it.
    if (destino.isEmpty()) {
        QString porque = QStringLiteral("El disco ") + unidad + QStringLiteral(" no está montado.");
        if (disco.tipo == Unidades::Tipo::SinRaiz) {
            porque = QStringLiteral("El disco ") + unidad + QStringLiteral(" ya no está conectado.");
        } else if (disco.sistema.isEmpty()) {
            porque = QStringLiteral("El disco ") + unidad + QStringLiteral(" no tiene formato y no se formateó.");
        } else {
            try {
                destino = Unidades::actual().Montar(unidad);
            } catch (const ErrorVB& e) {
                porque = e.Description;
            }
        }
        if (destino.isEmpty()) {
            operador().Mensaje(porque + QStringLiteral("\r\nEl libro no se copió; quedó en ") + libro + u'.', Operador::Critico,
                               QStringLiteral("Aviso al operador!!!"));
            return false;
        }
    }
    const QString copia = NombreDelLibro(destino, p);
    QFile::remove(copia);
    QFile origen(libro);
    if (!origen.copy(copia)) {
        operador().Mensaje(QStringLiteral("No se pudo copiar el libro a ") + copia
                               + QStringLiteral(": el disco no lo acepta (retirado, protegido contra escritura o sin espacio)."
                                                " El libro quedó en ")
                               + libro + u'.',
                           Operador::Critico, QStringLiteral("Aviso al operador!!!"));
        return false;
    }
    // What the authority gets is what was read back from the disk, not what was sent to it.
    if (!igualesEnDisco(libro, copia)) {
        operador().Mensaje(QStringLiteral("La copia del libro en ") + copia
                               + QStringLiteral(" no se pudo leer igual al libro: el disco puede estar dañado o fue retirado."
                                                " El libro quedó en ")
                               + libro + u'.',
                           Operador::Critico, QStringLiteral("Aviso al operador!!!"));
        return false;
    }
    return true;
}
