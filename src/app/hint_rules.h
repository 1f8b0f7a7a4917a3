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

// A hint whose bottom or right edge would lie beyond the work area is moved
// so that the edge stays 10 pixels inside it.
QPoint clampHintPosition(const QPoint& position, const QSize& hintSize, const QRect& workArea);

} // namespace hints
