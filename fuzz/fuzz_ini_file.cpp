// The settings file with any bytes in it. Read it and flush it unchanged: the
// same lines come back byte for byte (only the line breaks become CRLF, and a
// byte-order mark stays), so no input is ever lost. Write every entry it holds
// into a new Windows-1251 file and into a new UTF-8 file, read those again:
// every section, key and value comes back as it was read. The input taken as
// UTF-8 text is also written as a section name, a key and a value: either it
// reads back unchanged or the write is refused with a reason (a character
// without a Windows-1251 code, a line break, an empty name), never stored
// changed.

#include "fuzz_check.h"
#include "settings/file_encoding.h"
#include "settings/ini_file.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

const QTemporaryDir& scratch()
{
    static const QTemporaryDir directory;
    return directory;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    fuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file can be written");
    fuzzCheck(file.write(bytes) == bytes.size(), "scratch file is written whole");
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    fuzzCheck(file.open(QIODevice::ReadOnly), "a flushed file can be read");
    return file.readAll();
}

// The file as a flush writes it back: a leading mark kept, each line (up to a
// line feed, one carriage return before it dropped) ended with CRLF.
QByteArray asFlushed(const QByteArray& input)
{
    const bool marked = input.startsWith(kBom);
    QByteArray expected = marked ? kBom : QByteArray();
    qsizetype start = marked ? kBom.size() : 0;
    while (start < input.size()) {
        qsizetype end = input.indexOf('\n', start);
        if (end < 0)
            end = input.size();
        QByteArray line = input.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        expected += line + "\r\n";
        start = end + 1;
    }
    return expected;
}

bool encodable(const QString& text)
{
    QStringEncoder encoder("windows-1251");
    const QByteArray bytes = encoder.encode(text); // the encoding runs only when converted
    return !encoder.hasError();
}

bool storable(const QString& section, const QString& key, const QString& value, bool windows1251)
{
    const QString name = section.trimmed();
    const QString keyName = key.trimmed();
    const auto lineBreak = [](const QString& text) { return text.contains(u'\r') || text.contains(u'\n'); };
    return !name.isEmpty() && !name.contains(u']') && !keyName.isEmpty() && !keyName.contains(u'=')
        && !keyName.startsWith(u'[') && !keyName.startsWith(u';') && !lineBreak(section) && !lineBreak(key)
        && !lineBreak(value) && (!windows1251 || encodable(section + key + value));
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
    const bool windows1251 = file.encoding() == settings::FileEncoding::Windows1251;
    fuzzCheck(!storable(entry.section, entry.key, entry.value, windows1251), "only what cannot be stored is refused");
}

// Copies every entry of `source` and the three entries made of `text` into a
// new file (a UTF-8 one when `seed` is the mark), flushes and reads it again.
void copyAndReread(const settings::IniFile& source, const QString& text, const QString& path, const QByteArray& seed)
{
    QFile::remove(path);
    if (!seed.isEmpty())
        writeFile(path, seed);
    settings::IniFile copy(path);
    fuzzCheck(copy.isLoaded(), "the copy loads");
    fuzzCheck((copy.encoding() == settings::FileEncoding::Utf8WithBom) == !seed.isEmpty(), "the mark makes UTF-8");
    std::vector<Entry> stored;
    for (const QString& section : source.sectionNames()) {
        for (const QString& key : source.keyNames(section)) {
            fuzzCheck(source.contains(section, key), "a listed key is found");
            writeEntry(copy, { section, key, source.readString(section, key, QString()) }, stored);
        }
    }
    for (const Entry& entry : { Entry { QStringLiteral("Fuzz"), QStringLiteral("Value"), text },
             Entry { QStringLiteral("Fuzz"), text, QStringLiteral("key") },
             Entry { text, QStringLiteral("Key"), QStringLiteral("section") } }) {
        // A name that is already taken would only rewrite the entry before it.
        if (!copy.contains(entry.section, entry.key))
            writeEntry(copy, entry, stored);
    }
    fuzzCheck(copy.flush(), "the copy is written");

    const settings::IniFile reread(path);
    fuzzCheck(reread.isLoaded(), "the copy loads again");
    // A file without the mark says its encoding only through its bytes. When
    // the Windows-1251 bytes of what was copied happen to form valid UTF-8
    // (UTF-8 text that was once read as Windows-1251 does), the file reads
    // back as UTF-8, as any file of those bytes would; there is nothing to
    // tell the two apart.
    if (copy.encoding() == settings::FileEncoding::Windows1251
        && settings::detectEncoding(readFile(path)) != settings::FileEncoding::Windows1251)
        return;
    fuzzCheck(reread.encoding() == copy.encoding(), "the copy keeps its encoding");
    for (const Entry& entry : stored) {
        fuzzCheck(reread.contains(entry.section, entry.key), "every stored key is found again");
        fuzzCheck(reread.readString(entry.section, entry.key, QString()) == entry.value,
            "every stored value reads back unchanged");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString sourcePath = scratch().filePath(QStringLiteral("source.ini"));
    writeFile(sourcePath, input);

    settings::IniFile source(sourcePath);
    fuzzCheck(source.isLoaded(), "any bytes load");
    fuzzCheck(source.flush(), "an unchanged file is written");
    fuzzCheck(readFile(sourcePath) == asFlushed(input), "an unchanged file keeps every byte of every line");

    const QString text = QString::fromUtf8(input);
    copyAndReread(source, text, scratch().filePath(QStringLiteral("copy.ini")), QByteArray());
    copyAndReread(source, text, scratch().filePath(QStringLiteral("copy-utf8.ini")), kBom);
    return 0;
}
