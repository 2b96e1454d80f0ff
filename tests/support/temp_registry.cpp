#include "tests/support/temp_registry.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ostrel::test {

temp_registry::temp_registry()
{
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec)
        throw std::runtime_error("no temporary directory for a test registry: " + ec.message());
    std::string pattern = (base / "ostrel-registry-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a test registry's directory in " + base.string() + ": " +
                                 std::strerror(errno));
    dir_ = pattern;
    watch_fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch_fd_ < 0 || ::inotify_add_watch(watch_fd_, dir_.c_str(), IN_MOVED_TO) < 0) {
        const std::string why = std::strerror(errno);
        if (watch_fd_ >= 0)
            ::close(watch_fd_);
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
        throw std::runtime_error("cannot watch the test registry's directory " + dir_.string() + ": " + why);
    }
    if (const char* previous = std::getenv("OSTREL_REGISTRY"))
        previous_ = previous;
    use_file(dir_ / "registry.txt");
}

temp_registry::~temp_registry()
{
    if (previous_)
        ::setenv("OSTREL_REGISTRY", previous_->c_str(), 1);
    else
        ::unsetenv("OSTREL_REGISTRY");
    if (watch_fd_ >= 0)
        ::close(watch_fd_);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

int temp_registry::saves()
{
    int count = 0;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(watch_fd_, buffer, sizeof buffer);
        if (n <= 0)
            return count;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len > 0 && file_.parent_path() == dir_ && file_.filename() == event->name)
                ++count;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

void temp_registry::use_file(const std::filesystem::path& file)
{
    file_ = file;
    ::setenv("OSTREL_REGISTRY", file_.c_str(), 1);
}

std::string temp_registry::text() const
{
    std::ifstream in(file_, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void temp_registry::write(const std::string& bytes) const
{
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace ostrel::test
