#include "platform/win32/kerberos_paths.h"

#include <sys/stat.h>

#include <cstdlib>

namespace win32 {
namespace {

// Why `path` may not be handed to libkrb5; empty when it may.
std::string problem_of(const char* variable, const std::string& path, bool folder_allowed)
{
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return {}; // nothing there: the library says so itself, without waiting
    if (S_ISREG(st.st_mode) || (folder_allowed && S_ISDIR(st.st_mode)))
        return {};
    const char* kind = S_ISFIFO(st.st_mode)  ? "a FIFO"
                       : S_ISCHR(st.st_mode) ? "a character device"
                       : S_ISBLK(st.st_mode) ? "a block device"
                       : S_ISSOCK(st.st_mode) ? "a socket"
                       : S_ISDIR(st.st_mode)  ? "a folder"
                                              : "not a regular file";
    return std::string(variable) + " names \"" + path + "\", which is " + kind +
           ", not a regular file; Kerberos is not used with it";
}

} // namespace

std::string kerberos_environment_problem()
{
    if (const char* cache = std::getenv("KRB5CCNAME"); cache != nullptr) {
        const std::string name = cache;
        const auto colon = name.find(':');
        // A residual type (KEYRING:, KCM:, MEMORY:) names no file; FILE: and a bare path do.
        std::string path;
        if (name.rfind("FILE:", 0) == 0)
            path = name.substr(5);
        else if (colon == std::string::npos || name.front() == '/')
            path = name;
        if (std::string problem = problem_of("KRB5CCNAME", path, false); !problem.empty())
            return problem;
    }
    if (const char* config = std::getenv("KRB5_CONFIG"); config != nullptr) {
        const std::string list = config;
        std::size_t from = 0;
        while (from <= list.size()) {
            std::size_t colon = list.find(':', from);
            if (colon == std::string::npos)
                colon = list.size();
            if (std::string problem = problem_of("KRB5_CONFIG", list.substr(from, colon - from), true);
                !problem.empty())
                return problem;
            from = colon + 1;
        }
    }
    return {};
}

} // namespace win32
