// A save writes only what the window holds. After a search that failed, or
// while one runs, the channel controls are empty and the module list holds
// no module the user chose or a search readied: every way of saving then
// leaves those keys in the file byte for byte. With the module ready, what
// the user changed is written.

#include "search_fixture.h"

#include "frames/q4705_adc_channel_frame.h"
#include "settings/ini_file.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QStringDecoder>
#include <atomic>
#include <ostream>

namespace {

using modlink_sim::Op;

enum class SearchEnd { LibraryNotLoadable, NoModule, RefusedModule, ConfigurationFailure, StillRunning };
enum class Save { CtrlS, SaveButton, CloseWithAutoSave };

struct SaveCase {
    const char* name;
    SearchEnd end;
    Save save;
};

void PrintTo(const SaveCase& saveCase, std::ostream* out)
{
    *out << saveCase.name;
}

// The keys a save must not write unless the window holds their values: the
// auto-save choice, the wanted serial, and every group and channel control.
bool isGuardedKey(const QString& key)
{
    static const QStringList prefixes { QStringLiteral("Сохранение настроек"), QStringLiteral("Серийный номер модуля"),
        QStringLiteral("АЦП. Групповое управление"), QStringLiteral("АЦП. Управление") };
    for (const QString& prefix : prefixes) {
        if (key.startsWith(prefix))
            return true;
    }
    return false;
}

QStringList settingsLines(bool autoSave)
{
    return { QStringLiteral("[Приложение. Общие]"), QStringLiteral("Сохранение настроек=%1").arg(autoSave ? 1 : 0),
        QStringLiteral("Top    основной панели=-1"), QStringLiteral("Left   основной панели=-1"),
        QStringLiteral("[Приложение. Обнаружение]"), QStringLiteral("Серийный номер модуля=C1"),
        QStringLiteral("Источник загрузки ПЛИС модуля=1"), QStringLiteral("[Модуль Q47-05]"),
        QStringLiteral("АЦП. Групповое управление каналами=0"), QStringLiteral("АЦП. Управление каналом 1=1"),
        QStringLiteral("АЦП. Управление каналом 2=0"), QStringLiteral("АЦП. Управление каналом 3=1"),
        QStringLiteral("АЦП. Управление каналом 4=1"),
        QStringLiteral("АЦП. Групповое управление входным диапазоном=-1"),
        QStringLiteral("АЦП. Управление входным диапазоном канала 1=0"),
        QStringLiteral("АЦП. Управление входным диапазоном канала 2=1"),
        QStringLiteral("АЦП. Управление входным диапазоном канала 3=2"),
        QStringLiteral("АЦП. Управление входным диапазоном канала 4=1"),
        QStringLiteral("АЦП. Групповое управление типом подключения каналов=0"),
        QStringLiteral("АЦП. Управление типом подключения канала 1=0"),
        QStringLiteral("АЦП. Управление типом подключения канала 2=0"),
        QStringLiteral("АЦП. Управление типом подключения канала 3=0"),
        QStringLiteral("АЦП. Управление типом подключения канала 4=0"),
        QStringLiteral("АЦП. Групповое управление типом измеряемого параметра=-1"),
        QStringLiteral("АЦП. Управление типом измеряемого параметра для канала 1=0"),
        QStringLiteral("АЦП. Управление типом измеряемого параметра для канала 2=1"),
        QStringLiteral("АЦП. Управление типом измеряемого параметра для канала 3=2"),
        QStringLiteral("АЦП. Управление типом измеряемого параметра для канала 4=2") };
}

class SaveAfterSearchTest : public SearchTest {
protected:
    // The raw lines of the guarded keys, as they are on disk.
    QList<QByteArray> guardedLines() const
    {
        QFile file(form->SettingsPath);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QList<QByteArray> lines;
        for (const QByteArray& line : file.readAll().split('\n')) {
            QStringDecoder decoder("windows-1251");
            const QString text = decoder.decode(line);
            if (isGuardedKey(text.section(QLatin1Char('='), 0, 0).trimmed()))
                lines << line;
        }
        return lines;
    }

    void save(Save how)
    {
        switch (how) {
        case Save::CtrlS:
            form->SaveCurrentSettings->trigger();
            break;
        case Save::SaveButton:
            ASSERT_TRUE(form->SaveSettingsButton->isEnabled());
            form->SaveSettingsButton->click();
            break;
        case Save::CloseWithAutoSave:
            // As the user ticks it, unless the file has already ticked it.
            if (!form->AutoSaveSettingsLMDCheckBox->isChecked())
                form->AutoSaveSettingsLMDCheckBox->click();
            ASSERT_TRUE(form->AutoSaveSettingsLMDCheckBox->isChecked());
            form->close();
            break;
        }
    }

    std::atomic<bool> releaseSearch { false };
};

class SaveMatrix : public SaveAfterSearchTest, public ::testing::WithParamInterface<SaveCase> { };

TEST_P(SaveMatrix, LeavesTheKeysTheWindowDoesNotHoldAsTheFileHasThem)
{
    const SaveCase& param = GetParam();
    placeOnly(0, moduleWith("C1"));
    writeSettingsFile(settingsLines(param.save == Save::CloseWithAutoSave));
    const QList<QByteArray> before = guardedLines();
    ASSERT_EQ(before.size(), 22);

    if (param.end == SearchEnd::LibraryNotLoadable) {
        QTemporaryDir noLibrary;
        form = std::make_unique<TestForm>(openModlinkLibrary(noLibrary.path()), settingsDirectory.path());
        runSearch(true);
        ASSERT_TRUE(messageTexts().value(0).startsWith(QStringLiteral("Не могу загрузить библиотеку Modlink.dll!")));
    } else {
        runSearch(true);
        ASSERT_EQ(form->ModuleState, 2);
        switch (param.end) {
        case SearchEnd::NoModule:
            sim->clearBus();
            break;
        case SearchEnd::RefusedModule:
            placeOnly(0, moduleWith("R7", 'A'));
            break;
        case SearchEnd::ConfigurationFailure:
            sim->failOnce(Op::QueryUsbSpeed);
            break;
        default:
            form->searchSteps = [this] {
                auto* thread = static_cast<WorkerThread*>(QThread::currentThread());
                while (!releaseSearch && !thread->Terminated())
                    QThread::msleep(5);
            };
            break;
        }
        if (param.end == SearchEnd::StillRunning) {
            form->FindDeviceLMDButtonClick();
            ASSERT_TRUE(waitUntil([&] { return form->InitThreadRunning.load(); }));
        } else {
            runSearch();
            ASSERT_NE(form->ModuleState, 2);
        }
    }

    save(param.save);
    EXPECT_EQ(guardedLines(), before);
    releaseSearch = true;
    if (param.end == SearchEnd::StillRunning && param.save != Save::CloseWithAutoSave) {
        ASSERT_TRUE(waitUntil([&] { return !form->InitThreadRunning; }));
    }
}

INSTANTIATE_TEST_SUITE_P(EachSearchEndAndSave, SaveMatrix,
    ::testing::Values(SaveCase { "LibraryCtrlS", SearchEnd::LibraryNotLoadable, Save::CtrlS },
        SaveCase { "LibraryButton", SearchEnd::LibraryNotLoadable, Save::SaveButton },
        SaveCase { "LibraryClose", SearchEnd::LibraryNotLoadable, Save::CloseWithAutoSave },
        SaveCase { "NoModuleCtrlS", SearchEnd::NoModule, Save::CtrlS },
        SaveCase { "NoModuleButton", SearchEnd::NoModule, Save::SaveButton },
        SaveCase { "NoModuleClose", SearchEnd::NoModule, Save::CloseWithAutoSave },
        SaveCase { "RefusedCtrlS", SearchEnd::RefusedModule, Save::CtrlS },
        SaveCase { "RefusedButton", SearchEnd::RefusedModule, Save::SaveButton },
        SaveCase { "RefusedClose", SearchEnd::RefusedModule, Save::CloseWithAutoSave },
        SaveCase { "ConfigurationCtrlS", SearchEnd::ConfigurationFailure, Save::CtrlS },
        SaveCase { "ConfigurationButton", SearchEnd::ConfigurationFailure, Save::SaveButton },
        SaveCase { "ConfigurationClose", SearchEnd::ConfigurationFailure, Save::CloseWithAutoSave },
        SaveCase { "RunningCtrlS", SearchEnd::StillRunning, Save::CtrlS },
        SaveCase { "RunningButton", SearchEnd::StillRunning, Save::SaveButton },
        SaveCase { "RunningClose", SearchEnd::StillRunning, Save::CloseWithAutoSave }),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });

TEST_F(SaveAfterSearchTest, WithTheModuleReadyASaveWritesWhatTheUserChanged)
{
    // The stored serial names no module on the bus, so the search readies
    // the first one, and a save names it.
    placeOnly(0, moduleWith("C1"));
    QStringList lines = settingsLines(false);
    lines.replaceInStrings(QStringLiteral("Серийный номер модуля=C1"), QStringLiteral("Серийный номер модуля=Z9"));
    writeSettingsFile(lines);
    runSearch(true);
    ASSERT_EQ(form->ModuleState, 2);

    form->ChannelFrames[2]->ChannelNumberLMDCheckBox->click();
    form->AutoSaveSettingsLMDCheckBox->click();
    form->SaveCurrentSettings->trigger();

    settings::IniFile file(form->SettingsPath);
    const QString module = QStringLiteral("Модуль Q47-05");
    EXPECT_EQ(file.readString(QStringLiteral("Приложение. Общие"), QStringLiteral("Сохранение настроек"), {}),
        QStringLiteral("1"));
    EXPECT_EQ(file.readString(QStringLiteral("Приложение. Обнаружение"), QStringLiteral("Серийный номер модуля"), {}),
        QStringLiteral("C1"));
    EXPECT_EQ(file.readString(module, QStringLiteral("АЦП. Управление каналом 3"), {}), QStringLiteral("0"));
    EXPECT_EQ(file.readString(module, QStringLiteral("АЦП. Управление каналом 1"), {}), QStringLiteral("1"));
    EXPECT_EQ(file.readString(module, QStringLiteral("АЦП. Управление входным диапазоном канала 3"), {}),
        QStringLiteral("2"));
}

} // namespace
