#include "application_filter.h"

#include "hint_rules.h"
#include "mainform.h"
#include "platform/screen.h"
#include "widgets/led_shape.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QToolTip>

namespace {

// Hint pause and hide pause as style hints, since Qt's tool tips take their
// timing from the style.
class HintTimingStyle : public QProxyStyle {
public:
    int styleHint(
        StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return hints::kHintPauseMs;
        if (hint == SH_ToolTip_FallAsleepDelay)
            return hints::kHintHidePauseMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The label Qt shows a tool tip in; it is a top-level widget of its own.
QWidget* visibleToolTipLabel()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("qtooltip_label") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

} // namespace

ApplicationEventFilter::ApplicationEventFilter(TMainForm* form)
    : QObject(form)
    , form_(form)
{
    qApp->installEventFilter(this);
}

void ApplicationEventFilter::applyHintSettings()
{
    if (!dynamic_cast<HintTimingStyle*>(QApplication::style()))
        QApplication::setStyle(new HintTimingStyle);
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, hints::hintColour());
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(12);
    font.setBold(true);
    QToolTip::setFont(font);
}

bool ApplicationEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ApplicationActivate:
        if (watched == qApp)
            form_->ApplicationActivate();
        break;
    case QEvent::ApplicationDeactivate:
        if (watched == qApp)
            form_->ApplicationDeactivate();
        break;
    case QEvent::KeyPress: {
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (widget && key->key() == Qt::Key_Escape && widget->window() == form_ && form_->ShortCutHandlerEnabled)
            return form_->ApplicationShortCut(Qt::Key_Escape);
        break;
    }
    case QEvent::ToolTip: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == form_)
            return showHint(widget, static_cast<QHelpEvent*>(event));
        break;
    }
    default:
        break;
    }
    return false;
}

bool ApplicationEventFilter::showHint(QWidget* widget, QHelpEvent* event)
{
    const QString text = widget->toolTip();
    if (text.isEmpty())
        return false;
    QColor ledColour;
    if (auto* led = qobject_cast<LedShape*>(widget))
        ledColour = led->shownColour();
    QToolTip::showText(
        event->globalPos(), text, widget, QRect(), hints::hintDurationMs(widget->objectName(), ledColour));
    if (QWidget* label = visibleToolTipLabel()) {
        // Placed here rather than by Qt: a hint kept clear of the pointer is
        // not hidden by the pointer leaving the control for the hint.
        label->ensurePolished();
        label->adjustSize();
        const QRect workArea = platform::workAreaAt(form_->frameGeometry().center());
        label->move(hints::placeHint(event->globalPos(), label->frameGeometry().size(), workArea));
    }
    return true;
}
