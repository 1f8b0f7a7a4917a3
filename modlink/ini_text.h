#pragma once
// A small INI reader for the bench file: sections of "key = value" lines,
// comments, and the checked conversion of values. Plain C++, no locale: a
// number reads the same whatever the process locale says.

#include <string>
#include <string_view>
#include <vector>

namespace modlink_sim {

// Collects problems with their line numbers.
class IniProblems {
public:
    explicit IniProblems(std::string* sink)
        : sink_(sink)
    {
    }
    void add(int line, const std::string& text);
    bool any() const { return count_ > 0; }

private:
    std::string* sink_;
    int count_ = 0;
};

struct IniEntry {
    std::string key; // lower case
    std::string value;
    int line = 0;
};

struct IniSection {
    std::string name; // as written between the brackets, trimmed
    int line = 0;
    std::vector<IniEntry> entries;
};

// Splits `text` into sections. A UTF-8 byte-order mark is skipped; lines end
// with LF, CR LF or CR; ';' or '#' starts a comment at the beginning of a line
// or after a blank. Reports lines that are neither, keys outside a section
// and keys given twice in a section.
std::vector<IniSection> readIniSections(std::string_view text, IniProblems& problems);

std::string lowerCase(std::string_view text);
// The blank-separated words of `text`, in lower case.
std::vector<std::string> lowerCaseWords(std::string_view text);

// Decimal, or hexadecimal after "0x"; true when all of `text` is a number
// within low..high.
bool parseInteger(std::string_view text, long long low, long long high, long long* value);
// A finite decimal number within low..high.
bool parseNumber(std::string_view text, double low, double high, double* value);
// 1/0, true/false, yes/no, on/off.
bool parseSwitch(std::string_view text, bool* value);
// Only printable ASCII; blanks only when allowed.
bool isPrintableText(std::string_view text, bool blanksAllowed);

} // namespace modlink_sim
