#include "fuzz/qtfuzzapp.h"

#include <QGuiApplication>

namespace fuzz {

void StartQtApplication()
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kadrelle-fuzz";
    static char* argv[] = {name, nullptr};
    // Lives until the process ends: libFuzzer never returns to a place where it could be destroyed.
    new QGuiApplication(argc, argv);
}

} // namespace fuzz
