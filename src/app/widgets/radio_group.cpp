#include "widgets/radio_group.h"

#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace {

// A radio button that a click can check but not uncheck, as in an exclusive
// group; the group itself keeps the exclusivity.
class GroupRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void nextCheckState() override
    {
        if (!isChecked())
            setChecked(true);
    }
};

} // namespace

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent)
{
}

void RadioGroup::setItems(const QStringList& items)
{
    const bool hadSelection = itemIndex_ != -1;
    for (QRadioButton* button : buttons_)
        delete button;
    buttons_.clear();
    itemIndex_ = -1;

    for (int i = 0; i < items.size(); ++i) {
        auto* button = new GroupRadioButton(items[i], this);
        button->setObjectName(objectName() + QStringLiteral("Item") + QString::number(i));
        // Exclusivity is kept here rather than by auto-exclusive buttons, so
        // that "no item" can be set again after one was checked.
        button->setAutoExclusive(false);
        connect(button, &QRadioButton::toggled, this, [this, i](bool checked) { buttonToggled(i, checked); });
        button->show();
        buttons_.push_back(button);
    }
    placeButtons();
    if (hadSelection)
        emit itemIndexChanged(-1);
}

QStringList RadioGroup::items() const
{
    QStringList texts;
    for (const QRadioButton* button : buttons_)
        texts << button->text();
    return texts;
}

QRadioButton* RadioGroup::button(int index) const
{
    return index >= 0 && index < count() ? buttons_[static_cast<size_t>(index)] : nullptr;
}

void RadioGroup::setItemIndex(int index)
{
    if (index < 0 || index >= count())
        index = -1;
    if (index == itemIndex_)
        return;
    if (index == -1)
        button(itemIndex_)->setChecked(false);
    else
        button(index)->setChecked(true);
}

void RadioGroup::buttonToggled(int index, bool checked)
{
    if (checked) {
        const int previous = itemIndex_;
        itemIndex_ = index;
        if (QRadioButton* old = button(previous))
            old->setChecked(false);
        emit itemIndexChanged(index);
    } else if (index == itemIndex_) {
        itemIndex_ = -1;
        emit itemIndexChanged(-1);
    }
}

void RadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    placeButtons();
}

void RadioGroup::placeButtons()
{
    if (buttons_.empty())
        return;
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect area = style()
                           ->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, this)
                           .adjusted(6, 2, -4, -2);
    const int rowHeight = area.height() / count();
    for (int i = 0; i < count(); ++i)
        buttons_[static_cast<size_t>(i)]->setGeometry(area.left(), area.top() + i * rowHeight, area.width(), rowHeight);
}
