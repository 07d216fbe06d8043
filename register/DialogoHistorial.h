#pragma once

#include <QDialog>

// The changes of a period as its history keeps them, for the clerk or an auditor to read.
class DialogoHistorial : public QDialog
{
    Q_OBJECT
public:
    DialogoHistorial(const QString& periodo, QWidget* padre = nullptr);
};
