#pragma once
// A plain-text label that wraps its caption at the design's line pitch (see
// wrapped_text.h), so two-line captions fit the heights they were drawn for.

#include <QLabel>

class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    explicit CaptionLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
