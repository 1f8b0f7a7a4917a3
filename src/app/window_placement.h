#pragma once
// Where the main window opens: the decision, free of any window, so it can be
// tested on its own.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace window_placement {

// The position of the window's frame at start-up, from the stored top and
// left: -1 keeps that coordinate of `opening` (the window opens centred).
// The stored position counts only where the whole frame of `frameSize` lies
// on one of the screens' `availableAreas`; otherwise the window stays at
// `opening`, so a stored position never puts it out of reach.
QPoint startPosition(
    int storedTop, int storedLeft, const QPoint& opening, const QSize& frameSize, const QList<QRect>& availableAreas);

} // namespace window_placement
