#pragma once
// Selects Qt's offscreen platform for the QApplication created after it, so
// programs that build the window run without a display, and gives it a
// 1920 x 1080 screen, since the window refuses screens below 1280 x 768.

#include <QTemporaryDir>

class OffscreenPlatform {
public:
    // Writes the screen description and points QT_QPA_PLATFORM at it; the
    // description lives as long as this object.
    OffscreenPlatform();
    // False when the screen description could not be written.
    bool ready() const { return ready_; }

private:
    QTemporaryDir configDir_;
    bool ready_ = false;
};
