#pragma once

namespace fuzz {

// Creates the one QGuiApplication of the process (offscreen, no command line of its own) that Qt's image
// readers and file classes expect; libFuzzer's arguments are left to libFuzzer.
void StartQtApplication();

} // namespace fuzz
