#include "support/offscreen_platform.h"

#include <QFile>

OffscreenPlatform::OffscreenPlatform()
{
    const QString configPath = configDir_.filePath(QStringLiteral("screens.json"));
    QFile config(configPath);
    if (!configDir_.isValid() || !config.open(QIODevice::WriteOnly))
        return;
    config.write(R"({"screens":[{"name":"test","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96}]})");
    config.close();
    // A wrong configuration path aborts the platform plugin, so it is set
    // only once the file is written.
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(configPath));
    ready_ = true;
}
