// The settings file with any bytes in it: read it, write every entry it holds
// into a new file, read that again. Every section, key and value comes back as
// it was read. The input taken as UTF-8 text is also written as a section
// name, a key and a value: either it reads back unchanged or the write is
// refused with a reason (a character without a Windows-1251 code, a line
// break, an empty name), never stored changed.

#include "fuzz_check.h"
#include "settings/ini_file.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

const QTemporaryDir& scratch()
{
    static const QTemporaryDir directory;
    return directory;
}

void writeFile(const QString& path, const uint8_t* data, size_t size)
{
    QFile file(path);
    fuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file can be written");
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
}

bool encodable(const QString& text)
{
    QStringEncoder encoder("windows-1251");
    const QByteArray bytes = encoder.encode(text); // the encoding runs only when converted
    return !encoder.hasError();
}

bool storable(const QString& section, const QString& key, const QString& value)
{
    const QString name = section.trimmed();
    const QString keyName = key.trimmed();
    const auto lineBreak = [](const QString& text) { return text.contains(u'\r') || text.contains(u'\n'); };
    return !name.isEmpty() && !name.contains(u']') && !keyName.isEmpty() && !keyName.contains(u'=')
        && !keyName.startsWith(u'[') && !keyName.startsWith(u';') && !lineBreak(section) && !lineBreak(key)
        && !lineBreak(value) && encodable(section + key + value);
}

struct Entry {
    QString section;
    QString key;
    QString value;
};

// Writes `entry` into `file`; remembers it when stored. A refusal needs a
// reason, and only what cannot be stored may be refused.
void writeEntry(settings::IniFile& file, const Entry& entry, std::vector<Entry>& stored)
{
    if (file.writeString(entry.section, entry.key, entry.value)) {
        stored.push_back(entry);
        return;
    }
    fuzzCheck(!file.errorText().isEmpty(), "a refused write says why");

    fuzzCheck(!storable(entry.section, entry.key, entry.value), "only what cannot be stored is refused");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString sourcePath = scratch().filePath(QStringLiteral("source.ini"));
    const QString copyPath = scratch().filePath(QStringLiteral("copy.ini"));
    writeFile(sourcePath, data, size);
    QFile::remove(copyPath);

    const settings::IniFile source(sourcePath);
    fuzzCheck(source.isLoaded(), "any bytes load");
    settings::IniFile copy(copyPath);
    std::vector<Entry> stored;
    for (const QString& section : source.sectionNames()) {
        for (const QString& key : source.keyNames(section)) {
            fuzzCheck(source.contains(section, key), "a listed key is found");
            writeEntry(copy, { section, key, source.readString(section, key, QString()) }, stored);
        }
    }
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const Entry& entry : { Entry { QStringLiteral("Fuzz"), QStringLiteral("Value"), text },
             Entry { QStringLiteral("Fuzz"), text, QStringLiteral("key") },
             Entry { text, QStringLiteral("Key"), QStringLiteral("section") } }) {
        // A name that is already taken would only rewrite the entry before it.
        if (!copy.contains(entry.section, entry.key))
            writeEntry(copy, entry, stored);
    }
    fuzzCheck(copy.flush(), "the copy is written");

    const settings::IniFile reread(copyPath);
    fuzzCheck(reread.isLoaded(), "the copy loads");
    for (const Entry& entry : stored) {
        fuzzCheck(reread.contains(entry.section, entry.key), "every stored key is found again");
        fuzzCheck(reread.readString(entry.section, entry.key, QString()) == entry.value,
            "every stored value reads back unchanged");
    }
    return 0;
}
