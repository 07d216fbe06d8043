#pragma once

#include <functional>

class QWidget;

// Runs `pasos` on the modal window once it is up, while `abrir` waits for it; a test that
// failed before closing the window does not leave the loop waiting.
void ConVentanaModal(const std::function<void(QWidget*)>& pasos, const std::function<void()>& abrir);
