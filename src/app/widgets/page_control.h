#pragma once
// A tab widget that can lay out its tab bar and pages while it is still
// hidden, so the pages have their final size as soon as the window is built
// (Qt lays a tab widget out only when it is shown).

#include <QTabWidget>

class PageControl : public QTabWidget {
    Q_OBJECT
public:
    using QTabWidget::QTabWidget;

    // The rectangle a page takes, in this widget's coordinates.
    QRect pageArea() const;
    // Places the tab bar and gives every page the size of the page area.
    void layoutPages();
};
