#include "startup.h"

#include "mainform.h"
#include "platform/message_seam.h"
#include "platform/screen.h"

std::unique_ptr<TMainForm> createMainWindow(
    const QSize& screenSize, std::unique_ptr<DeviceLibrary> library, const QString& settingsDirectory)
{
    if (!platform::isScreenLargeEnough(screenSize)) {
        platform::showMessage(
            QStringLiteral("Разрешение монитора должно быть не ниже 1280x768!"), QStringLiteral("Ошибка!!!"));
        return nullptr;
    }
    return std::make_unique<TMainForm>(std::move(library), settingsDirectory);
}

std::unique_ptr<QTranslator> installRussianQtTranslation(const QString& directory)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_ru"), directory))
        return nullptr;
    if (!QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

void showApplicationException(std::exception_ptr exception)
{
    QString text;
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
    }
    platform::showMessage(text, QCoreApplication::applicationName(), platform::MessageIcon::Error);
}

ZentrixApplication::ZentrixApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool ZentrixApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showApplicationException(std::current_exception());
        return false;
    }
}
