#pragma once
// The settings file: a Windows INI file, read and written with the semantics
// of Windows private-profile files. New files are Windows-1251; a file read
// as UTF-8 (see file_encoding.h) is written back as UTF-8, its byte-order
// mark kept, so one file never holds two encodings.
//
// The object holds the file's bytes in memory with an index of its sections
// and keys, so a read or a write costs the same however long the file is.
// Reads answer from memory, writes change memory, and flush() writes the
// whole file anew and puts it in place in one step, so a crash or a full
// disk leaves the old file whole. Section and key names are compared without
// regard to letter case, blanks around names and values do not count, and a
// missing or unreadable value gives the caller's default. Lines that are
// neither a section nor an entry (comments, garbage) are kept byte for byte.

#include "settings/file_encoding.h"
#include "settings/regular_file.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <unordered_map>
#include <utility>
#include <vector>

namespace settings {

class IniFile {
public:
    // Larger files are not settings files; they are refused, not read.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

    // Loads the file at once; a missing file counts as an empty one.
    explicit IniFile(QString path);

    // Reads the file again and drops changes not flushed. Returns false when
    // something stands at the path that cannot be read (see loadStatus()) or
    // the code page is unavailable; the object is then empty and refuses to
    // flush, so a file it could not read is never replaced.
    bool load();

    // Writes every line, CRLF-terminated, to a temporary file beside the
    // target and renames it over the target. False on any failure; the old
    // file is then untouched and the changes stay in memory.
    bool flush();

    // False after a load that failed (see load()).
    bool isLoaded() const { return !loadFailed_; }
    // How the last load went: Read or Missing after a load that succeeded.
    FileReadStatus loadStatus() const { return loadStatus_; }
    // The operating system's reason for a load that failed, when it gave one.
    const QString& loadSystemError() const { return loadSystemError_; }
    FileEncoding encoding() const { return encoding_; }
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
    // section at the end of the file after a blank line. Returns false and
    // changes nothing when a name or the value cannot be stored: a character
    // the file's encoding has no code for, a line break, an empty name, "="
    // in a key, "]" in a section name. Nothing reaches the disk before flush().
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInteger(const QString& section, const QString& key, int value);
    bool writeBool(const QString& section, const QString& key, bool value);
    // General form with up to 15 significant digits; NaN and infinities are refused.
    bool writeFloat(const QString& section, const QString& key, double value);

private:
    // A line of the file as loaded: where its bytes stand in data_, without
    // the line break.
    struct Span {
        qsizetype begin;
        qsizetype size;
    };
    // Where an entry's line is: a loaded line, or one added by a write.
    struct EntryRef {
        bool added;
        int index; // into lines_, or into the section's added lines
    };
    struct Section {
        QString name; // trimmed, as written
        int begin = 0; // first loaded line (the header, if it has one)
        int end = 0; // one past its last loaded line
        int insertAfter = -1; // loaded line after which added entries go; -1: none
        bool fromFile = true;
        QByteArray header; // the header line of a section made by a write
        bool blankBefore = false; // a section made by a write: a blank line first
        std::vector<QByteArray> added;
        // Entries of the loaded lines: hash of the folded name and line index,
        // sorted, so the first of equal names comes first.
        std::vector<std::pair<size_t, int>> loadedKeys;
        QHash<QString, int> addedKeys; // folded name -> index into `added`
    };

    void index();
    const Section* findSection(const QString& section) const;
    bool findKey(const Section& section, const QString& key, EntryRef* ref) const;
    QByteArray lineBytes(const Section& section, const EntryRef& ref) const;
    QByteArrayView loadedLine(int line) const;
    bool needsBlankLineBeforeNewSection() const;
    bool fail(const QString& text) const;
    bool encodeLine(const QString& text, QByteArray* bytes) const;

    QString path_;
    FileEncoding encoding_ = FileEncoding::Windows1251;
    QByteArray data_;
    std::vector<Span> lines_;
    std::unordered_map<int, QByteArray> rewritten_; // loaded line -> its new bytes
    std::vector<Section> sections_; // in file order; the lines before the first header first
    QHash<QString, int> sectionIndex_; // folded name -> first section of that name
    bool loadFailed_ = false;
    FileReadStatus loadStatus_ = FileReadStatus::Missing;
    QString loadSystemError_;
    mutable QString errorText_;
};

} // namespace settings
