#pragma once
// A group box of mutually exclusive radio buttons, one per item, laid out in
// equal rows like a radio group of the design. itemIndex() is the checked
// item, -1 when none is.

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(QWidget* parent = nullptr);

    // Replaces the items; afterwards no item is checked.
    void setItems(const QStringList& items);
    QStringList items() const;
    int count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* button(int index) const;

    int itemIndex() const { return itemIndex_; }
    // Checks the item `index`; -1 (or any index out of range) checks none.
    void setItemIndex(int index);

signals:
    // Emitted whenever the checked item changes, by a click or by setItemIndex.
    void itemIndexChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buttonToggled(int index, bool checked);
    void placeButtons();

    std::vector<QRadioButton*> buttons_;
    int itemIndex_ = -1;
};
