#include "bench_file.h"

#include "bench_parser.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <sstream>
#include <string>

namespace modlink_sim {
namespace {

const char* const kEnvironmentVariable = "MODLINK_SIM";
const char* const kFileBesideLibrary = "modlink-sim.ini";
// A bench description is a few dozen lines; anything far larger is not one.
const std::streamoff kMaxFileBytes = 1 << 20;

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

bool readFile(const std::string& path, std::string* text, std::string* error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = "cannot open the file";
        return false;
    }
    file.seekg(0, std::ios::end);
    std::streamoff size = file.tellg();
    if (size < 0 || size > kMaxFileBytes) {
        *error = "the file is not a bench description (too large or unreadable)";
        return false;
    }
    file.seekg(0);
    std::ostringstream contents;
    contents << file.rdbuf();
    *text = contents.str();
    return true;
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
        std::ifstream probe(path);
        if (!probe)
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
