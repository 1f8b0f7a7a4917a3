#include "widgets/page_control.h"

#include <QStackedWidget>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

QRect PageControl::pageArea() const
{
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
}

void PageControl::layoutPages()
{
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    tabBar()->setGeometry(style()->subElementRect(QStyle::SE_TabWidgetTabBar, &option, this));
    const QRect area = style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
    if (auto* stack = findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly))
        stack->setGeometry(area);
    for (int i = 0; i < count(); ++i)
        widget(i)->setGeometry(0, 0, area.width(), area.height());
}
