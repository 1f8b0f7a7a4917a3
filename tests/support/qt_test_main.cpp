// main() of the test programs that need a QApplication. It selects the
// offscreen platform itself (so the programs also run at discovery and on a
// machine without a display) and gives it a 1920 x 1080 screen, since the
// window refuses screens below 1280 x 768.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QTemporaryDir configDir;
    const QString configPath = configDir.filePath(QStringLiteral("screens.json"));
    {
        QFile config(configPath);
        if (!config.open(QIODevice::WriteOnly))
            return 2;
        config.write(R"({"screens":[{"name":"test","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96}]})");
    }
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(configPath));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
