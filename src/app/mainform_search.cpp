// The window's part of a module search: enabling and disabling its controls
// as a tree, and the look of the status labels.

#include "mainform.h"

#include <QGroupBox>
#include <QLabel>

namespace {

// Widgets Qt makes inside its own composite widgets (a tab widget's stack,
// a scroll area's viewport) are not controls of the design: they carry no
// name or a "qt_" one. Their state is left to their parents.
bool isDesignControl(const QWidget* widget)
{
    const QString name = widget->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// The controls directly inside `parent`, looking through Qt's own widgets
// (so the pages of a page control count as its controls).
void collectControls(const QWidget* parent, QList<QWidget*>& controls)
{
    for (QObject* object : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget || widget->isWindow())
            continue;
        if (isDesignControl(widget))
            controls << widget;
        else
            collectControls(widget, controls);
    }
}

} // namespace

void TMainForm::SetEnabledRecursively(QWidget* control, bool enabled)
{
    control->setEnabled(enabled);
    if (enabled && control == AdcIndividualParsLMDGroupBox)
        return;
    QList<QWidget*> controls;
    collectControls(control, controls);
    for (QWidget* child : controls)
        SetEnabledRecursively(child, enabled);
}

void TMainForm::ShowStatusLabel(QLabel* label, const QString& text, const QColor& textColour, const QColor& background)
{
    label->setText(text);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, textColour);
    palette.setColor(QPalette::Window, background);
    label->setPalette(palette);
}
