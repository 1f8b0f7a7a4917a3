#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

namespace platform {

constexpr int kMinimumScreenWidth = 1280;
constexpr int kMinimumScreenHeight = 768;

bool isScreenLargeEnough(const QSize& screenSize);
// Size of the primary screen, or an empty size when there is none.
QSize primaryScreenSize();
// Work area (screen without task bars) of the monitor that holds the global
// point `position`, or of the primary screen when no monitor holds it.
QRect workAreaAt(const QPoint& position);

} // namespace platform
