#include "hint_rules.h"

#include <algorithm>

namespace hints {
namespace {
constexpr int kEdgeMargin = 10;
// Where a hint stands relative to the pointer unless it has to move: clear
// of the arrow, which is drawn below and right of the pointer's hot spot.
constexpr QPoint kBelowPointer(2, 16);
// The arrow's extent from the hot spot at the usual cursor size.
constexpr QSize kArrowSize(16, 16);
// Room left between the pointer and a hint moved above or left of it.
constexpr int kPointerGap = 10;
} // namespace

QColor hintColour()
{
    return QColor(255, 255, 164);
}

QColor fullSpeedWarningColour()
{
    return QColor(255, 150, 0);
}

int hintDurationMs(const QString& controlName, const QColor& ledColour)
{
    if (controlName == QLatin1String("ModuleStatusLed"))
        return ledColour.rgb() == fullSpeedWarningColour().rgb() ? 10000 : 5000;
    return 2000;
}

QPoint placeHint(const QPoint& pointer, const QSize& hintSize, const QRect& workArea)
{
    QPoint result = pointer + kBelowPointer;
    const int workBottom = workArea.y() + workArea.height();
    const int workRight = workArea.x() + workArea.width();
    if (result.y() + hintSize.height() > workBottom) {
        result.setY(
            std::min(workBottom - hintSize.height() - kEdgeMargin, pointer.y() - kPointerGap - hintSize.height()));
    }
    if (result.x() + hintSize.width() > workRight) {
        result.setX(std::min(workRight - hintSize.width() - kEdgeMargin, pointer.x() - kPointerGap - hintSize.width()));
    }
    // A hint too large for the room above or left of the pointer still
    // starts on the work area; where it would then cover the pointer, it
    // stands beside it.
    result.setX(std::max(result.x(), workArea.x()));
    result.setY(std::max(result.y(), workArea.y()));
    const QRect arrow(pointer, kArrowSize);
    if (QRect(result, hintSize).intersects(arrow)) {
        const int leftOfPointer = pointer.x() - kPointerGap - hintSize.width();
        result.setX(leftOfPointer >= workArea.x() ? leftOfPointer : arrow.right() + 1 + kPointerGap);
    }
    return result;
}

} // namespace hints
