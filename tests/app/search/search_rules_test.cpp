// The module search's decisions without a window or a module.

#include "threads/module_search_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace module_search;

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(SearchRules, FieldTextStopsAtTheFirstZeroOrAtTheEndOfTheField)
{
    const char full[16] = { '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 'A', 'B', 'C', 'D', 'E', 'F' };
    EXPECT_EQ(fieldText(full, sizeof full), QStringLiteral("1234567890ABCDEF"));
    const char shortSerial[16] = { 'A', '1', 0, 'x', 'y' };
    EXPECT_EQ(fieldText(shortSerial, sizeof shortSerial), QStringLiteral("A1"));
    // Bytes above 127 are Windows-1251 letters; an unassigned one still gives a character.
    const char garbage[4] = { '\xC0', '\x98', '\xFF', '\x01' };
    const QString text = fieldText(garbage, sizeof garbage);
    EXPECT_EQ(text.size(), 4);
    EXPECT_EQ(text[0], QChar(0x0410));
    EXPECT_EQ(text[2], QChar(0x044F));
}

TEST(SearchRules, OnlyVersionThreeFourIsAccepted)
{
    EXPECT_TRUE(isRequiredLibraryVersion(0x00030004));
    EXPECT_FALSE(isRequiredLibraryVersion(0x00030005));
    EXPECT_FALSE(isRequiredLibraryVersion(0x00040004));
    EXPECT_EQ(wrongLibraryVersionMessage(0x00030005),
        u("Неправильная версия библиотеки Modlink.dll!\nТекущая: 3.5 Требуется: 3.4"));
    EXPECT_EQ(wrongLibraryVersionMessage(0x000A0102),
        u("Неправильная версия библиотеки Modlink.dll!\nТекущая: 10.258 Требуется: 3.4"));
    EXPECT_EQ(libraryNotLoadedMessage(QStringLiteral("no file")),
        u("Не могу загрузить библиотеку Modlink.dll!\nТребуется: 3.4\nno file"));
}

TEST(SearchRules, SlotAndListTexts)
{
    // "cлот" begins with a Latin c.
    EXPECT_EQ(openSlotFailedMessage(1), u("Не могу открыть c") + u("лот 1 для доступа к модулю Q47-05!"));
    EXPECT_EQ(moduleListItem(0, QStringLiteral("A1")), QStringLiteral("1: A1"));
}

struct FirmwareCase {
    uint16_t pldSource;
    char revision;
    uint8_t options;
    bool loadable;
    const char* fileName;
    const char* failure;
};

TEST(SearchRules, FirmwareByRevisionAndHardwareGrade)
{
    const FirmwareCase cases[] = {
        { 1, 'X', 0xFF, true, nullptr, "Не могу выполнить функцию LOAD_MODULE()!" },
        { 0, 'A', 0x0C, true, "q4705.pld", "Не могу выполнить функцию LOAD_MODULE('q4705.pld')!" },
        { 0, 'B', 0x30, true, "Q4705m.pld", "Не могу выполнить функцию LOAD_MODULE('Q4705m.pld')!" },
        { 0, 'B', 0x04, true, "Q4705mi.pld", "Не могу выполнить функцию LOAD_MODULE('Q4705mi.pld')!" },
        { 0, 'B', 0x08, false, nullptr, "Что-то не то с исполнением модуля!" },
        { 0, 'B', 0x0C, false, nullptr, "Что-то не то с исполнением модуля!" },
        { 0, 'b', 0x04, false, nullptr, "Что-то не то с ревизией модуля!" },
        { 0, '\0', 0x00, false, nullptr, "Что-то не то с ревизией модуля!" },
    };
    for (const FirmwareCase& c : cases) {
        const FirmwareChoice choice = chooseFirmware(c.pldSource, c.revision, c.options);
        EXPECT_EQ(choice.loadable, c.loadable) << c.failure;
        EXPECT_STREQ(choice.fileName, c.fileName) << c.failure;
        EXPECT_EQ(choice.failure, u(c.failure));
    }
}

struct GradeCase {
    uint8_t options;
    const char* moduleLetter;
    const char* moduleRange;
    QRgb moduleBackground;
    const char* pldLetter;
    const char* pldRange;
    QRgb pldBackground;
};

TEST(SearchRules, GradeLettersColoursAndRanges)
{
    const QRgb green = qRgb(0, 128, 0);
    const QRgb maroon = qRgb(128, 0, 0);
    const GradeCase cases[] = {
        { 20, "I", ": от -40°C до 85°C", green, "I", ": от -40°C до 85°C", green },
        { 0x00, "C", ": от 0°C до 70°C", green, "C", ": от 0°C до 70°C", green },
        { 4, "I", ": от -40°C до 85°C", maroon, "C", ": от 0°C до 70°C", maroon },
        { 0x08, "?", "", maroon, "C", ": от 0°C до 70°C", maroon },
        { 0x28, "?", "", maroon, "?", "", maroon },
        { 0x3C, "?", "", maroon, "?", "", maroon },
    };
    for (const GradeCase& c : cases) {
        const GradeLooks looks = gradeLooks(c.options);
        SCOPED_TRACE(c.options);
        EXPECT_EQ(looks.module.letter, u(c.moduleLetter));
        EXPECT_EQ(looks.module.rangeText, u(c.moduleRange));
        EXPECT_EQ(looks.module.text.rgb(), qRgb(255, 255, 255));
        EXPECT_EQ(looks.module.background.rgb(), c.moduleBackground);
        EXPECT_EQ(looks.pld.letter, u(c.pldLetter));
        EXPECT_EQ(looks.pld.rangeText, u(c.pldRange));
        EXPECT_EQ(looks.pld.text.rgb(), qRgb(255, 255, 255));
        EXPECT_EQ(looks.pld.background.rgb(), c.pldBackground);
    }
}

TEST(SearchRules, FilterTextOfTheLowTwoBits)
{
    EXPECT_EQ(filterText(0x14), u("1.25 МГц"));
    EXPECT_EQ(filterText(0x15), u("5.00 МГц"));
    EXPECT_EQ(filterText(0x02), QStringLiteral("??????"));
    EXPECT_EQ(filterText(0xFF), QStringLiteral("??????"));
}

TEST(SearchRules, CaptionNamesTheModuleOnlyWhenOneIsKnown)
{
    const QString title = programTitle(QStringLiteral("1.9.0.0"));
    EXPECT_EQ(title, u("Zentrix (версия 1.9)"));
    EXPECT_EQ(statusCaption(title, true, QStringLiteral("B2"), QStringLiteral("2.07.15")),
        u("Zentrix (версия 1.9)| Преобразователь: Q47-05 (S/N B2, версия микропрограммы 2.07.15)"));
    EXPECT_EQ(statusCaption(title, false, QStringLiteral("B2"), QStringLiteral("2.07.15")),
        u("Zentrix (версия 1.9)| Преобразователь: Q47-05 (S/N ???????, версия микропрограммы ?.?\?.?\?)"));
}

struct LedCase {
    bool after;
    const char* name;
    uint8_t state;
    uint8_t usbSpeed;
    bool neutral;
    QRgb colour;
    const char* hint;
};

TEST(SearchRules, StatusLedByStateNameAndBusSpeed)
{
    const LedCase cases[] = {
        { false, "Q47-05", 2, 1, true, 0, "Статус модуля '?\?\?' -> ???" },
        { true, "", 2, 0, false, qRgb(0, 255, 0), "Статус модуля '?\?\?' -> OK" },
        { true, "", 1, 1, false, qRgb(255, 0, 0), "Статус модуля '?\?\?' -> BAD" },
        { true, "Q47-05", 1, 1, false, qRgb(255, 0, 0), "Статус модуля 'Q47-05' -> BAD" },
        { true, "Q47-05", 2, 1, false, qRgb(0, 255, 0), "Статус модуля 'Q47-05' (High-Speed Mode 480 Mbit/s) -> OK" },
        { true, "Q47-05", 2, 0, false, qRgb(255, 150, 0),
            "Статус модуля 'Q47-05' (Full-Speed Mode 12 Mbit/s) -> WRONG!\nМодуль работает в нештатном режиме 'USB "
            "Full "
            "Speed'.\nПоверку в таком режиме проводить нельзя!!!" },
    };
    for (const LedCase& c : cases) {
        const LedStatus led = moduleLedStatus(c.after, u(c.name), c.state, c.usbSpeed);
        EXPECT_EQ(led.neutral, c.neutral) << c.hint;
        if (!c.neutral) {
            EXPECT_EQ(led.colour.rgb(), c.colour) << c.hint;
        }
        EXPECT_EQ(led.hint, u(c.hint));
    }
}

} // namespace
