#include "ini_text.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace modlink_sim {
namespace {

bool isBlank(char ch)
{
    return std::isspace(static_cast<unsigned char>(ch)) != 0;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view withoutComment(std::string_view line)
{
    for (size_t i = 0; i < line.size(); ++i) {
        if ((line[i] == ';' || line[i] == '#') && (i == 0 || isBlank(line[i - 1])))
            return trim(line.substr(0, i));
    }
    return line;
}

// Takes the next line off `text`.
std::string_view nextLine(std::string_view& text)
{
    size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos)
        text = {};
    else
        text.remove_prefix(end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1));
    return line;
}

} // namespace

void IniProblems::add(int line, const std::string& text)
{
    ++count_;
    if (sink_)
        *sink_ += "line " + std::to_string(line) + ": " + text + "\n";
}

std::vector<IniSection> readIniSections(std::string_view text, IniProblems& problems)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<IniSection> sections;
    for (int lineNumber = 1; !text.empty(); ++lineNumber) {
        std::string_view line = withoutComment(trim(nextLine(text)));
        if (line.empty())
            continue;
        if (line.front() == '[') {
            if (line.back() != ']')
                problems.add(lineNumber, "a section name must end with ]");
            else
                sections.push_back(IniSection { std::string(trim(line.substr(1, line.size() - 2))), lineNumber, {} });
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
        IniEntry entry { lowerCase(trim(line.substr(0, equals))), std::string(trim(line.substr(equals + 1))),
            lineNumber };
        for (const IniEntry& earlier : sections.back().entries) {
            if (earlier.key == entry.key)
                problems.add(lineNumber, "key " + entry.key + " appears twice");
        }
        sections.back().entries.push_back(entry);
    }
    return sections;
}

std::string lowerCase(std::string_view text)
{
    std::string result(text);
    for (char& ch : result)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return result;
}

std::vector<std::string> lowerCaseWords(std::string_view text)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        size_t start = i;
        while (i < text.size() && !isBlank(text[i]))
            ++i;
        if (i > start)
            words.push_back(lowerCase(text.substr(start, i - start)));
    }
    return words;
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
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high)
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
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(parsed)
        || parsed < low || parsed > high)
        return false;
    *value = parsed;
    return true;
}

bool parseSwitch(std::string_view text, bool* value)
{
    std::string word = lowerCase(text);
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

} // namespace modlink_sim
