// Process entry: the application titled "Zentrix", Qt's Russian dialog
// texts, the screen check, the main window with the device library beside the
// executable and the settings beside it or in the user's folder, the message
// loop.

#include "device/device_library.h"
#include "mainform.h"
#include "message_dialogs.h"
#include "platform/app_paths.h"
#include "platform/screen.h"
#include "platform/settings_location.h"
#include "startup.h"

#include <QPointer>

int main(int argc, char** argv)
{
    ZentrixApplication app(argc, argv);
    // The title is the application's name: a display name would be appended
    // to every window caption by some window systems.
    QCoreApplication::setApplicationName(QStringLiteral("Zentrix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZENTRIX_VERSION));

    // Missing translations leave the standard buttons in English; no error.
    const std::unique_ptr<QTranslator> qtTranslation = installRussianQtTranslation();

    QPointer<QWidget> window;
    platform::setMessagePresenter(makeDialogPresenter([&window]() -> QWidget* { return window; }));

    const QString programDirectory = platform::executableDirectory();
    const QString settingsDirectory
        = platform::prepareSettingsDirectory(programDirectory, platform::userSettingsDirectory());
    std::unique_ptr<TMainForm> form
        = createMainWindow(platform::primaryScreenSize(), openModlinkLibrary(programDirectory), settingsDirectory);
    int result = 0;
    if (form) {
        window = form.get();
        form->show();
        result = app.exec();
    }
    platform::setMessagePresenter({});
    return result;
}
