#pragma once
// Program start-up, apart from main() itself: the screen check that decides
// whether the window is built, Qt's Russian texts for the standard dialogs,
// and the display of exceptions that escape an event handler.

#include <QApplication>
#include <QLibraryInfo>
#include <QSize>
#include <QString>
#include <QTranslator>
#include <exception>
#include <memory>

class DeviceLibrary;
class TMainForm;

// The main window when `screenSize` is at least 1280 x 768; otherwise the
// message "Разрешение монитора должно быть не ниже 1280x768!" and null.
std::unique_ptr<TMainForm> createMainWindow(
    const QSize& screenSize, std::unique_ptr<DeviceLibrary> library, const QString& settingsDirectory);

// Loads Qt's own Russian translation (qtbase_ru.qm in `directory`) and
// installs it, so the standard buttons read "Да", "Нет", "Отмена": the window
// is Russian whatever the user's locale. Null when the file is missing or
// unreadable; the standard buttons then stay English and the program goes on.
// The translation is in force while the returned object lives.
std::unique_ptr<QTranslator> installRussianQtTranslation(
    const QString& directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

// Shows an exception as the application's exception display does: the
// exception's message, or an empty message for anything that is not a
// standard exception, in an error box captioned with the application title.
void showApplicationException(std::exception_ptr exception);

// The application object: an exception that escapes an event handler is
// shown and the event loop goes on.
class ZentrixApplication : public QApplication {
public:
    ZentrixApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
