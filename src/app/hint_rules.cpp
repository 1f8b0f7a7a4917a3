#include "hint_rules.h"

namespace hints {
namespace {
constexpr int kEdgeMargin = 10;
}

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

QPoint clampHintPosition(const QPoint& position, const QSize& hintSize, const QRect& workArea)
{
    QPoint result = position;
    const int workBottom = workArea.y() + workArea.height();
    const int workRight = workArea.x() + workArea.width();
    if (result.y() + hintSize.height() > workBottom)
        result.setY(workBottom - hintSize.height() - kEdgeMargin);
    if (result.x() + hintSize.width() > workRight)
        result.setX(workRight - hintSize.width() - kEdgeMargin);
    return result;
}

} // namespace hints
