#include "mainform_controls_build.h"

#include "widgets/caption_label.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace controls_build {

QFont pixelFont(const char* family, int pixels, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void setTextColour(QWidget* widget, QRgb colour, QPalette::ColorRole role)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, role, QColor(colour));
    palette.setColor(QPalette::Inactive, role, QColor(colour));
    widget->setPalette(palette);
}

QFrame* panel(QWidget* parent, const char* name, const QRect& geometry, Bevel bevel)
{
    auto* frame = make<QFrame>(parent, name, geometry);
    switch (bevel) {
    case Bevel::None:
        frame->setFrameStyle(QFrame::NoFrame);
        break;
    case Bevel::Raised:
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        break;
    case Bevel::Sunken:
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        break;
    }
    return frame;
}

QGroupBox* groupBox(QWidget* parent, const char* name, const QRect& geometry, const QString& title)
{
    auto* box = make<QGroupBox>(parent, name, geometry);
    box->setTitle(title);
    return box;
}

void setCaptionColour(QGroupBox* box, QRgb colour)
{
    // A palette would pass the colour on to every label inside the box; a
    // style sheet rule does not propagate to the children.
    box->setStyleSheet(QStringLiteral("QGroupBox#%1 { color: %2; }").arg(box->objectName(), QColor(colour).name()));
}

QLabel* label(QWidget* parent, const char* name, const QRect& geometry, const QString& text, const QFont& font,
    Qt::Alignment alignment)
{
    auto* widget = make<CaptionLabel>(parent, name, geometry);
    widget->setText(text);
    widget->setFont(font);
    widget->setAlignment(alignment);
    return widget;
}

QComboBox* dropDownList(QWidget* parent, const char* name, const QRect& geometry, const QStringList& items)
{
    auto* combo = make<QComboBox>(parent, name, geometry);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

QLineEdit* entryField(QWidget* parent, const char* name, const QRect& geometry, const QFont& font)
{
    auto* edit = make<QLineEdit>(parent, name, geometry);
    edit->setFont(font);
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

} // namespace controls_build
