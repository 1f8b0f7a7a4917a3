#include "threads/module_search_rules.h"

#include "device/module_api.h"
#include "threads/module_search_messages.h"

#include <QStringDecoder>
#include <QStringList>

namespace module_search {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kGreen(0, 128, 0);
const QColor kMaroon(128, 0, 0);
const QColor kLedGreen(0, 255, 0);
const QColor kLedRed(255, 0, 0);
const QColor kLedOrange(255, 150, 0);

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

uint16_t majorOf(uint32_t version)
{
    return static_cast<uint16_t>(version >> 16);
}
uint16_t minorOf(uint32_t version)
{
    return static_cast<uint16_t>(version & 0xFFFFu);
}

QString versionText(uint32_t version)
{
    return QString::number(majorOf(version)) + QLatin1Char('.') + QString::number(minorOf(version));
}

// Letter and range text of a grade coded in two option bits.
GradeLook gradeOf(int bits)
{
    switch (bits) {
    case 0:
        return { QStringLiteral("C"), text(kCommercialRange), kWhite, kGreen };
    case 1:
        return { QStringLiteral("I"), text(kIndustrialRange), kWhite, kGreen };
    default:
        return { QStringLiteral("?"), QString(), kWhite, kMaroon };
    }
}

} // namespace

QString fieldText(const char* field, std::size_t size)
{
    std::size_t length = 0;
    while (length < size && field[length] != '\0')
        ++length;
    const QByteArray bytes(field, static_cast<qsizetype>(length));
    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

bool isRequiredLibraryVersion(uint32_t version)
{
    return version == kRequiredLibraryVersion;
}

QString wrongLibraryVersionMessage(uint32_t version)
{
    return text(kWrongLibraryVersion) + QLatin1Char('\n') + text(kCurrentVersion) + versionText(version)
        + text(kRequiredVersion) + versionText(kRequiredLibraryVersion);
}

QString libraryNotLoadedMessage(const QString& reason)
{
    QString message = text(kCannotLoadLibrary) + QLatin1Char('\n') + text(kRequiredVersion).trimmed() + QLatin1Char(' ')
        + versionText(kRequiredLibraryVersion);
    if (!reason.isEmpty())
        message += QLatin1Char('\n') + reason;
    return message;
}

QString openSlotFailedMessage(int position)
{
    return text(kCannotOpenSlotBefore) + QString::number(position) + text(kCannotOpenSlotAfter);
}

QString moduleListItem(int position, const QString& serial)
{
    return QString::number(position + 1) + QStringLiteral(": ") + serial;
}

FirmwareChoice chooseFirmware(uint16_t pldSource, char revision, uint8_t options)
{
    if (pldSource != kPldFromNamedFile)
        return { true, nullptr, text(kCannotLoadOwnFirmware) };
    const int grade = (options >> 2) & 3;
    if (revision == 'A')
        return { true, "q4705.pld", text(kCannotLoadRevisionAFirmware) };
    if (revision != 'B')
        return { false, nullptr, text(kUnknownRevision) };
    if (grade == 0)
        return { true, "Q4705m.pld", text(kCannotLoadCommercialFirmware) };
    if (grade == 1)
        return { true, "Q4705mi.pld", text(kCannotLoadIndustrialFirmware) };
    return { false, nullptr, text(kUnknownGrade) };
}

GradeLooks gradeLooks(uint8_t options)
{
    const int moduleBits = (options >> 2) & 3;
    const int pldBits = (options >> 4) & 3;
    GradeLooks looks { gradeOf(moduleBits), gradeOf(moduleBits) };
    if (pldBits != moduleBits) {
        looks.pld = gradeOf(pldBits);
        looks.module.background = kMaroon;
        looks.pld.background = kMaroon;
    }
    return looks;
}

QString filterText(uint8_t options)
{
    switch (options & 3) {
    case 0:
        return text(kFilter125MHz);
    case 1:
        return text(kFilter500MHz);
    default:
        return text(kUnknownFilter);
    }
}

QString programTitle(const QString& fileVersion)
{
    const QStringList numbers = fileVersion.split(QLatin1Char('.'));
    const QString major = numbers.value(0, QStringLiteral("0"));
    const QString minor = numbers.value(1, QStringLiteral("0"));
    return text(kTitleBefore) + major + QLatin1Char('.') + minor + text(kTitleAfter);
}

QString statusCaption(const QString& title, bool moduleKnown, const QString& serial, const QString& firmwareVersion)
{
    const QString module = moduleKnown
        ? text(kSerialPrefix) + serial + QStringLiteral(", ") + text(kFirmwarePrefix) + firmwareVersion
        : text(kUnknownModulePart);
    return title + text(kConverterPart) + module + text(kConverterEnd);
}

bool captionShowsSerial(const QString& caption, const QString& serial)
{
    const QString serialMarker = QLatin1Char('(') + text(kSerialPrefix);
    const int serialAt = caption.indexOf(serialMarker);
    if (serialAt < 0)
        return false;
    const QString shownPart = caption.mid(serialAt + serialMarker.size());
    return shownPart.startsWith(serial + QStringLiteral(", ") + text(kFirmwarePrefix));
}

LedStatus moduleLedStatus(bool after, const QString& moduleName, uint8_t moduleState, uint8_t usbSpeed)
{
    if (!after)
        return { true, QColor(), text(kLedUnknownHint) };
    const bool ready = moduleState == kModuleReady;
    if (moduleName.isEmpty())
        return ready ? LedStatus { false, kLedGreen, text(kLedUnnamedOkHint) }
                     : LedStatus { false, kLedRed, text(kLedUnnamedBadHint) };
    const QString named = text(kLedNamePrefix) + moduleName;
    if (!ready)
        return { false, kLedRed, named + text(kLedBadEnding) };
    if (usbSpeed == kUsbHighSpeed)
        return { false, kLedGreen, named + text(kLedHighSpeedEnding) };
    return { false, kLedOrange, named + text(kLedFullSpeedEnding) };
}

} // namespace module_search
