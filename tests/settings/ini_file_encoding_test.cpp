// Which encoding a settings file is read in and written back in. The bytes
// are spelled out: "Модуль", "ключ", "да" and "нет" in UTF-8 and in
// Windows-1251.

#include "settings/ini_file.h"
#include "settings/ini_test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using settings::FileEncoding;
using settings::IniFile;

namespace {

#define U8_MODULE "\xD0\x9C\xD0\xBE\xD0\xB4\xD1\x83\xD0\xBB\xD1\x8C"
#define U8_KEY "\xD0\xBA\xD0\xBB\xD1\x8E\xD1\x87"
#define U8_YES "\xD0\xB4\xD0\xB0"
#define U8_NO "\xD0\xBD\xD0\xB5\xD1\x82"
#define CP_MODULE "\xCC\xEE\xE4\xF3\xEB\xFC"
#define CP_KEY "\xEA\xEB\xFE\xF7"
#define CP_YES "\xE4\xE0"
#define CP_NO "\xED\xE5\xF2"
#define BOM "\xEF\xBB\xBF"

struct EncodingCase {
    const char* name;
    QByteArray file;
    FileEncoding encoding;
    const char* valueRead; // of "ключ" in "Модуль", UTF-8; "-" when missing
    QByteArray afterWrite; // the file after "ключ" = "нет" is written into "Модуль"
};

void PrintTo(const EncodingCase& c, std::ostream* out)
{
    *out << c.name;
}

class IniEncodingTest : public ::testing::TestWithParam<EncodingCase> {
protected:
    QTemporaryDir dir;
};

TEST_P(IniEncodingTest, TheFileIsReadAndWrittenBackInItsOwnEncoding)
{
    const EncodingCase& c = GetParam();
    const QString path = dir.filePath("Zentrix.ini");
    writeBytes(path, c.file);
    IniFile file(path);
    ASSERT_TRUE(file.isLoaded());
    EXPECT_EQ(file.encoding(), c.encoding);
    EXPECT_EQ(file.readString(QStringLiteral("модуль"), QStringLiteral("КЛЮЧ"), "-"), QString::fromUtf8(c.valueRead));
    ASSERT_TRUE(file.writeString(QStringLiteral("Модуль"), QStringLiteral("ключ"), QStringLiteral("нет")));
    ASSERT_TRUE(file.flush()) << file.errorText().toStdString();
    EXPECT_EQ(readBytes(path), c.afterWrite);
}

INSTANTIATE_TEST_SUITE_P(Files, IniEncodingTest,
    ::testing::Values(EncodingCase { "Utf8", "[" U8_MODULE "]\n" U8_KEY "=" U8_YES "\n", FileEncoding::Utf8, U8_YES,
                          "[" U8_MODULE "]\r\n" U8_KEY "=" U8_NO "\r\n" },
        EncodingCase { "Utf8WithBom", BOM "[" U8_MODULE "]\r\n" U8_KEY "=" U8_YES "\r\n", FileEncoding::Utf8WithBom,
            U8_YES, BOM "[" U8_MODULE "]\r\n" U8_KEY "=" U8_NO "\r\n" },
        EncodingCase { "Windows1251", "[" CP_MODULE "]\r\n" CP_KEY "=" CP_YES "\r\n", FileEncoding::Windows1251, U8_YES,
            "[" CP_MODULE "]\r\n" CP_KEY "=" CP_NO "\r\n" },
        // ASCII alone is both; a new file's encoding is kept for what is added.
        EncodingCase { "AsciiOnly", "[A]\r\nk=1\r\n", FileEncoding::Windows1251, "-",
            "[A]\r\nk=1\r\n\r\n[" CP_MODULE "]\r\n" CP_KEY "=" CP_NO "\r\n" },
        // A UTF-8 file that an older version appended Windows-1251 sections to
        // is neither: its Windows-1251 part is read, the rest kept as it is.
        EncodingCase { "Mixed",
            "[" U8_MODULE "]\r\n" U8_KEY "=" U8_NO "\r\n[" CP_MODULE "]\r\n" CP_KEY "=" CP_YES "\r\n",
            FileEncoding::Windows1251, U8_YES,
            "[" U8_MODULE "]\r\n" U8_KEY "=" U8_NO "\r\n[" CP_MODULE "]\r\n" CP_KEY "=" CP_NO "\r\n" },
        // The mark decides even when a line further on is not valid UTF-8;
        // that line is kept byte for byte.
        EncodingCase { "BomWithInvalidLine", BOM "; \xFF\xC0\r\n[" U8_MODULE "]\r\n" U8_KEY "=" U8_YES "\r\n",
            FileEncoding::Utf8WithBom, U8_YES, BOM "; \xFF\xC0\r\n[" U8_MODULE "]\r\n" U8_KEY "=" U8_NO "\r\n" },
        // Overlong forms and encoded surrogates are not UTF-8.
        EncodingCase { "OverlongIsNotUtf8", "; \xC0\xAF\r\n[" CP_MODULE "]\r\n" CP_KEY "=" CP_YES "\r\n",
            FileEncoding::Windows1251, U8_YES, "; \xC0\xAF\r\n[" CP_MODULE "]\r\n" CP_KEY "=" CP_NO "\r\n" },
        EncodingCase { "SurrogateIsNotUtf8", "; \xED\xA0\x80\r\n[" CP_MODULE "]\r\n" CP_KEY "=" CP_YES "\r\n",
            FileEncoding::Windows1251, U8_YES, "; \xED\xA0\x80\r\n[" CP_MODULE "]\r\n" CP_KEY "=" CP_NO "\r\n" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniEncoding, AUtf8FileTakesCharactersWindows1251HasNoCodeFor)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Zentrix.ini");
    writeBytes(path, BOM "[" U8_MODULE "]\r\n");
    IniFile file(path);
    ASSERT_TRUE(file.writeString(QStringLiteral("Модуль"), QStringLiteral("ключ ✓"), QStringLiteral("中")));
    ASSERT_TRUE(file.flush());
    EXPECT_EQ(readBytes(path), BOM "[" U8_MODULE "]\r\n" U8_KEY " \xE2\x9C\x93=\xE4\xB8\xAD\r\n");
}

} // namespace
