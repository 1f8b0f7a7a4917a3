#include "settings/ini_file.h"

#include "settings/decimal_number.h"
#include "settings/ini_value_text.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace settings {

namespace {

// Debian's Qt finds this code page through ICU by name only.
constexpr char kCodePage[] = "windows-1251";

enum class LineKind { Other, Section, Entry };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QString name;   // section or key, trimmed
    QString value;  // entry value, trimmed
};

ParsedLine parseLine(const QString& text)
{
    ParsedLine parsed;
    const QString line = text.trimmed();
    if (line.startsWith(u'[')) {
        const qsizetype close = line.indexOf(u']');
        if (close > 0) {
            parsed.kind = LineKind::Section;
            parsed.name = line.mid(1, close - 1).trimmed();
        }
        return parsed;
    }
    if (line.startsWith(u';'))
        return parsed;
    const qsizetype equals = line.indexOf(u'=');
    if (equals > 0) {
        parsed.name = line.left(equals).trimmed();
        parsed.value = line.mid(equals + 1).trimmed();
        if (!parsed.name.isEmpty())
            parsed.kind = LineKind::Entry;
    }
    return parsed;
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool hasLineBreak(const QString& text) { return text.contains(u'\r') || text.contains(u'\n'); }

bool isQuoted(const QString& value)
{
    return value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front();
}

QString withoutQuotes(const QString& value) { return isQuoted(value) ? value.mid(1, value.size() - 2) : value; }

// Reading drops the blanks around a value and one pair of quotes; a value that
// would lose either is stored in quotes, so it reads back as written.
QString storedValue(const QString& value)
{
    if (value != value.trimmed() || isQuoted(value))
        return u'"' + value + u'"';
    return value;
}

}  // namespace

IniFile::IniFile(QString path)
    : path_(std::move(path))
{
    load();
}

bool IniFile::load()
{
    lines_.clear();
    loadFailed_ = false;
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid()) {
        loadFailed_ = true;
        return fail(QStringLiteral("The Windows-1251 code page is not available"));
    }
    QFile file(path_);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        loadFailed_ = true;
        return fail(file.errorString());
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        loadFailed_ = true;
        return fail(file.errorString());
    }

    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        QByteArray bytes = data.mid(start, end - start);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        QString text = decoder.decode(bytes);
        lines_.push_back({ std::move(bytes), std::move(text) });
        start = end + 1;
    }
    return true;
}

bool IniFile::flush()
{
    if (loadFailed_)
        return fail(QStringLiteral("The file could not be read, so it is not overwritten: ") + path_);
    QByteArray data;
    for (const Line& line : lines_)
        data += line.bytes + "\r\n";

    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(data) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool IniFile::contains(const QString& section, const QString& key) const { return findEntry(section, key) != nullptr; }

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (const Line& line : lines_) {
        const ParsedLine parsed = parseLine(line.text);
        if (parsed.kind == LineKind::Section && !names.contains(parsed.name, Qt::CaseInsensitive))
            names << parsed.name;
    }
    return names;
}

QStringList IniFile::keyNames(const QString& section) const
{
    QStringList names;
    Range range {};
    if (findSection(section, &range) < 0)
        return names;
    for (int i = range.begin; i < range.end; ++i) {
        const ParsedLine parsed = parseLine(lines_[i].text);
        if (parsed.kind == LineKind::Entry && !names.contains(parsed.name, Qt::CaseInsensitive))
            names << parsed.name;
    }
    return names;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const Line* line = findEntry(section, key);
    return line ? withoutQuotes(parseLine(line->text).value) : defaultValue;
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    const Line* line = findEntry(section, key);
    if (!line)
        return defaultValue;
    return parseIniInteger(withoutQuotes(parseLine(line->text).value)).value_or(defaultValue);
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double IniFile::readFloat(const QString& section, const QString& key, double defaultValue) const
{
    const Line* line = findEntry(section, key);
    if (!line)
        return defaultValue;
    return parseDecimalNumber(withoutQuotes(parseLine(line->text).value)).value_or(defaultValue);
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (sectionName.isEmpty() || sectionName.contains(u']') || hasLineBreak(sectionName))
        return fail(QStringLiteral("Not a valid section name: ") + section);
    if (keyName.isEmpty() || keyName.contains(u'=') || keyName.startsWith(u'[') || keyName.startsWith(u';')
        || hasLineBreak(keyName))
        return fail(QStringLiteral("Not a valid key name: ") + key);
    if (hasLineBreak(value))
        return fail(QStringLiteral("A value cannot hold a line break: ") + keyName);

    Line entry;
    if (!makeLine(keyName + u'=' + storedValue(value), &entry))
        return false;

    Range range {};
    if (findSection(sectionName, &range) < 0) {
        Line header;
        if (!makeLine(u'[' + sectionName + u']', &header))
            return false;
        if (!lines_.empty() && !lines_.back().text.trimmed().isEmpty())
            lines_.push_back({});
        lines_.push_back(std::move(header));
        lines_.push_back(std::move(entry));
        return true;
    }

    const int existing = findKey(range, keyName);
    if (existing >= 0) {
        lines_[existing] = std::move(entry);
        return true;
    }
    int insertAt = range.begin;
    for (int i = range.begin; i < range.end; ++i) {
        if (parseLine(lines_[i].text).kind == LineKind::Entry)
            insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + insertAt, std::move(entry));
    return true;
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::writeFloat(const QString& section, const QString& key, double value)
{
    const std::optional<QString> text = formatIniFloat(value);
    if (!text)
        return fail(QStringLiteral("Not a finite number for key: ") + key);
    return writeString(section, key, *text);
}

int IniFile::findSection(const QString& section, Range* range) const
{
    const QString name = section.trimmed();
    const int count = int(lines_.size());
    for (int i = 0; i < count; ++i) {
        const ParsedLine parsed = parseLine(lines_[i].text);
        if (parsed.kind != LineKind::Section || !sameName(parsed.name, name))
            continue;
        int end = i + 1;
        while (end < count && parseLine(lines_[end].text).kind != LineKind::Section)
            ++end;
        *range = { i + 1, end };
        return i;
    }
    return -1;
}

int IniFile::findKey(const Range& range, const QString& key) const
{
    const QString name = key.trimmed();
    for (int i = range.begin; i < range.end; ++i) {
        const ParsedLine parsed = parseLine(lines_[i].text);
        if (parsed.kind == LineKind::Entry && sameName(parsed.name, name))
            return i;
    }
    return -1;
}

const IniFile::Line* IniFile::findEntry(const QString& section, const QString& key) const
{
    Range range {};
    if (findSection(section, &range) < 0)
        return nullptr;
    const int index = findKey(range, key);
    return index >= 0 ? &lines_[index] : nullptr;
}

bool IniFile::fail(const QString& text) const
{
    errorText_ = text;
    return false;
}

bool IniFile::makeLine(const QString& text, Line* line) const
{
    // A fresh encoder each time: its error flag is sticky.
    QStringEncoder encoder(kCodePage);
    if (!encoder.isValid())
        return fail(QStringLiteral("The Windows-1251 code page is not available"));
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return fail(QStringLiteral("The text has a character without a Windows-1251 code: ") + text);
    *line = { std::move(bytes), text };
    return true;
}

}  // namespace settings
