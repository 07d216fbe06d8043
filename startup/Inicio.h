#pragma once

#include <QString>

class QWidget;

// Start-up of the module: reads the connection command line, opens the database and
// prepares what every window needs.
void IniciarSesion(bool usarIni, const QString& comando, QString& textoConexion);
void AplicarEstiloVentana(QWidget* ventana);
QString NombreServidor(const QString& servidor);

// The value of a "@Key=value;" pair: the text after the first occurrence of the key (case
// ignored) up to the next ";", without "=" and blanks. `hallada` tells whether the key was there.
QString ValorDeClave(const QString& comando, const QString& clave, bool* hallada = nullptr);
