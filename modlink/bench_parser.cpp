#include "bench_parser.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

namespace modlink_sim {
namespace {

enum class SectionKind { Bus, Slot, Channel };

struct Entry {
    std::string key;
    std::string value;
    int line = 0;
};

struct Section {
    SectionKind kind = SectionKind::Bus;
    int slot = -1;
    int channel = -1;  // 0-based
    int line = 0;
    std::vector<Entry> entries;
};

class Problems {
public:
    explicit Problems(std::string* sink) : sink_(sink) {}
    void add(int line, const std::string& text)
    {
        ++count_;
        if (sink_)
            *sink_ += "line " + std::to_string(line) + ": " + text + "\n";
    }
    bool any() const { return count_ > 0; }

private:
    std::string* sink_;
    int count_ = 0;
};

std::string_view trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s)
{
    std::string result(s);
    for (char& ch : result)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return result;
}

std::vector<std::string> words(std::string_view s)
{
    std::vector<std::string> result;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
            ++i;
        size_t start = i;
        while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i])))
            ++i;
        if (i > start)
            result.push_back(lower(s.substr(start, i - start)));
    }
    return result;
}

bool parseInteger(std::string_view text, long long low, long long high, long long* value)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    long long parsed = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() || parsed < low || parsed > high)
        return false;
    *value = parsed;
    return true;
}

bool parseNumber(std::string_view text, double low, double high, double* value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double parsed = 0.0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() || !std::isfinite(parsed)
        || parsed < low || parsed > high)
        return false;
    *value = parsed;
    return true;
}

bool parseSwitch(std::string_view text, bool* value)
{
    std::string word = lower(text);
    if (word == "1" || word == "true" || word == "yes" || word == "on")
        *value = true;
    else if (word == "0" || word == "false" || word == "no" || word == "off")
        *value = false;
    else
        return false;
    return true;
}

bool isPrintableText(std::string_view text, bool blanksAllowed)
{
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c > 0x7E || (!blanksAllowed && c == ' '))
            return false;
    }
    return true;
}

// A ';' or '#' after a blank starts a comment at the end of a line.
std::string_view withoutTrailingComment(std::string_view line)
{
    for (size_t i = 1; i < line.size(); ++i) {
        if ((line[i] == ';' || line[i] == '#') && std::isspace(static_cast<unsigned char>(line[i - 1])))
            return trim(line.substr(0, i));
    }
    return line;
}

// Reads "bus", "slot N" or "slot N channel C" (any case, any blanks).
bool parseSectionName(std::string_view name, Section* section)
{
    std::vector<std::string> w = words(name);
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

bool sameSection(const Section& a, const Section& b)
{
    return a.kind == b.kind && a.slot == b.slot && a.channel == b.channel;
}

std::vector<Section> readSections(std::string_view text, Problems& problems)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<Section> sections;
    int lineNumber = 0;
    while (!text.empty()) {
        size_t end = text.find_first_of("\r\n");
        std::string_view line = trim(text.substr(0, end));
        if (end == std::string_view::npos)
            text = {};
        else
            text.remove_prefix(end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1));
        ++lineNumber;
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        line = withoutTrailingComment(line);
        if (line.front() == '[') {
            Section section;
            section.line = lineNumber;
            if (line.back() != ']' || !parseSectionName(line.substr(1, line.size() - 2), &section)) {
                problems.add(lineNumber, "unknown section " + std::string(line));
                continue;
            }
            for (const Section& earlier : sections) {
                if (sameSection(earlier, section))
                    problems.add(lineNumber, "section " + std::string(line) + " appears twice");
            }
            sections.push_back(section);
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            problems.add(lineNumber, "expected key = value");
            continue;
        }
        if (sections.empty()) {
            problems.add(lineNumber, "key outside any section");
            continue;
        }
        Entry entry{lower(trim(line.substr(0, equals))), std::string(trim(line.substr(equals + 1))), lineNumber};
        for (const Entry& earlier : sections.back().entries) {
            if (earlier.key == entry.key)
                problems.add(lineNumber, "key " + entry.key + " appears twice");
        }
        sections.back().entries.push_back(entry);
    }
    return sections;
}

void applyBusEntry(const Entry& e, BenchDescription& bench, Problems& problems)
{
    if (e.key == "time_scale") {
        if (!parseNumber(e.value, kMinTimeScale, kMaxTimeScale, &bench.timeScale))
            problems.add(e.line, "time_scale must be a number from 0.001 to 1e9");
    } else if (e.key == "loopback") {
        if (!parseSwitch(e.value, &bench.loopback))
            problems.add(e.line, "loopback must be 0 or 1");
    } else {
        problems.add(e.line, "unknown key " + e.key + " in [bus]");
    }
}

void applySlotEntry(const Entry& e, ModuleConfig& config, Problems& problems)
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

void applyChannelEntry(const Entry& e, ChannelSignal& signal, Problems& problems)
{
    struct Field {
        const char* key;
        double ChannelSignal::*member;
        double low;
        const char* text;
    };
    static const Field fields[] = {
        {"dc", &ChannelSignal::dc, -kMaxSignalVolts, "dc must be a number of volts from -100 to 100"},
        {"amplitude", &ChannelSignal::amplitude, 0.0, "amplitude must be a number of volts from 0 to 100"},
        {"frequency", &ChannelSignal::frequencyHz, 0.0, "frequency must be a number of hertz from 0 to 1e8"},
        {"noise", &ChannelSignal::noiseRms, 0.0, "noise must be a number of volts from 0 to 100"},
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

}  // namespace

bool parseBenchText(std::string_view text, BenchDescription* out, std::string* errors)
{
    Problems problems(errors);
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
        for (const Entry& e : s.entries) {
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

}  // namespace modlink_sim
