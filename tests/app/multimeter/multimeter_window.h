#pragma once
// A main window as a module search leaves it with the module ready: the
// simulated module in place, the settings file applied through ReadIniFile,
// and the controls given back by the search's own finishing step. Tests
// choose the settings file's lines and whether the module has DAC outputs.

#include "app/window_fixture.h"
#include "sim_control.h"

#include <QStringList>

class QCheckBox;
class QLineEdit;

class MultimeterWindowTest : public WindowTest {
protected:
    static constexpr int kSlot = 3;

    void SetUp() override;
    void TearDown() override;

    // Applies the settings file as a search does (the default file unless
    // writeSettingsFile has written another) and gives the controls back.
    void applySettingsAsSearch(bool moduleHasDac = true);

    TQ4705AdcChannelFrame* frame(int channel) const { return form->ChannelFrames[channel]; }
    QCheckBox* channelBox(int channel) const;
    // Types `text` into `field` character by character, as the keyboard does.
    static void type(QLineEdit* field, const QString& text);
    // Puts `text` into `field` without raising its handlers, caret at `caret`.
    void setFieldText(QLineEdit* field, const QString& text, int caret = 0);
    // The settings file as it is on disk now.
    QString fileValue(const QString& section, const QString& key) const;

    modlink_sim::SimControl* sim = nullptr;
};

extern const QString kModuleSection;
