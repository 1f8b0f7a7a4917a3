#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

bool isScreenLargeEnough(const QSize& screenSize)
{
    return screenSize.width() >= kMinimumScreenWidth && screenSize.height() >= kMinimumScreenHeight;
}

QSize primaryScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

QRect workAreaAt(const QPoint& position)
{
    const QScreen* screen = QGuiApplication::screenAt(position);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace platform
