#include "settings/file_encoding.h"

#include <QStringEncoder>

namespace settings {

namespace {

// Debian's Qt finds this code page through ICU by name only.
constexpr char kCodePage[] = "windows-1251";

// A mark at the start of a line inside the file is a character of that line.
constexpr QStringConverter::Flags kLineFlags
    = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

const char kUtf8Bom[3] = { '\xEF', '\xBB', '\xBF' };

bool isValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80; // the second byte's range, which excludes
        unsigned char high = 0xBF; // overlong forms, surrogates and > U+10FFFF
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - p < length || p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i < length; ++i) {
            if (!isContinuation(p[i]))
                return false;
        }
        p += length;
    }
    return true;
}

FileEncoding detectEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith(QByteArrayView(kUtf8Bom, 3)))
        return FileEncoding::Utf8WithBom;
    bool nonAscii = false;
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80) {
            nonAscii = true;
            break;
        }
    }
    return nonAscii && isValidUtf8(bytes) ? FileEncoding::Utf8 : FileEncoding::Windows1251;
}

LineCodec::LineCodec(FileEncoding encoding)
    : utf8_(encoding != FileEncoding::Windows1251)
    , decoder_(utf8_ ? QStringDecoder(QStringConverter::Utf8, kLineFlags) : QStringDecoder(kCodePage, kLineFlags))
{
}

bool LineCodec::isValid() const
{
    return decoder_.isValid();
}

QString LineCodec::decode(QByteArrayView bytes)
{
    return decoder_.decode(bytes);
}

bool LineCodec::encode(const QString& text, QByteArray* bytes) const
{
    // A fresh encoder each time: its error flag is sticky.
    QStringEncoder encoder = utf8_ ? QStringEncoder(QStringConverter::Utf8) : QStringEncoder(kCodePage);
    if (!encoder.isValid())
        return false;
    QByteArray encoded = encoder.encode(text);
    if (encoder.hasError())
        return false;
    *bytes = std::move(encoded);
    return true;
}

} // namespace settings
