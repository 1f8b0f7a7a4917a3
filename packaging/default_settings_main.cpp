// Writes the settings file the program writes on its first start. An
// installation ships this file beside the program: where its users cannot
// write into the program's folder, each user's own settings file starts as a
// copy of it.
//
// Usage: zentrix-default-settings <file>

#include "settings/default_settings.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file>\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    // The program writes the defaults into an empty file; start from one too.
    if (QFile::exists(path) && !QFile::remove(path)) {
        std::fprintf(stderr, "%s: cannot replace the file\n", argv[1]);
        return 1;
    }
    settings::IniFile file(path);
    // Both parts go to disk together in the one flush.
    if (!settings::WriteDefaultAppSettings(file) || !settings::WriteDefaultModuleSettings(file) || !file.flush()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(file.errorText()));
        return 1;
    }
    return 0;
}
