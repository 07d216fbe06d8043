#pragma once

#include <QString>

class QStatusBar;
class QWidget;

// The ONCCA file on a removable disk: the clerk confirms, the disk is tested for writing,
// warned about, formatted (asked once more), and the book is copied onto it as month + year +
// ".xlsx". Every failure is told; the book stays where it was saved. True only when the copy
// on the disk was written and read back equal to the book.
bool CopiarLibroAlDisco(const QString& unidad, const QString& periodo, const QString& libro, QWidget* ventana,
                        QStatusBar* estado);
