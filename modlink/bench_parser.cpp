#include "bench_parser.h"

#include "ini_text.h"

#include <cctype>
#include <cerrno>
#include <sys/stat.h>
#include <vector>

namespace modlink_sim {
namespace {

enum class SectionKind { Bus, Slot, Channel };

struct Section {
    SectionKind kind = SectionKind::Bus;
    int slot = -1;
    int channel = -1; // 0-based
    int line = 0;
    std::vector<IniEntry> entries;
};

// Reads "bus", "slot N" or "slot N channel C" (any case, any blanks).
bool parseSectionName(std::string_view name, Section* section)
{
    std::vector<std::string> w = lowerCaseWords(name);
    long long slot = 0;
    long long channel = 0;
    if (w.size() == 1 && w[0] == "bus") {
        section->kind = SectionKind::Bus;
        return true;
    }
    if (w.size() == 2 && w[0] == "slot" && parseInteger(w[1], 0, kSlotCount - 1, &slot)) {
        section->kind = SectionKind::Slot;
        section->slot = static_cast<int>(slot);
        return true;
    }
    if (w.size() == 4 && w[0] == "slot" && w[2] == "channel" && parseInteger(w[1], 0, kSlotCount - 1, &slot)
        && parseInteger(w[3], 1, kChannelCount, &channel)) {
        section->kind = SectionKind::Channel;
        section->slot = static_cast<int>(slot);
        section->channel = static_cast<int>(channel) - 1;
        return true;
    }
    return false;
}

std::vector<Section> readSections(std::string_view text, IniProblems& problems)
{
    std::vector<Section> sections;
    for (IniSection& ini : readIniSections(text, problems)) {
        Section section;
        section.line = ini.line;
        section.entries = std::move(ini.entries);
        if (!parseSectionName(ini.name, &section)) {
            problems.add(ini.line, "unknown section [" + ini.name + "]");
            continue;
        }
        for (const Section& earlier : sections) {
            if (earlier.kind == section.kind && earlier.slot == section.slot && earlier.channel == section.channel)
                problems.add(ini.line, "section [" + ini.name + "] appears twice");
        }
        sections.push_back(std::move(section));
    }
    return sections;
}

// A folder path the state can live in: absolute, no control characters, and
// a folder if it exists at all (it is created when first written).
bool isStateFolderPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return false;
    for (char ch : path) {
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F)
            return false;
    }
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    return errno == ENOENT;
}

void applyStateEntry(const IniEntry& e, BenchDescription& bench, IniProblems& problems)
{
    if (lowerCase(e.value) == "none") {
        bench.stateKeeping = StateKeeping::None;
        bench.stateFolder.clear();
    } else if (isStateFolderPath(e.value)) {
        bench.stateKeeping = StateKeeping::Folder;
        bench.stateFolder = e.value;
    } else {
        problems.add(e.line, "state must be none or the absolute path of a folder");
    }
}

void applyBusEntry(const IniEntry& e, BenchDescription& bench, IniProblems& problems)
{
    if (e.key == "time_scale") {
        if (!parseNumber(e.value, kMinTimeScale, kMaxTimeScale, &bench.timeScale))
            problems.add(e.line, "time_scale must be a number from 0.001 to 1e9");
    } else if (e.key == "loopback") {
        if (!parseSwitch(e.value, &bench.loopback))
            problems.add(e.line, "loopback must be 0 or 1");
    } else if (e.key == "state") {
        applyStateEntry(e, bench, problems);
    } else {
        problems.add(e.line, "unknown key " + e.key + " in [bus]");
    }
}

void applySlotEntry(const IniEntry& e, ModuleConfig& config, IniProblems& problems)
{
    long long number = 0;
    if (e.key == "serial") {
        if (e.value.empty() || e.value.size() > 16 || !isPrintableText(e.value, false))
            problems.add(e.line, "serial must be 1 to 16 printable characters without blanks");
        else
            copyText(config.serial, sizeof config.serial, e.value.c_str());
    } else if (e.key == "revision") {
        if (e.value.size() != 1 || !std::isalpha(static_cast<unsigned char>(e.value[0])))
            problems.add(e.line, "revision must be one letter");
        else
            config.revision = e.value[0];
    } else if (e.key == "options") {
        if (!parseInteger(e.value, 0, 255, &number))
            problems.add(e.line, "options must be a byte, 0 to 255 or 0x00 to 0xFF");
        else
            config.options = static_cast<uint8_t>(number);
    } else if (e.key == "usb_speed") {
        if (!parseInteger(e.value, 0, 1, &number))
            problems.add(e.line, "usb_speed must be 1 (high speed) or 0 (full speed)");
        else
            config.usbSpeed = static_cast<uint8_t>(number);
    } else if (e.key == "dac") {
        if (!parseSwitch(e.value, &config.hasDac))
            problems.add(e.line, "dac must be 0 or 1");
    } else if (e.key == "firmware") {
        if (e.value.empty() || e.value.size() >= sizeof config.firmwareVersion || !isPrintableText(e.value, true))
            problems.add(e.line, "firmware must be 1 to 31 printable characters");
        else
            copyText(config.firmwareVersion, sizeof config.firmwareVersion, e.value.c_str());
    } else {
        problems.add(e.line, "unknown key " + e.key + " in a slot section");
    }
}

void applyChannelEntry(const IniEntry& e, ChannelSignal& signal, IniProblems& problems)
{
    struct Field {
        const char* key;
        double ChannelSignal::*member;
        double low;
        const char* text;
    };
    static const Field fields[] = {
        { "dc", &ChannelSignal::dc, -kMaxSignalVolts, "dc must be a number of volts from -100 to 100" },
        { "amplitude", &ChannelSignal::amplitude, 0.0, "amplitude must be a number of volts from 0 to 100" },
        { "frequency", &ChannelSignal::frequencyHz, 0.0, "frequency must be a number of hertz from 0 to 1e8" },
        { "noise", &ChannelSignal::noiseRms, 0.0, "noise must be a number of volts from 0 to 100" },
    };
    for (const Field& field : fields) {
        if (e.key != field.key)
            continue;
        double high = field.member == &ChannelSignal::frequencyHz ? kMaxSignalFrequencyHz : kMaxSignalVolts;
        if (!parseNumber(e.value, field.low, high, &(signal.*field.member)))
            problems.add(e.line, field.text);
        return;
    }
    problems.add(e.line, "unknown key " + e.key + " in a channel section");
}

} // namespace

bool parseBenchText(std::string_view text, BenchDescription* out, std::string* errors)
{
    IniProblems problems(errors);
    std::vector<Section> sections = readSections(text, problems);
    BenchDescription bench = defaultBench();

    bool namesSlots = false;
    for (const Section& s : sections)
        namesSlots = namesSlots || s.kind == SectionKind::Slot;
    if (namesSlots) {
        for (BenchModule& slot : bench.modules)
            slot = BenchModule();
        for (const Section& s : sections) {
            if (s.kind != SectionKind::Slot)
                continue;
            BenchModule& slot = bench.modules[s.slot];
            slot.present = true;
            slot.config = defaultModuleConfig(s.slot);
            defaultSignals(slot.inputs);
        }
    }

    for (const Section& s : sections) {
        if (s.kind == SectionKind::Channel && !bench.modules[s.slot].present) {
            problems.add(s.line, "channel section for slot " + std::to_string(s.slot) + ", which holds no module");
            continue;
        }
        for (const IniEntry& e : s.entries) {
            if (s.kind == SectionKind::Bus)
                applyBusEntry(e, bench, problems);
            else if (s.kind == SectionKind::Slot)
                applySlotEntry(e, bench.modules[s.slot].config, problems);
            else
                applyChannelEntry(e, bench.modules[s.slot].inputs[s.channel], problems);
        }
    }

    if (out)
        *out = problems.any() ? defaultBench() : bench;
    return !problems.any();
}

} // namespace modlink_sim
