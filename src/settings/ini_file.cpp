#include "settings/ini_file.h"

#include "settings/decimal_number.h"
#include "settings/file_replace.h"
#include "settings/ini_value_text.h"

#include <QSet>
#include <algorithm>

namespace settings {

namespace {

enum class LineKind { Other, Section, Entry };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QString name; // section or key, trimmed
    QString value; // entry value, trimmed
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

// What parseLine makes of the decoded line, decoding no more than the name:
// indexing a long file needs no values. "=" is one byte in both encodings and
// never part of another character.
ParsedLine parseName(LineCodec& codec, QByteArrayView bytes)
{
    const qsizetype equals = bytes.indexOf('=');
    const QString head = codec.decode(equals < 0 ? bytes : bytes.first(equals));
    const QString name = head.trimmed();
    if (name.startsWith(u'['))
        return parseLine(equals < 0 ? head : codec.decode(bytes));
    ParsedLine parsed;
    if (equals >= 0 && !name.isEmpty() && !name.startsWith(u';')) {
        parsed.kind = LineKind::Entry;
        parsed.name = name;
    }
    return parsed;
}

// Names are compared without regard to letter case: by their case-folded form.
QString folded(const QString& name)
{
    return name.trimmed().toCaseFolded();
}

bool hasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

bool isQuoted(const QString& value)
{
    return value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front();
}

QString withoutQuotes(const QString& value)
{
    return isQuoted(value) ? value.mid(1, value.size() - 2) : value;
}

// Reading drops the blanks around a value and one pair of quotes; a value that
// would lose either is stored in quotes, so it reads back as written.
QString storedValue(const QString& value)
{
    if (value != value.trimmed() || isQuoted(value))
        return u'"' + value + u'"';
    return value;
}

QString describeLoadFailure(const FileReadResult& result)
{
    switch (result.status) {
    case FileReadStatus::IsDirectory:
        return QStringLiteral("A folder stands where the file should be");
    case FileReadStatus::NotRegularFile:
        return QStringLiteral("Not a regular file (a pipe, a socket or a device)");
    case FileReadStatus::TooLarge:
        return QStringLiteral("Larger than a settings file can be");
    case FileReadStatus::NoPermission:
        return QStringLiteral("No permission to read: ") + result.systemError;
    default:
        return QStringLiteral("Cannot be read: ") + result.systemError;
    }
}

} // namespace

IniFile::IniFile(QString path)
    : path_(std::move(path))
{
    load();
}

bool IniFile::load()
{
    data_.clear();
    lines_.clear();
    rewritten_.clear();
    sections_.clear();
    sectionIndex_.clear();
    encoding_ = FileEncoding::Windows1251;
    loadFailed_ = false;
    loadStatus_ = FileReadStatus::Missing;
    loadSystemError_.clear();

    if (!LineCodec(FileEncoding::Windows1251).isValid()) {
        loadFailed_ = true;
        loadStatus_ = FileReadStatus::ReadError;
        return fail(QStringLiteral("The Windows-1251 code page is not available"));
    }
    FileReadResult result = readRegularFile(path_, kMaxFileSize);
    loadStatus_ = result.status;
    loadSystemError_ = result.systemError;
    if (result.status == FileReadStatus::Missing) {
        index();
        return true;
    }
    if (result.status != FileReadStatus::Read) {
        loadFailed_ = true;
        index();
        return fail(describeLoadFailure(result));
    }

    data_ = std::move(result.bytes);
    encoding_ = detectEncoding(data_);
    qsizetype start = encoding_ == FileEncoding::Utf8WithBom ? 3 : 0;
    while (start < data_.size()) {
        qsizetype end = data_.indexOf('\n', start);
        if (end < 0)
            end = data_.size();
        qsizetype size = end - start;
        if (size > 0 && data_[end - 1] == '\r')
            --size;
        lines_.push_back({ start, size });
        start = end + 1;
    }
    index();
    return true;
}

void IniFile::index()
{
    LineCodec codec(encoding_);
    Section preamble;
    preamble.insertAfter = -1;
    sections_.push_back(std::move(preamble));
    const int count = int(lines_.size());
    for (int i = 0; i < count; ++i) {
        const ParsedLine parsed = parseName(codec, loadedLine(i));
        if (parsed.kind == LineKind::Section) {
            sections_.back().end = i;
            Section section;
            section.name = parsed.name;
            section.begin = i;
            section.insertAfter = i;
            sections_.push_back(std::move(section));
        } else if (parsed.kind == LineKind::Entry && sections_.size() > 1) {
            Section& section = sections_.back();
            section.loadedKeys.emplace_back(qHash(folded(parsed.name)), i);
            section.insertAfter = i;
        }
    }
    sections_.back().end = count;
    // A name that appears again keeps its first section.
    for (int s = int(sections_.size()) - 1; s >= 1; --s)
        sectionIndex_.insert(folded(sections_[s].name), s);
    for (Section& section : sections_)
        std::sort(section.loadedKeys.begin(), section.loadedKeys.end());
}

bool IniFile::flush()
{
    if (loadFailed_)
        return fail(QStringLiteral("The file could not be read, so it is not overwritten: ") + path_);

    QByteArray data;
    data.reserve(data_.size() + 2 * qsizetype(lines_.size()) + 4096);
    if (encoding_ == FileEncoding::Utf8WithBom)
        data.append(kUtf8Bom, 3);
    const auto appendLine = [&data](QByteArrayView line) {
        data.append(line);
        data.append("\r\n", 2);
    };
    for (const Section& section : sections_) {
        if (section.fromFile) {
            for (int i = section.begin; i < section.end; ++i) {
                const auto rewritten = rewritten_.find(i);
                appendLine(rewritten != rewritten_.end() ? QByteArrayView(rewritten->second) : loadedLine(i));
                if (i == section.insertAfter) {
                    for (const QByteArray& line : section.added)
                        appendLine(line);
                }
            }
        } else {
            if (section.blankBefore)
                appendLine(QByteArrayView());
            appendLine(section.header);
            for (const QByteArray& line : section.added)
                appendLine(line);
        }
    }
    QString reason;
    if (!replaceFileContents(path_, data, &reason))
        return fail(reason);
    return true;
}

bool IniFile::contains(const QString& section, const QString& key) const
{
    const Section* found = findSection(section);
    EntryRef ref {};
    return found && findKey(*found, key, &ref);
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (size_t s = 1; s < sections_.size(); ++s) {
        if (findSection(sections_[s].name) == &sections_[s])
            names << sections_[s].name;
    }
    return names;
}

QStringList IniFile::keyNames(const QString& section) const
{
    QStringList names;
    const Section* found = findSection(section);
    if (!found)
        return names;
    LineCodec codec(encoding_);
    QSet<QString> seen;
    std::vector<int> lines;
    for (const auto& key : found->loadedKeys)
        lines.push_back(key.second);
    std::sort(lines.begin(), lines.end());
    for (const int line : lines) {
        const QString name = parseName(codec, lineBytes(*found, { false, line })).name;
        if (!seen.contains(folded(name))) {
            seen.insert(folded(name));
            names << name;
        }
    }
    for (int i = 0; i < int(found->added.size()); ++i)
        names << parseName(codec, found->added[size_t(i)]).name;
    return names;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const Section* found = findSection(section);
    EntryRef ref {};
    if (!found || !findKey(*found, key, &ref))
        return defaultValue;
    return withoutQuotes(parseLine(LineCodec(encoding_).decode(lineBytes(*found, ref))).value);
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    if (!contains(section, key))
        return defaultValue;
    return parseIniInteger(readString(section, key, QString())).value_or(defaultValue);
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double IniFile::readFloat(const QString& section, const QString& key, double defaultValue) const
{
    if (!contains(section, key))
        return defaultValue;
    return parseDecimalNumber(readString(section, key, QString())).value_or(defaultValue);
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

    QByteArray entry;
    if (!encodeLine(keyName + u'=' + storedValue(value), &entry))
        return false;

    const Section* found = findSection(sectionName);
    if (!found) {
        Section added;
        added.name = sectionName;
        added.fromFile = false;
        added.insertAfter = -1;
        if (!encodeLine(u'[' + sectionName + u']', &added.header))
            return false;
        added.blankBefore = needsBlankLineBeforeNewSection();
        added.added.push_back(std::move(entry));
        added.addedKeys.insert(folded(keyName), 0);
        sectionIndex_.insert(folded(sectionName), int(sections_.size()));
        sections_.push_back(std::move(added));
        return true;
    }

    Section& target = sections_[size_t(found - sections_.data())];
    EntryRef ref {};
    if (findKey(target, keyName, &ref)) {
        if (ref.added)
            target.added[size_t(ref.index)] = std::move(entry);
        else
            rewritten_[ref.index] = std::move(entry);
        return true;
    }
    target.addedKeys.insert(folded(keyName), int(target.added.size()));
    target.added.push_back(std::move(entry));
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

const IniFile::Section* IniFile::findSection(const QString& section) const
{
    const auto found = sectionIndex_.constFind(folded(section));
    return found == sectionIndex_.constEnd() ? nullptr : &sections_[size_t(found.value())];
}

bool IniFile::findKey(const Section& section, const QString& key, EntryRef* ref) const
{
    const QString name = folded(key);
    const std::pair<size_t, int> first(qHash(name), -1);
    LineCodec codec(encoding_);
    for (auto it = std::lower_bound(section.loadedKeys.begin(), section.loadedKeys.end(), first);
         it != section.loadedKeys.end() && it->first == first.first; ++it) {
        // Equal hashes of different names are told apart by the names.
        if (folded(parseName(codec, lineBytes(section, { false, it->second })).name) == name) {
            *ref = { false, it->second };
            return true;
        }
    }
    const auto added = section.addedKeys.constFind(name);
    if (added == section.addedKeys.constEnd())
        return false;
    *ref = { true, added.value() };
    return true;
}

QByteArray IniFile::lineBytes(const Section& section, const EntryRef& ref) const
{
    if (ref.added)
        return section.added[size_t(ref.index)];
    const auto rewritten = rewritten_.find(ref.index);
    return rewritten != rewritten_.end() ? rewritten->second : loadedLine(ref.index).toByteArray();
}

QByteArrayView IniFile::loadedLine(int line) const
{
    const Span& span = lines_[size_t(line)];
    return QByteArrayView(data_.constData() + span.begin, span.size);
}

// A new section is set apart from the lines before it by a blank line,
// unless the file is empty or already ends with one.
bool IniFile::needsBlankLineBeforeNewSection() const
{
    for (auto section = sections_.rbegin(); section != sections_.rend(); ++section) {
        if (!section->fromFile || (!section->added.empty() && section->insertAfter == section->end - 1))
            return true; // the last line is an entry written by this object
        if (section->end > section->begin) {
            const QString text = LineCodec(encoding_).decode(lineBytes(*section, { false, section->end - 1 }));
            return !text.trimmed().isEmpty();
        }
    }
    return false;
}

bool IniFile::fail(const QString& text) const
{
    errorText_ = text;
    return false;
}

bool IniFile::encodeLine(const QString& text, QByteArray* bytes) const
{
    if (!LineCodec(encoding_).encode(text, bytes)) {
        return fail(encoding_ == FileEncoding::Windows1251
                ? QStringLiteral("The text has a character without a Windows-1251 code: ") + text
                : QStringLiteral("The text is not valid Unicode: ") + text);
    }
    return true;
}

} // namespace settings
