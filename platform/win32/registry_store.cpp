#include "platform/win32/registry_store.h"

#include "platform/win32/registry_format.h"
#include "platform/win32/win_errors.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace win32::registry_detail {

namespace {

class fd_guard {
public:
    explicit fd_guard(int fd) : fd_(fd) {}
    ~fd_guard()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    fd_guard(const fd_guard&) = delete;
    fd_guard& operator=(const fd_guard&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool write_all(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool read_all(int fd, std::string& out)
{
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return true;
        out.append(buf, static_cast<std::size_t>(n));
    }
}

} // namespace

registry_store::file_signature registry_store::signature_of(const struct stat& st)
{
    file_signature sig;
    sig.exists = true;
    sig.device = st.st_dev;
    sig.inode = st.st_ino;
    sig.size = static_cast<unsigned long long>(st.st_size);
    sig.mtime_sec = st.st_mtim.tv_sec;
    sig.mtime_nsec = st.st_mtim.tv_nsec;
    return sig;
}

registry_store& registry_store::instance()
{
    // Never destroyed: modules may still close keys from their own static destructors.
    static auto* store = new registry_store;
    return *store;
}

std::string registry_store::current_path()
{
    if (const char* explicit_path = std::getenv("OSTREL_REGISTRY"); explicit_path && *explicit_path)
        return explicit_path;
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        config = std::string(home) + "/.config";
    else
        config = ".config";
    return config + "/ostrel/registry.txt";
}

LONG registry_store::refresh(bool force)
{
    const std::string path = current_path();
    if (path != path_) {
        path_ = path;
        loaded_ = false;
    }
    const fd_guard fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    file_signature sig;
    if (fd.get() < 0) {
        if (errno != ENOENT)
            return static_cast<LONG>(ERROR_REGISTRY_IO_FAILED);
        // No file yet: an empty registry.
        if (!loaded_ || signature_.exists || force) {
            tree_ = registry_tree{};
            signature_ = sig;
            loaded_ = true;
        }
        return static_cast<LONG>(ERROR_SUCCESS);
    }
    struct stat st{};
    if (::fstat(fd.get(), &st) != 0)
        return static_cast<LONG>(ERROR_REGISTRY_IO_FAILED);
    sig = signature_of(st);
    if (loaded_ && !force && sig == signature_)
        return static_cast<LONG>(ERROR_SUCCESS);

    std::string text;
    if (!read_all(fd.get(), text))
        return static_cast<LONG>(ERROR_REGISTRY_IO_FAILED);
    registry_tree tree;
    std::size_t error_line = 0;
    if (!registry_format::read(text, tree, error_line)) {
        // A file that is not ours is neither used nor overwritten.
        loaded_ = false;
        return static_cast<LONG>(ERROR_REGISTRY_CORRUPT);
    }
    tree_ = std::move(tree);
    signature_ = sig;
    loaded_ = true;
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG registry_store::save()
{
    const std::filesystem::path target(path_);
    std::error_code ec;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ec);
    std::string temp = path_ + ".XXXXXX";
    const fd_guard fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        return static_cast<LONG>(ERROR_REGISTRY_IO_FAILED);
    const std::string text = registry_format::write(tree_);
    struct stat st{};
    if (!write_all(fd.get(), text) || ::fsync(fd.get()) != 0 || ::fstat(fd.get(), &st) != 0 ||
        ::rename(temp.c_str(), path_.c_str()) != 0) {
        ::unlink(temp.c_str());
        return static_cast<LONG>(ERROR_REGISTRY_IO_FAILED);
    }
    signature_ = signature_of(st);
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG registry_store::read(const std::function<LONG(registry_tree&)>& read)
{
    std::lock_guard lock(mutex_);
    if (const LONG rc = refresh(false); rc != static_cast<LONG>(ERROR_SUCCESS))
        return rc;
    return read(tree_);
}

LONG registry_store::write(const std::function<LONG(registry_tree&, bool& changed)>& change)
{
    std::lock_guard lock(mutex_);
    path_ = current_path();
    const std::filesystem::path target(path_);
    std::error_code ec;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ec);
    const std::string lock_path = path_ + ".lock";
    const fd_guard lock_fd(::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock_fd.get() < 0)
        return static_cast<LONG>(ERROR_REGISTRY_IO_FAILED);
    while (::flock(lock_fd.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return static_cast<LONG>(ERROR_REGISTRY_IO_FAILED);
    }
    // Under the lock the file cannot change, so the change applies to its latest contents.
    if (const LONG rc = refresh(true); rc != static_cast<LONG>(ERROR_SUCCESS))
        return rc;
    bool changed = false;
    const LONG rc = change(tree_, changed);
    if (rc != static_cast<LONG>(ERROR_SUCCESS) || !changed) {
        if (changed)
            loaded_ = false; // a partial change is dropped: reread the file next time
        return rc;
    }
    if (const LONG saved = save(); saved != static_cast<LONG>(ERROR_SUCCESS)) {
        loaded_ = false;
        return saved;
    }
    return rc;
}

} // namespace win32::registry_detail
