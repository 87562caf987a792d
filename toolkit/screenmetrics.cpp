#include "toolkit/screenmetrics.h"

#include <QGuiApplication>
#include <QScreen>

ScreenMetrics PrimaryScreenMetrics()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    return {screen->availableGeometry(), screen->geometry()};
}
