#pragma once

class QWidget;

// From this call on, SIGTERM, SIGINT and SIGHUP no longer end the program at once: each is kept until
// CloseOnTermination hands it to the window. main calls it first, so that a signal that comes while the
// window starts and reads its settings waits for the window instead of killing the program.
void CatchTerminationSignals();

// Closes the window, as its close box does, for a signal caught (one caught before this call included), so
// that the settings are written on that way out too.
void CloseOnTermination(QWidget* window);
