#include "platform/OperadorQt.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <memory>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <cstdlib>
#include <vector>

namespace {

const QString TituloAplicacion = QStringLiteral("Tolvario");

// Without a window manager nobody gives the keyboard back when a box closes: the clerk's
// keys would reach the grid's arrows and nothing else. The window and box that had it get
// it back as the box goes.
class FocoDevuelto
{
public:
    FocoDevuelto() : m_ventana(QApplication::activeWindow()), m_foco(QApplication::focusWidget()) {}
    ~FocoDevuelto()
    {
        if (!m_ventana || !m_ventana->isVisible())
            return;
        m_ventana->activateWindow();
        QApplication::setActiveWindow(m_ventana);
        if (m_foco && m_foco->isVisible())
            m_foco->setFocus(Qt::ActiveWindowFocusReason);
    }
    FocoDevuelto(const FocoDevuelto&) = delete;
    FocoDevuelto& operator=(const FocoDevuelto&) = delete;

private:
    QPointer<QWidget> m_ventana;
    QPointer<QWidget> m_foco;
};

struct Boton {
    QMessageBox::StandardButton qt;
    int respuesta;
    const char* texto;
};

std::vector<Boton> botonesDe(int grupo)
{
    using B = QMessageBox;
    switch (grupo) {
    case Operador::AceptarCancelar:
        return {{B::Ok, Operador::Aceptar, "Aceptar"}, {B::Cancel, Operador::Cancelar, "Cancelar"}};
    case Operador::AbortarReintentarIgnorar:
        return {{B::Abort, Operador::Abortar, "&Anular"}, {B::Retry, Operador::Reintentar, "&Reintentar"},
                {B::Ignore, Operador::Ignorar, "&Omitir"}};
    case Operador::SiNoCancelar:
        return {{B::Yes, Operador::Si, "&Sí"}, {B::No, Operador::No, "&No"}, {B::Cancel, Operador::Cancelar, "Cancelar"}};
    case Operador::SiNo:
        return {{B::Yes, Operador::Si, "&Sí"}, {B::No, Operador::No, "&No"}};
    case Operador::ReintentarCancelar:
        return {{B::Retry, Operador::Reintentar, "&Reintentar"}, {B::Cancel, Operador::Cancelar, "Cancelar"}};
    default:
        return {{B::Ok, Operador::Aceptar, "Aceptar"}};
    }
}

// Keys that reach a box in its first moments were typed before the clerk could read it (a
// fast typist's Enter after a refused value): they are dropped, so only a key pressed
// after reading answers it. Nothing typed meanwhile reaches the window behind either: the
// box is modal.
class TeclasAnticipadas : public QObject
{
public:
    static constexpr int Espera = 400; // ms

    explicit TeclasAnticipadas(QWidget* caja)
        : m_caja(caja)
    {
        qApp->installEventFilter(this);
    }
    ~TeclasAnticipadas() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (objeto == m_caja && evento->type() == QEvent::Show)
            m_mostrada.start();
        const auto tipo = evento->type();
        if (tipo != QEvent::KeyPress && tipo != QEvent::KeyRelease && tipo != QEvent::ShortcutOverride)
            return false;
        auto* w = qobject_cast<QWidget*>(objeto);
        if (!w || (w != m_caja && !m_caja->isAncestorOf(w)))
            return false;
        return !m_mostrada.isValid() || m_mostrada.elapsed() < Espera;
    }

private:
    QWidget* m_caja;
    QElapsedTimer m_mostrada;
};

} // namespace

int OperadorQt::Mensaje(const QString& texto, int estilo, const QString& titulo)
{
    const FocoDevuelto devuelto;
    QMessageBox caja(QApplication::activeWindow());
    caja.setWindowTitle(titulo.isEmpty() ? TituloAplicacion : titulo);
    caja.setText(texto);
    switch (estilo & 0x70) {
    case Critico: caja.setIcon(QMessageBox::Critical); break;
    case Pregunta: caja.setIcon(QMessageBox::Question); break;
    case Exclamacion: caja.setIcon(QMessageBox::Warning); break;
    case Informacion: caja.setIcon(QMessageBox::Information); break;
    default: break;
    }
    const auto botones = botonesDe(estilo & 7);
    const int defecto = (estilo & TercerBoton) ? 2 : (estilo & SegundoBoton) ? 1 : 0;
    std::vector<QPushButton*> creados;
    for (const auto& b : botones) {
        QPushButton* p = caja.addButton(b.qt);
        p->setText(QString::fromUtf8(b.texto));
        creados.push_back(p);
    }
    caja.setDefaultButton(creados[std::min<size_t>(defecto, creados.size() - 1)]);
    if (creados.size() == 1 || (estilo & 7) == AceptarCancelar || (estilo & 7) == SiNoCancelar
        || (estilo & 7) == ReintentarCancelar)
        caja.setEscapeButton(creados.back());
    TeclasAnticipadas anticipadas(&caja);
    caja.exec();
    for (size_t i = 0; i < creados.size(); ++i)
        if (caja.clickedButton() == creados[i])
            return botones[i].respuesta;
    // Closed without a button: the box's cancel answer, as the classic box gives it.
    return botones.back().respuesta;
}

QString OperadorQt::Entrada(const QString& pregunta, const QString& titulo, const QString& defecto)
{
    const FocoDevuelto devuelto;
    bool aceptado = false;
    const QString t = QInputDialog::getText(QApplication::activeWindow(),
                                            titulo.isEmpty() ? TituloAplicacion : titulo, pregunta,
                                            QLineEdit::Normal, defecto, &aceptado);
    return aceptado ? t : QString();
}

void OperadorQt::Terminar(int codigo)
{
    std::exit(codigo);
}

bool OperadorQt::Esperar(const QString& aviso, const std::function<bool()>& intentar)
{
    const FocoDevuelto devuelto; // after the notice is gone
    QElapsedTimer reloj;
    reloj.start();
    std::unique_ptr<QProgressDialog> cartel;
    while (reloj.elapsed() < EsperaMaximaMs) {
        if (intentar())
            return true;
        if (!cartel && reloj.elapsed() >= 2000) {
            cartel = std::make_unique<QProgressDialog>(aviso, QStringLiteral("Cancelar"), 0, 0, QApplication::activeWindow());
            cartel->setWindowTitle(QStringLiteral("Aviso al operador..."));
            cartel->setWindowModality(Qt::ApplicationModal);
            cartel->setMinimumDuration(0);
            cartel->show();
        }
        // A quarter of a second with the screen painted; once the notice shows, modal, its
        // Cancelar is heard (before that no key reaches the window in the middle of a save).
        QEventLoop espera;
        QTimer::singleShot(250, &espera, &QEventLoop::quit);
        espera.exec(cartel ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        if (cartel && cartel->wasCanceled())
            return false;
    }
    return false;
}
