#pragma once
// The decisions of a module search that need neither a window nor a module:
// the library version check, the firmware a module needs, the texts of its
// option byte, its status caption and LED, and the text of a fixed-size
// character field of its description.

#include "threads/module_state.h"

#include <QColor>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace module_search {

// The bytes of a fixed-size field up to its first zero byte or its end (a
// full field has no terminator), read as Windows-1251. Any byte is accepted.
QString fieldText(const char* field, std::size_t size);

// Library version: major number in the high 16 bits, minor in the low.
bool isRequiredLibraryVersion(uint32_t version);
// "...Modlink.dll!\nТекущая: 3.5 Требуется: 3.4".
QString wrongLibraryVersionMessage(uint32_t version);
// A library that cannot be loaded at all, with the loader's reason.
QString libraryNotLoadedMessage(const QString& reason);
// `position` is the list position counted from 0.
QString openSlotFailedMessage(int position);
// Item of the module list: position counted from 1, ": ", serial.
QString moduleListItem(int position, const QString& serial);

// The firmware of a module, by the firmware source setting, the revision
// letter and the hardware grade (option bits 2-3).
struct FirmwareChoice {
    // False when no firmware fits the module; `failure` then says why.
    bool loadable = false;
    // File passed to LOAD_MODULE; null for the library's own firmware.
    const char* fileName = nullptr;
    // The message when the load fails (or when nothing is loadable).
    QString failure;
};
// Where the firmware comes from, the settings' "Источник загрузки ПЛИС
// модуля": a named file chosen by the revision and grade, or (any value but
// 0) the library's own.
enum PldSourceCode : uint16_t {
    kPldFromNamedFile = 0,
    kPldFromLibrary = 1,
};
FirmwareChoice chooseFirmware(uint16_t pldSource, char revision, uint8_t options);

// One temperature grade label: letter, the range text added to its hint
// (empty for an unknown grade), text and background colour.
struct GradeLook {
    QString letter;
    QString rangeText;
    QColor text;
    QColor background;
};
struct GradeLooks {
    GradeLook module; // hardware, option bits 2-3
    GradeLook pld; // firmware, option bits 4-5
};
// Both labels white on green while the grades agree and are known; a
// mismatch puts both on maroon, an unknown grade its own label.
GradeLooks gradeLooks(uint8_t options);

// Input filter cut-off of option bits 0-1; "??????" when not defined.
QString filterText(uint8_t options);

// "Zentrix (версия 1.9)" from a file version such as "1.9.0.0".
QString programTitle(const QString& fileVersion);
// Title + "| Преобразователь: Q47-05 (" + module part + ")". The module part
// names serial and firmware when `moduleKnown`, else question marks.
QString statusCaption(const QString& title, bool moduleKnown, const QString& serial, const QString& firmwareVersion);

// True when `caption`, as statusCaption builds it, names the module with
// `serial`: "(S/N " + serial + ", " follows. A serial holding a comma is
// compared whole, not cut at its comma.
bool captionShowsSerial(const QString& caption, const QString& serial);

// Colour and hint of the module status LED. `neutral`: the button-face
// colour, `colour` is then unused.
struct LedStatus {
    bool neutral = false;
    QColor colour;
    QString hint;
};
// `after`: shown after the configuration (false while preparing).
LedStatus moduleLedStatus(bool after, const QString& moduleName, uint8_t moduleState, uint8_t usbSpeed);

} // namespace module_search
