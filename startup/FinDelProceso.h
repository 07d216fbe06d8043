#pragma once

// How the process ends when nobody can answer it: SIGTERM (the desktop logging out or
// shutting down), SIGHUP (the terminal or session closed) and SIGINT (Ctrl+C) end it at once
// with 128 + the signal's number, and the display lost ends it as Qt's platform decides.
// Each is noted in VMERR.LOG; nothing is written to the database, since what the clerk typed
// is already on the station's disk.
namespace FinDelProceso {

// Once, with the application object made and before the window shows.
void Instalar();

} // namespace FinDelProceso
