#include "window_placement.h"

#include <cstdint>

namespace window_placement {

namespace {

// In 64 bits: a stored coordinate may be any 32-bit number.
bool fitsIn(const QRect& area, const QPoint& position, const QSize& size)
{
    const int64_t left = position.x();
    const int64_t top = position.y();
    return left >= area.left() && top >= area.top() && left + size.width() <= int64_t(area.left()) + area.width()
        && top + size.height() <= int64_t(area.top()) + area.height();
}

} // namespace

QPoint startPosition(
    int storedTop, int storedLeft, const QPoint& opening, const QSize& frameSize, const QList<QRect>& availableAreas)
{
    QPoint stored = opening;
    if (storedTop != -1)
        stored.setY(storedTop);
    if (storedLeft != -1)
        stored.setX(storedLeft);
    for (const QRect& area : availableAreas) {
        if (fitsIn(area, stored, frameSize))
            return stored;
    }
    return opening;
}

} // namespace window_placement
