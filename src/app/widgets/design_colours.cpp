#include "widgets/design_colours.h"

#include <QGuiApplication>
#include <QPalette>

namespace design {

QColor buttonFace()
{
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
}

} // namespace design
