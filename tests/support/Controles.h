#pragma once

#include "startup/Panobar.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>

// The register window's controls as a test finds them: by objectName, and the header boxes
// by their index in the control array, as the clerk's screen has them. Never through the
// window's members, which are its own.
namespace Controles {

template<typename T>
T* Hijo(const QWidget* v, const char* nombre)
{
    return v->findChild<T*>(QString::fromLatin1(nombre));
}

inline QLineEdit* Caja(const QWidget* v, int indice)
{
    for (QLineEdit* c : v->findChildren<QLineEdit*>(QStringLiteral("TxtFields")))
        if (c->property("Index").toInt() == indice)
            return c;
    return nullptr;
}

// The description label of user k (1 to 5).
inline QLabel* Descripcion(const QWidget* v, int k)
{
    const QList<QLabel*> todas = v->findChildren<QLabel*>(QStringLiteral("LblDesc"));
    return k >= 1 && k <= todas.size() ? todas[k - 1] : nullptr;
}

inline QTabBar* Pestanas(const QWidget* v) { return Hijo<QTabBar>(v, "SSTab1"); }
inline Panobar* Barra(const QWidget* v) { return Hijo<Panobar>(v, "Panobar1"); }
inline QTableView* Grilla(const QWidget* v) { return Hijo<QTableView>(v, "MSFlexGrid"); }
inline QLineEdit* Editor(const QWidget* v) { return Hijo<QLineEdit>(v, "txtEdit"); }
inline QStatusBar* Estado(const QWidget* v) { return Hijo<QStatusBar>(v, "BStat"); }
inline QComboBox* Discos(const QWidget* v) { return Hijo<QComboBox>(v, "CmbLetra"); }

} // namespace Controles
