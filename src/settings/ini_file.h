#pragma once
// The settings file: a Windows INI file in the Windows-1251 code page, read
// and written with the semantics of Windows private-profile files.
//
// The object holds the file's lines in memory. Reads answer from memory,
// writes change memory, and flush() writes the whole file anew and puts it in
// place in one step, so a crash or a full disk leaves the old file whole.
// Section and key names are compared without regard to letter case, blanks
// around names and values do not count, and a missing or unreadable value
// gives the caller's default. Lines that are neither a section nor an entry
// (comments, garbage) are kept byte for byte.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace settings {

class IniFile {
public:
    // Loads the file at once; a missing file counts as an empty one.
    explicit IniFile(QString path);

    // Reads the file again and drops changes not flushed. Returns false when
    // the file exists but cannot be read or the code page is unavailable; the
    // object is then empty and refuses to flush, so a file it could not read
    // is never replaced by a partial one.
    bool load();

    // Writes every line, CRLF-terminated, to a temporary file beside the
    // target and renames it over the target. False on any failure; the old
    // file is then untouched and the changes stay in memory.
    bool flush();

    // False after a load that failed (see load()).
    bool isLoaded() const { return !loadFailed_; }
    const QString& path() const { return path_; }
    // Why the last failed operation failed.
    const QString& errorText() const { return errorText_; }

    bool contains(const QString& section, const QString& key) const;
    // The names reads can reach, in file order: each section once (the first
    // of several with one name), and the keys of that first section, each
    // once. Names are trimmed, as they are compared.
    QStringList sectionNames() const;
    QStringList keyNames(const QString& section) const;

    // A value enclosed in a pair of matching quotes is returned without them.
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal or hexadecimal ("0x", "$"); not a 32-bit number gives the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    // Read as an integer; any value other than 0 is true.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    // "." as the decimal separator, exponent allowed; not a number gives the default.
    double readFloat(const QString& section, const QString& key, double defaultValue) const;

    // A value with blanks at its ends or in a pair of quotes is stored in
    // quotes, so that it reads back as written.
    // An existing key's line is rewritten where it stands (with the key as
    // given here); a new key goes after the last entry of its section, a new
    // section at the end of the file after a blank line. Returns false and changes nothing when a name or the value cannot
    // be stored: a character without a Windows-1251 code, a line break, an
    // empty name, "=" in a key, "]" in a section name. Nothing reaches the
    // disk before flush().
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInteger(const QString& section, const QString& key, int value);
    bool writeBool(const QString& section, const QString& key, bool value);
    // General form with up to 15 significant digits; NaN and infinities are refused.
    bool writeFloat(const QString& section, const QString& key, double value);

private:
    struct Line {
        QByteArray bytes;  // as on disk, without the line break
        QString text;      // decoded
    };
    struct Range {
        int begin;  // first line after the section header
        int end;    // one past the section's last line
    };

    int findSection(const QString& section, Range* range) const;
    int findKey(const Range& range, const QString& key) const;
    const Line* findEntry(const QString& section, const QString& key) const;
    bool fail(const QString& text) const;
    bool makeLine(const QString& text, Line* line) const;

    QString path_;
    std::vector<Line> lines_;
    bool loadFailed_ = false;
    mutable QString errorText_;
};

}  // namespace settings
