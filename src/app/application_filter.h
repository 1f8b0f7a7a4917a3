#pragma once
// The window's application-wide handlers, installed on the application:
// Esc as the short-cut handler, activation and deactivation, the hint
// display (durations, position, font, colour, timing).

#include <QObject>

class QHelpEvent;
class QWidget;
class TMainForm;

class ApplicationEventFilter : public QObject {
    Q_OBJECT
public:
    explicit ApplicationEventFilter(TMainForm* form);

    // Hint timing, font and colour for the whole application.
    static void applyHintSettings();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool showHint(QWidget* widget, QHelpEvent* event);

    TMainForm* const form_;
};
