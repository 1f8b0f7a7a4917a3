#pragma once
// Small helpers shared by the files that build the main window's controls:
// every control gets its design name, its parent and its absolute geometry.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace controls_build {

template <class Widget> Widget* make(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

// A font of the given family and character height in pixels.
QFont pixelFont(const char* family, int pixels, bool bold = false);

// Colour of the text that `role` paints (WindowText for labels and check
// boxes, ButtonText for buttons, Text for edits).
void setTextColour(QWidget* widget, QRgb colour, QPalette::ColorRole role);

enum class Bevel { None, Raised, Sunken };
QFrame* panel(QWidget* parent, const char* name, const QRect& geometry, Bevel bevel = Bevel::None);
QGroupBox* groupBox(QWidget* parent, const char* name, const QRect& geometry, const QString& title);
// Colours only the group box's caption, not the controls inside it.
void setCaptionColour(QGroupBox* box, QRgb colour);

QLabel* label(QWidget* parent, const char* name, const QRect& geometry, const QString& text, const QFont& font,
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QComboBox* dropDownList(QWidget* parent, const char* name, const QRect& geometry, const QStringList& items);
// A numeric entry field: text centred in the given font.
QLineEdit* entryField(QWidget* parent, const char* name, const QRect& geometry, const QFont& font);

} // namespace controls_build
