#pragma once
// How long a hint stays and where it may stand; plain functions of the
// control and the screen, so they are tested without a window.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace hints {

constexpr int kHintPauseMs = 200;
constexpr int kHintHidePauseMs = 1500;
// Background of every hint.
QColor hintColour();
// The colour of the status LED while the module runs at USB full speed.
QColor fullSpeedWarningColour();

// Time a hint stays up: the status LED keeps its full-speed warning 10 s and
// its other hints 5 s; every other control's hint stays 2 s.
int hintDurationMs(const QString& controlName, const QColor& ledColour);

// Where a hint of `hintSize` stands (its top left corner) for the mouse
// pointer at `pointer`: below the pointer and right of it, as tool tips
// stand. A hint that would cross the bottom of the work area goes above the
// pointer, one that would cross its right edge to the left of it; a moved
// hint keeps its bottom and right edges at least 10 pixels inside the work
// area and never lands under the pointer (which would hide it at once).
QPoint placeHint(const QPoint& pointer, const QSize& hintSize, const QRect& workArea);

} // namespace hints
