#include "settings/ini_file.h"
#include "settings/ini_test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <unistd.h>

using settings::IniFile;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString pathOf(const QString& name) const { return dir.filePath(name); }
    QString writeFile(const QByteArray& bytes, const QString& name = QStringLiteral("Zentrix.ini")) const
    {
        const QString path = pathOf(name);
        writeBytes(path, bytes);
        return path;
    }

    QTemporaryDir dir;
};

// One value as it stands in a file and what each typed read makes of it.
struct ValueCase {
    const char* text; // after "key=", nullptr: the key is missing
    int asInteger; // read with the default 77
    bool asBool; // read with the default true
    double asFloat; // read with the default -1.5
};

void PrintTo(const ValueCase& c, std::ostream* out)
{
    *out << (c.text ? c.text : "(missing)");
}

class IniValueTest : public IniFileTest, public ::testing::WithParamInterface<ValueCase> { };

TEST_P(IniValueTest, TypedReadsParseTheValueOrGiveTheDefault)
{
    const ValueCase& c = GetParam();
    QByteArray bytes = "[S]\r\n";
    if (c.text)
        bytes += QByteArray("key=") + c.text + "\r\n";
    IniFile file(writeFile(bytes));
    EXPECT_EQ(file.readInteger("S", "key", 77), c.asInteger);
    EXPECT_EQ(file.readBool("S", "key", true), c.asBool);
    EXPECT_EQ(file.readFloat("S", "key", -1.5), c.asFloat);
}

INSTANTIATE_TEST_SUITE_P(Encodings, IniValueTest,
    ::testing::Values(ValueCase { nullptr, 77, true, -1.5 }, ValueCase { "", 77, true, -1.5 },
        ValueCase { "0", 0, false, 0.0 }, ValueCase { "1", 1, true, 1.0 }, ValueCase { "2", 2, true, 2.0 },
        ValueCase { "-1", -1, true, -1.0 }, ValueCase { "  42  ", 42, true, 42.0 }, ValueCase { "+5", 5, true, 5.0 },
        ValueCase { "0x1F", 31, true, -1.5 }, ValueCase { "0X1f", 31, true, -1.5 },
        ValueCase { "$ff", 255, true, -1.5 }, ValueCase { "-$10", -16, true, -1.5 },
        ValueCase { "0x0", 0, false, -1.5 }, ValueCase { "$", 77, true, -1.5 }, ValueCase { "0x", 77, true, -1.5 },
        ValueCase { "2147483647", 2147483647, true, 2147483647.0 },
        ValueCase { "-2147483648", -2147483647 - 1, true, -2147483648.0 },
        ValueCase { "2147483648", 77, true, 2147483648.0 }, ValueCase { "0xFFFFFFFF", 77, true, -1.5 },
        ValueCase { "99999999999999999999", 77, true, 1e20 }, ValueCase { "12abc", 77, true, -1.5 },
        ValueCase { "0.5", 77, true, 0.5 }, ValueCase { "1000", 1000, true, 1000.0 },
        ValueCase { "1e3", 77, true, 1000.0 }, ValueCase { "-2.5E-2", 77, true, -0.025 },
        ValueCase { "1,5", 77, true, -1.5 }, ValueCase { "1.2.3", 77, true, -1.5 }, ValueCase { "-", 77, true, -1.5 },
        ValueCase { "nan", 77, true, -1.5 }, ValueCase { "1e999", 77, true, -1.5 }, ValueCase { "\"7\"", 7, true, 7.0 },
        ValueCase { "\xCF\xF0\xE8", 77, true, -1.5 }));

TEST_F(IniFileTest, StringsAreReadWithoutSurroundingBlanksOrQuotesAndMissingKeysGiveTheDefault)
{
    IniFile file(writeFile("[S]\r\nplain=  fft  \r\nempty=\r\nquoted=\" two words \"\r\nhalf=\"x\r\n"));
    EXPECT_EQ(file.readString("S", "plain", "d"), "fft");
    EXPECT_EQ(file.readString("S", "empty", "d"), "");
    EXPECT_EQ(file.readString("S", "quoted", "d"), " two words ");
    EXPECT_EQ(file.readString("S", "half", "d"), "\"x");
    EXPECT_EQ(file.readString("S", "missing", "d"), "d");
    EXPECT_EQ(file.readString("Other", "plain", "d"), "d");
    EXPECT_TRUE(file.contains("S", "empty"));
    EXPECT_FALSE(file.contains("S", "missing"));
}

TEST_F(IniFileTest, WrittenValuesTakeTheirTextForms)
{
    IniFile file(pathOf("new.ini"));
    EXPECT_TRUE(file.writeBool("S", "on", true));
    EXPECT_TRUE(file.writeBool("S", "off", false));
    EXPECT_TRUE(file.writeInteger("S", "int", -2147483647 - 1));
    EXPECT_TRUE(file.writeFloat("S", "whole", 1000.0));
    EXPECT_TRUE(file.writeFloat("S", "half", 0.5));
    EXPECT_TRUE(file.writeFloat("S", "sum", 0.1 + 0.2));
    EXPECT_TRUE(file.writeFloat("S", "small", 1e-5));
    EXPECT_TRUE(file.writeFloat("S", "large", 123456789012345678.0));
    EXPECT_TRUE(file.writeFloat("S", "negative", -4.094));
    EXPECT_TRUE(file.writeString("S", "text", " sum "));
    EXPECT_FALSE(file.writeFloat("S", "nan", std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(file.writeFloat("S", "inf", std::numeric_limits<double>::infinity()));
    ASSERT_TRUE(file.flush()) << file.errorText().toStdString();
    EXPECT_EQ(readBytes(file.path()),
        "[S]\r\non=1\r\noff=0\r\nint=-2147483648\r\nwhole=1000\r\nhalf=0.5\r\nsum=0.3\r\nsmall=1e-05\r\n"
        "large=1.23456789012346e+17\r\nnegative=-4.094\r\ntext=\" sum \"\r\n");
    IniFile reread(file.path());
    EXPECT_EQ(reread.readFloat("S", "small", 0.0), 1e-5);
    EXPECT_EQ(reread.readFloat("S", "negative", 0.0), -4.094);
    EXPECT_EQ(reread.readString("S", "text", QString()), " sum ");
}

// Found by fuzzing: a value read from a file came back changed after writing
// it into another file, when reading had dropped quotes or blanks around it.
TEST_F(IniFileTest, EveryValueReadWritesBackAndReadsTheSame)
{
    IniFile source(writeFile("[S]\r\nplain= fft \r\nblanks=\" two words \"\r\nnested=\"'a'\"\r\ndouble=\"\"x\"\"\r\n"
                             "half=\"x\r\nlone='\r\nempty=\r\n[T]\r\nk=1\r\n"));
    ASSERT_EQ(source.sectionNames(), (QStringList { "S", "T" }));
    const QStringList keys = source.keyNames("s");
    ASSERT_EQ(keys, (QStringList { "plain", "blanks", "nested", "double", "half", "lone", "empty" }));
    IniFile copy(pathOf("copy.ini"));
    for (const QString& key : keys)
        ASSERT_TRUE(copy.writeString("S", key, source.readString("S", key, QString())));
    ASSERT_TRUE(copy.flush());
    IniFile reread(copy.path());
    for (const QString& key : keys) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(reread.readString("S", key, "missing"), source.readString("S", key, QString()));
    }
}

TEST_F(IniFileTest, NamesAreListedOnceInFileOrderAsReadsReachThem)
{
    IniFile file(writeFile("[A]\r\nx=1\r\n X =2\r\ny=3\r\n[b]\r\n[ a ]\r\nz=4\r\n; note=5\r\n"));
    EXPECT_EQ(file.sectionNames(), (QStringList { "A", "b" }));
    EXPECT_EQ(file.keyNames("a"), (QStringList { "x", "y" }));
    EXPECT_TRUE(file.keyNames("b").isEmpty());
    EXPECT_TRUE(file.keyNames("missing").isEmpty());
}

TEST_F(IniFileTest, NamesMatchWithoutLetterCaseAndBlanksAndTheFirstOccurrenceCounts)
{
    const QString path = writeFile(cp1251(QStringLiteral(" [ модуль q47-05 ] \nАЦП. ЧАСТОТА работы, кГц  =  250 \n"
                                                         "ацп. частота работы, кгц=1\n[Модуль Q47-05]\nx=1\n")));
    IniFile file(path);
    EXPECT_EQ(file.readFloat("Модуль Q47-05", "АЦП. Частота работы, кГц", 0.0), 250.0);
    EXPECT_EQ(file.readInteger(" МОДУЛЬ Q47-05", " ацп. частота РАБОТЫ, кгц ", 0), 250);
    EXPECT_EQ(file.readInteger("Модуль Q47-05", "x", 0), 0); // only the first section counts

    ASSERT_TRUE(file.writeFloat("МОДУЛЬ Q47-05", "Ацп. частота работы, кгц", 500.0));
    ASSERT_TRUE(file.flush());
    EXPECT_EQ(readBytes(path),
        cp1251(QStringLiteral(" [ модуль q47-05 ] \r\nАцп. частота работы, кгц=500\r\nацп. частота работы, кгц=1\r\n"
                              "[Модуль Q47-05]\r\nx=1\r\n")));
}

TEST_F(IniFileTest, KeysAreRewrittenInPlaceAndNewOnesAppendedInTheOrderFirstWritten)
{
    const QString path = writeFile("; settings\n[A]\na=1\n; end of A\n\n[B]\nb=2\n");
    IniFile file(path);
    ASSERT_TRUE(file.writeInteger("A", "a", 10));
    ASSERT_TRUE(file.writeInteger("A", "new1", 11));
    ASSERT_TRUE(file.writeInteger("C", "c1", 30));
    ASSERT_TRUE(file.writeInteger("A", "new2", 12));
    ASSERT_TRUE(file.writeInteger("C", "c2", 31));
    ASSERT_TRUE(file.writeInteger("D", "d", 40));
    ASSERT_TRUE(file.writeInteger("B", "b", 20));
    ASSERT_TRUE(file.flush());
    EXPECT_EQ(readBytes(path),
        "; settings\r\n[A]\r\na=10\r\nnew1=11\r\nnew2=12\r\n; end of A\r\n\r\n[B]\r\nb=20\r\n\r\n"
        "[C]\r\nc1=30\r\nc2=31\r\n\r\n[D]\r\nd=40\r\n");
}

TEST_F(IniFileTest, LfAndCrlfLinesAreBothReadAndTheFileIsWrittenWithCrlf)
{
    const QString path = writeFile("[S]\na=1\r\nb=2\nc=3");
    IniFile file(path);
    EXPECT_EQ(file.readInteger("S", "a", 0), 1);
    EXPECT_EQ(file.readInteger("S", "b", 0), 2);
    EXPECT_EQ(file.readInteger("S", "c", 0), 3);
    ASSERT_TRUE(file.flush());
    EXPECT_EQ(readBytes(path), "[S]\r\na=1\r\nb=2\r\nc=3\r\n");
}

TEST_F(IniFileTest, AMissingFileIsEmptyAndFlushCreatesIt)
{
    IniFile file(pathOf("absent.ini"));
    EXPECT_TRUE(file.isLoaded());
    EXPECT_EQ(file.readInteger("S", "k", 5), 5);
    EXPECT_FALSE(QFile::exists(file.path()));
    ASSERT_TRUE(file.writeString("S", "k", "v"));
    ASSERT_TRUE(file.flush());
    EXPECT_EQ(readBytes(file.path()), "[S]\r\nk=v\r\n");
}

TEST_F(IniFileTest, CyrillicIsStoredAsWindows1251AndEveryCharacterOfTheCodePageRoundTrips)
{
    IniFile file(pathOf("cp.ini"));
    QString all;
    for (char16_t c = u'А'; c <= u'я'; ++c)
        all += QChar(c);
    all += QStringLiteral("ЁёЂ€№«»—");
    ASSERT_TRUE(file.writeString("Приложение. Общие", all, all));
    ASSERT_TRUE(file.flush());
    const QByteArray bytes = readBytes(file.path());
    EXPECT_TRUE(bytes.startsWith("[\xCF\xF0\xE8\xEB\xEE\xE6\xE5\xED\xE8\xE5\x2E\x20\xCE\xE1\xF9\xE8\xE5]\r\n"));
    EXPECT_EQ(bytes.size(), 2 + 17 + 2 + 2 * all.size() + 1 + 2); // one byte per character

    IniFile reread(file.path());
    EXPECT_EQ(reread.readString("ПРИЛОЖЕНИЕ. ОБЩИЕ", all.toLower(), QString()), all);
}

TEST_F(IniFileTest, TextWithoutAWindows1251CodeOrALineBreakIsRefusedAndChangesNothing)
{
    const QString path = writeFile("[S]\r\nk=old\r\n");
    IniFile file(path);
    struct Refused {
        QString section, key, value;
    };
    const Refused cases[] = {
        { "S", "k", QStringLiteral("中") },
        { "S", QStringLiteral("ключ ✓"), "1" },
        { QStringLiteral("Раздел ☺"), "k", "1" },
        { "S", "k", "two\nlines" },
        { "S", "k", "cr\rvalue" },
        { "S", "a=b", "1" },
        { "S", "[T]", "1" },
        { "S", "  ", "1" },
        { "S]", "k", "1" },
        { "", "k", "1" },
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.key.toStdString() + " / " + c.value.toStdString());
        EXPECT_FALSE(file.writeString(c.section, c.key, c.value));
        EXPECT_FALSE(file.errorText().isEmpty());
        file.writeString("S", "probe", "x"); // resets nothing but proves the object still works
    }
    EXPECT_EQ(file.readString("S", "k", QString()), "old");
    ASSERT_TRUE(file.flush());
    EXPECT_EQ(readBytes(path), "[S]\r\nk=old\r\nprobe=x\r\n");
}

TEST_F(IniFileTest, GarbageNeverCrashesKeepsItsBytesAndUnreadableValuesTakeDefaults)
{
    std::mt19937 random(4705);
    const char tokens[] = "[]=;\r\n \t$x0-.e\x98\xFF\x00\xC0\xE0";
    for (int round = 0; round < 20; ++round) {
        QByteArray garbage;
        const int length = int(random() % 4000);
        for (int i = 0; i < length; ++i)
            garbage += random() % 2 ? char(random() % 256) : tokens[random() % (sizeof tokens - 1)];
        garbage += "\r\n[S]\r\nnumber=\x98\xFF\x01z\r\nfloat=1.\xC0\r\n";
        const QString path = writeFile(garbage);

        IniFile file(path);
        EXPECT_EQ(file.readInteger("S", "number", 5), 5);
        EXPECT_EQ(file.readFloat("S", "float", 0.25), 0.25);
        for (int i = 0; i < 50; ++i) {
            const QString name = QString::number(random() % 10);
            file.readString(name, name, QString());
            file.readFloat(name, "x", 0);
        }
        ASSERT_TRUE(file.writeInteger("Added", "k", round));
        ASSERT_TRUE(file.flush()) << file.errorText().toStdString();

        // Every original line is still there, byte for byte, ahead of the new section.
        QByteArray expected = garbage;
        expected.replace("\r\n", "\n");
        QByteArray written = readBytes(path);
        written.replace("\r\n", "\n");
        EXPECT_TRUE(written.startsWith(expected)) << "round " << round;
        EXPECT_EQ(IniFile(path).readInteger("Added", "k", -1), round);
    }
}

// Makes flush fail while the old file stays in place.
struct BlockedFlush {
    const char* name;
    bool (*block)(const QString& directory, QString* path);
};

bool readOnlyDirectory(const QString& directory, QString* path)
{
    *path = directory + "/Zentrix.ini";
    writeBytes(*path, "[S]\r\nk=old\r\n");
    QFile::setPermissions(directory, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    return access(directory.toLocal8Bit().constData(), W_OK) != 0; // root writes anyway
}

bool nameTooLongForATemporaryFile(const QString& directory, QString* path)
{
    // The file itself fits the 255-byte name limit; the temporary file beside it does not.
    *path = directory + "/" + QString(250, u'z') + ".ini";
    writeBytes(*path, "[S]\r\nk=old\r\n");
    return QFile::exists(*path);
}

void PrintTo(const BlockedFlush& b, std::ostream* out)
{
    *out << b.name;
}

class BlockedFlushTest : public IniFileTest, public ::testing::WithParamInterface<BlockedFlush> { };

TEST_P(BlockedFlushTest, AFailedFlushReportsFailureAndLeavesTheOldFileWhole)
{
    QString path;
    const QString sub = pathOf("sub");
    ASSERT_TRUE(QDir().mkpath(sub));
    const bool blocked = GetParam().block(sub, &path);
    if (!blocked) {
        QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "this user can write into a read-only directory";
    }
    IniFile file(path);
    ASSERT_EQ(file.readString("S", "k", QString()), "old");
    ASSERT_TRUE(file.writeString("S", "k", "new"));
    EXPECT_FALSE(file.flush());
    EXPECT_FALSE(file.errorText().isEmpty());
    EXPECT_EQ(file.readString("S", "k", QString()), "new"); // kept in memory for another try
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(readBytes(path), "[S]\r\nk=old\r\n");
    EXPECT_EQ(QDir(sub).entryList(QDir::Files).size(), 1); // no temporary file left behind
}

INSTANTIATE_TEST_SUITE_P(Blocks, BlockedFlushTest,
    ::testing::Values(BlockedFlush { "ReadOnlyDirectory", readOnlyDirectory },
        BlockedFlush { "NameTooLong", nameTooLongForATemporaryFile }),
    [](const auto& info) { return std::string(info.param.name); });

// An installed program reaches its settings through a link beside it.
TEST_F(IniFileTest, ASaveThroughLinksReplacesTheFileTheyNameAndKeepsTheLinks)
{
    const QString file = writeFile("[S]\r\nk=old\r\n", "real.ini");
    const QString inner = pathOf("inner.ini");
    const QString outer = pathOf("Zentrix.ini");
    ASSERT_TRUE(QFile::link(file, inner));
    ASSERT_TRUE(QFile::link(inner, outer));
    IniFile settings(outer);
    ASSERT_TRUE(settings.writeString("S", "k", "new"));
    ASSERT_TRUE(settings.flush()) << settings.errorText().toStdString();
    EXPECT_EQ(readBytes(file), "[S]\r\nk=new\r\n");
    EXPECT_TRUE(QFileInfo(outer).isSymLink());
    EXPECT_TRUE(QFileInfo(inner).isSymLink());
}

TEST_F(IniFileTest, AFileThatCannotBeReadIsNeverOverwritten)
{
    const QString path = pathOf("is-a-directory.ini");
    ASSERT_TRUE(QDir().mkpath(path));
    IniFile file(path);
    EXPECT_FALSE(file.isLoaded());
    EXPECT_FALSE(file.load());
    EXPECT_FALSE(file.errorText().isEmpty());
    EXPECT_EQ(file.readInteger("S", "k", 3), 3);
    EXPECT_TRUE(file.writeInteger("S", "k", 1));
    EXPECT_FALSE(file.flush());
    EXPECT_TRUE(QFileInfo(path).isDir());
}

} // namespace
