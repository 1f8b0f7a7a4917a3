#pragma once
// The encodings a settings file can be in, and how a file's bytes tell which.
//
// The program writes Windows-1251; editors on Linux write UTF-8, often with a
// byte-order mark. A file with the mark is UTF-8. A file without it is UTF-8
// when all of it is valid UTF-8 and it holds at least one non-ASCII byte:
// Russian text in Windows-1251 is practically never valid UTF-8 (a lower-case
// letter, 0xE0 to 0xFF, would have to be followed by two bytes of 0x80 to
// 0xBF). Anything else, ASCII alone included, is Windows-1251.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace settings {

enum class FileEncoding { Windows1251, Utf8, Utf8WithBom };

extern const char kUtf8Bom[3];

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(QByteArrayView bytes);
FileEncoding detectEncoding(QByteArrayView bytes);

// Converts one line at a time; each call stands alone, so a broken sequence at
// the end of one line never spoils the next. A byte without a character
// becomes U+FFFD. Encoding fails on a character the encoding has no code for.
class LineCodec {
public:
    explicit LineCodec(FileEncoding encoding);
    // False when Windows-1251 is not available on this system.
    bool isValid() const;
    QString decode(QByteArrayView bytes);
    bool encode(const QString& text, QByteArray* bytes) const;

private:
    bool utf8_;
    QStringDecoder decoder_;
};

} // namespace settings
