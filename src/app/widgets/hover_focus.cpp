#include "widgets/hover_focus.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

// The filters are found again by name: they carry no meta-object of their own.
constexpr const char* kHoverFocusName = "zx_focusOnHover";
constexpr const char* kSelectAllName = "zx_selectAllOnFocus";

class HoverFocusFilter : public QObject {
public:
    explicit HoverFocusFilter(QWidget* widget)
        : QObject(widget)
    {
        setObjectName(QLatin1String(kHoverFocusName));
        widget->installEventFilter(this);
    }
    bool on = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = static_cast<QWidget*>(watched);
        if (on && event->type() == QEvent::Enter && widget->isEnabled() && !widget->hasFocus())
            widget->setFocus(Qt::MouseFocusReason);
        return false;
    }
};

class SelectAllOnFocusFilter : public QObject {
public:
    explicit SelectAllOnFocusFilter(QLineEdit* edit)
        : QObject(edit)
    {
        setObjectName(QLatin1String(kSelectAllName));
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Deferred, so that a mouse press that brought the focus does not
        // clear the selection again before it is seen.
        if (event->type() == QEvent::FocusIn) {
            auto* edit = static_cast<QLineEdit*>(watched);
            QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
        }
        return false;
    }
};

HoverFocusFilter* hoverFilterOf(const QWidget* widget)
{
    return static_cast<HoverFocusFilter*>(
        widget->findChild<QObject*>(QLatin1String(kHoverFocusName), Qt::FindDirectChildrenOnly));
}

} // namespace

void setFocusOnHover(QWidget* widget, bool on)
{
    HoverFocusFilter* filter = hoverFilterOf(widget);
    if (!filter)
        filter = new HoverFocusFilter(widget);
    filter->on = on;
}

bool focusOnHover(const QWidget* widget)
{
    const HoverFocusFilter* filter = hoverFilterOf(widget);
    return filter && filter->on;
}

void setSelectAllOnFocus(QLineEdit* edit)
{
    if (!edit->findChild<QObject*>(QLatin1String(kSelectAllName), Qt::FindDirectChildrenOnly))
        new SelectAllOnFocusFilter(edit);
}
