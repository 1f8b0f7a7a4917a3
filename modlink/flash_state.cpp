#include "flash_state.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace modlink_sim {
namespace {

const char kMagic[8] = { 'Z', 'X', 'S', 'I', 'M', 'S', 'T', '1' };
const uint32_t kDescriptionSaved = 1;
const std::size_t kFlagsAt = 8;
const std::size_t kUserFlashAt = 12;
const std::size_t kDescriptionAt = kUserFlashAt + sizeof(UserFlashBlock);
const std::size_t kCrcAt = kDescriptionAt + sizeof(ModuleDescription);
static_assert(kCrcAt + 4 == kFlashStateFileBytes, "the layout adds up to the file size");

uint32_t crc32(const char* data, std::size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= static_cast<uint8_t>(data[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putLe32(std::string& bytes, std::size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint32_t getLe32(const std::string& bytes, std::size_t at)
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= uint32_t(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
    return value;
}

void report(const std::string& path, const std::string& problem)
{
    std::fprintf(stderr, "Modlink simulator: state file %s: %s\n", path.c_str(), problem.c_str());
}

bool isSafeFileCharacter(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '-' || ch == '_'
        || ch == '.';
}

// Creates `folder` and the folders above it that are missing.
bool makeFolder(const std::string& folder)
{
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        std::string part = folder.substr(0, slash);
        if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat info { };
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::string defaultStateFolder()
{
    const char* stateHome = std::getenv("XDG_STATE_HOME");
    if (stateHome && stateHome[0] == '/')
        return std::string(stateHome) + "/zentrix-sim";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/state/zentrix-sim";
    return {};
}

std::string flashStateFile(const std::string& folder, const char* serial)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string name;
    for (std::size_t i = 0; i < 16 && serial[i]; ++i) {
        char ch = serial[i];
        if (isSafeFileCharacter(ch)) {
            name.push_back(ch);
        } else {
            name.push_back('%');
            name.push_back(kHex[static_cast<uint8_t>(ch) >> 4]);
            name.push_back(kHex[static_cast<uint8_t>(ch) & 0xF]);
        }
    }
    // "." and ".." alone would name folders; the suffix keeps every name a file.
    return folder + "/" + name + ".state";
}

std::string encodeFlashState(const FlashState& state)
{
    std::string bytes(kFlashStateFileBytes, '\0');
    std::memcpy(&bytes[0], kMagic, sizeof kMagic);
    putLe32(bytes, kFlagsAt, state.descriptionSaved ? kDescriptionSaved : 0);
    std::memcpy(&bytes[kUserFlashAt], state.userFlash.Bytes, sizeof state.userFlash.Bytes);
    if (state.descriptionSaved)
        std::memcpy(&bytes[kDescriptionAt], &state.description, sizeof state.description);
    putLe32(bytes, kCrcAt, crc32(bytes.data(), kCrcAt));
    return bytes;
}

bool decodeFlashState(const std::string& bytes, FlashState* state)
{
    if (bytes.size() != kFlashStateFileBytes || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0
        || getLe32(bytes, kCrcAt) != crc32(bytes.data(), kCrcAt))
        return false;
    uint32_t flags = getLe32(bytes, kFlagsAt);
    if (flags & ~kDescriptionSaved)
        return false;
    std::memcpy(state->userFlash.Bytes, &bytes[kUserFlashAt], sizeof state->userFlash.Bytes);
    state->descriptionSaved = (flags & kDescriptionSaved) != 0;
    if (state->descriptionSaved)
        std::memcpy(&state->description, &bytes[kDescriptionAt], sizeof state->description);
    return true;
}

bool loadFlashState(const std::string& folder, const char* serial, FlashState* state)
{
    const std::string path = flashStateFile(folder, serial);
    // Non-blocking, so a named pipe put in the file's place cannot hang the bus.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            report(path, std::string("cannot be read (") + std::strerror(errno) + "); the module starts blank");
        return false;
    }
    struct stat info { };
    std::string bytes;
    bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (regular && info.st_size == static_cast<off_t>(kFlashStateFileBytes)) {
        bytes.resize(kFlashStateFileBytes + 1);
        std::size_t got = 0;
        for (;;) {
            ssize_t n = ::read(fd, &bytes[got], bytes.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
            if (got == bytes.size())
                break;
        }
        bytes.resize(got);
    }
    ::close(fd);
    if (!decodeFlashState(bytes, state)) {
        report(path, "is damaged; the module starts blank");
        return false;
    }
    return true;
}

bool saveFlashState(const std::string& folder, const char* serial, const FlashState& state)
{
    const std::string path = flashStateFile(folder, serial);
    if (!makeFolder(folder)) {
        report(path,
            "the folder cannot be created (" + std::string(std::strerror(errno))
                + "); the flash is kept in memory for this run only");
        return false;
    }
    std::string temporary = path + ".XXXXXX";
    int fd = ::mkstemp(&temporary[0]);
    if (fd < 0) {
        report(path,
            "cannot be written (" + std::string(std::strerror(errno))
                + "); the flash is kept in memory for this run only");
        return false;
    }
    bool written = writeAll(fd, encodeFlashState(state)) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && written) {
        error = errno;
        written = false;
    }
    if (written && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
        written = false;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        report(path,
            "cannot be written (" + std::string(std::strerror(error))
                + "); the flash is kept in memory for this run only");
    }
    return written;
}

} // namespace modlink_sim
