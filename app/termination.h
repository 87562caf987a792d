#pragma once

class QWidget;

// Closes the window, as its close box does, when the process is asked to end (SIGTERM, SIGINT, SIGHUP),
// so that the settings are written on that way out too.
void CloseOnTermination(QWidget* window);
