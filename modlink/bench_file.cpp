#include "bench_file.h"

#include "bench_parser.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace modlink_sim {
namespace {

const char* const kEnvironmentVariable = "MODLINK_SIM";
const char* const kFileBesideLibrary = "modlink-sim.ini";
// A bench description is a few dozen lines; anything far larger is not one.
const off_t kMaxFileBytes = 1 << 20;

// Folder of this shared library, with a trailing separator, or "".
std::string libraryFolder()
{
    Dl_info info {};
    if (!dladdr(reinterpret_cast<const void*>(&libraryFolder), &info) || !info.dli_fname)
        return {};
    std::string path = info.dli_fname;
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Reads the bench file if it is a regular file of sane size. It is opened
// without blocking and checked once open, so a named pipe or a device put in
// its place is refused instead of hanging or filling memory.
bool readFile(const std::string& path, std::string* text, std::string* error)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = std::string("cannot open the file (") + std::strerror(errno) + ")";
        return false;
    }
    struct stat info { };
    bool ok = false;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = "not a regular file";
    } else if (info.st_size > kMaxFileBytes) {
        *error = "the file is not a bench description (too large)";
    } else {
        // One byte more than allowed tells a file that grew since fstat.
        std::string contents(static_cast<size_t>(kMaxFileBytes) + 1, '\0');
        size_t got = 0;
        for (;;) {
            ssize_t n = ::read(fd, &contents[got], contents.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                *error = std::string("cannot read the file (") + std::strerror(errno) + ")";
                break;
            }
            got += static_cast<size_t>(n);
            if (n == 0 || got == contents.size()) {
                ok = got <= static_cast<size_t>(kMaxFileBytes);
                if (!ok)
                    *error = "the file is not a bench description (too large)";
                break;
            }
        }
        contents.resize(got);
        if (ok)
            *text = std::move(contents);
    }
    ::close(fd);
    return ok;
}

void report(const std::string& path, const std::string& problems)
{
    std::fprintf(stderr, "Modlink simulator: bench file %s: %s\nModlink simulator: using the default bench\n",
        path.c_str(), problems.c_str());
}

} // namespace

BenchDescription loadBench()
{
    std::string path;
    const char* named = std::getenv(kEnvironmentVariable);
    if (named && *named) {
        path = named;
    } else {
        path = libraryFolder() + kFileBesideLibrary;
        struct stat info { };
        if (::lstat(path.c_str(), &info) != 0)
            return defaultBench();
    }

    std::string text;
    std::string problems;
    BenchDescription bench;
    if (!readFile(path, &text, &problems)) {
        report(path, problems);
        return defaultBench();
    }
    if (!parseBenchText(text, &bench, &problems))
        report(path, "\n" + problems);
    return bench;
}

} // namespace modlink_sim
