#include "platform/win32/registry_store.h"

#include "platform/win32/registry_format.h"
#include "platform/win32/registry_layers.h"
#include "platform/win32/regular_file.h"
#include "platform/win32/unique_fd.h"
#include "platform/win32/win_errors.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace win32::registry_detail {

namespace {

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

// Far more than any registration needs; a larger file is nobody's registry, and reading it
// whole would take the process's memory.
constexpr std::size_t kMaxRegistryBytes = 16u << 20;

bool read_all(int fd, std::string& out)
{
    char buf[65536];
    for (;;) {
        if (out.size() > kMaxRegistryBytes) {
            errno = EFBIG;
            return false;
        }
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

// Why a registry file that others may change is not trusted (the module paths it names are
// loaded as code), as ssh refuses a configuration others may write: the file and each folder
// above it must belong to this user or to root, and no other user may write them; a folder
// that is sticky (/tmp) only lets others add their own entries, not replace ours. Empty when
// the file may be trusted.
std::string untrusted_because(const std::string& path, const struct stat& file)
{
    const uid_t me = ::geteuid();
    const auto owned_well = [me](const struct stat& st) { return st.st_uid == me || st.st_uid == 0; };
    if (!owned_well(file))
        return "it belongs to another user (uid " + std::to_string(file.st_uid) + ")";
    if ((file.st_mode & 022) != 0)
        return "other users may write it";
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    folder = std::filesystem::absolute(folder, ec);
    for (;;) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0)
            return "its folder " + folder.string() + " cannot be examined";
        if (!owned_well(st))
            return "its folder " + folder.string() + " belongs to another user (uid " + std::to_string(st.st_uid) + ")";
        if ((st.st_mode & 022) != 0 && (st.st_mode & S_ISVTX) == 0)
            return "other users may write its folder " + folder.string();
        if (!folder.has_relative_path())
            return {};
        folder = folder.parent_path();
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

registry_store::registry_store(locator where) : where_(std::move(where)) {}

LONG registry_store::refresh(layer& file, bool force, bool& reloaded)
{
    reloaded = false;
    file_signature sig;
    if (file.path.empty()) {
        if (!file.loaded) {
            file.tree = registry_tree{};
            file.signature = sig;
            file.loaded = reloaded = true;
        }
        return static_cast<LONG>(ERROR_SUCCESS);
    }
    const unique_fd fd(open_regular_file(file.path));
    if (fd.get() < 0) {
        if (errno != ENOENT)
            return failed(file.path, errno == EINVAL ? "it is not a regular file" : std::strerror(errno));
        // No file yet: an empty registry.
        if (!file.loaded || file.signature.exists || force) {
            file.tree = registry_tree{};
            file.signature = sig;
            file.loaded = reloaded = true;
        }
        return static_cast<LONG>(ERROR_SUCCESS);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return failed(file.path, std::strerror(errno));
    if (const std::string why = untrusted_because(file.path, st); !why.empty()) {
        file.loaded = false;
        return failed(file.path, why);
    }
    if (static_cast<unsigned long long>(st.st_size) > kMaxRegistryBytes)
        return failed(file.path, "it is larger than 16 MiB");
    sig = signature_of(st);
    if (file.loaded && !force && sig == file.signature)
        return static_cast<LONG>(ERROR_SUCCESS);

    std::string text;
    if (!read_all(fd.get(), text))
        return failed(file.path, errno == EFBIG ? "it is larger than 16 MiB" : std::strerror(errno));
    registry_tree tree;
    std::size_t error_line = 0;
    if (!registry_format::read(text, tree, error_line)) {
        // A file that is not ours is neither used nor overwritten.
        file.loaded = false;
        set_failure(file.path, "line " + std::to_string(error_line) + " is not a registry line");
        return static_cast<LONG>(ERROR_REGISTRY_CORRUPT);
    }
    file.tree = std::move(tree);
    file.signature = sig;
    file.loaded = reloaded = true;
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG registry_store::refresh_all(bool force_upper)
{
    const registry_location location = where_();
    for (auto [file, path] : {std::pair{&upper_, &location.file}, std::pair{&lower_, &location.beneath}}) {
        if (file->path != *path) {
            file->path = *path;
            file->loaded = false;
        }
    }
    bool upper_reloaded = false, lower_reloaded = false;
    if (const LONG rc = refresh(upper_, force_upper, upper_reloaded); rc != static_cast<LONG>(ERROR_SUCCESS)) {
        view_valid_ = false;
        return rc;
    }
    if (const LONG rc = refresh(lower_, false, lower_reloaded); rc != static_cast<LONG>(ERROR_SUCCESS)) {
        view_valid_ = false;
        return rc;
    }
    set_failure_text({});
    if (!view_valid_ || upper_reloaded || lower_reloaded) {
        view_ = registry_tree{};
        overlay(view_, lower_.tree);
        overlay(view_, upper_.tree);
        view_valid_ = true;
    }
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG registry_store::save(const registry_tree& tree)
{
    std::string temp = upper_.path + ".XXXXXX";
    const unique_fd fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        return static_cast<LONG>(ERROR_REGISTRY_IO_FAILED);
    const std::string text = registry_format::write(tree);
    struct stat st {};
    if (!write_all(fd.get(), text) || ::fsync(fd.get()) != 0 || ::fstat(fd.get(), &st) != 0 ||
        ::rename(temp.c_str(), upper_.path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return static_cast<LONG>(ERROR_REGISTRY_IO_FAILED);
    }
    upper_.signature = signature_of(st);
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG registry_store::failed(const std::string& path, const std::string& why)
{
    set_failure(path, why);
    return static_cast<LONG>(ERROR_REGISTRY_IO_FAILED);
}

void registry_store::set_failure(const std::string& path, const std::string& why)
{
    set_failure_text("the registry " + path + " is not used: " + why);
}

void registry_store::set_failure_text(const std::string& text)
{
    std::lock_guard lock(failure_mutex_);
    failure_ = text;
}

std::string registry_store::last_failure() const
{
    std::lock_guard lock(failure_mutex_);
    return failure_;
}

LONG registry_store::read(const std::function<LONG(registry_tree&)>& read)
{
    // The batch's own thread already holds the lock, and reads what its changes made.
    if (batch_is_this_threads())
        return read(view_);
    std::lock_guard lock(mutex_);
    if (const LONG rc = refresh_all(false); rc != static_cast<LONG>(ERROR_SUCCESS))
        return rc;
    return read(view_);
}

LONG registry_store::write(const std::function<LONG(registry_tree&, bool& changed)>& change)
{
    if (batch_is_this_threads())
        return apply(change);
    if (const LONG rc = begin_batch(); rc != static_cast<LONG>(ERROR_SUCCESS))
        return rc;
    const LONG rc = apply(change);
    const LONG ended = end_batch(rc == static_cast<LONG>(ERROR_SUCCESS));
    return rc != static_cast<LONG>(ERROR_SUCCESS) ? rc : ended;
}

LONG registry_store::lock_file(const std::string& path)
{
    const std::filesystem::path target(path);
    std::error_code ec;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ec);
    const std::string lock_path = path + ".lock";
    unique_fd lock_fd(::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600));
    if (lock_fd.get() < 0)
        return static_cast<LONG>(ERROR_REGISTRY_IO_FAILED);
    while (::flock(lock_fd.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return static_cast<LONG>(ERROR_REGISTRY_IO_FAILED);
    }
    batch_file_lock_ = std::move(lock_fd);
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG registry_store::begin_batch()
{
    if (batch_is_this_threads()) {
        ++batch_depth_;
        return static_cast<LONG>(ERROR_SUCCESS);
    }
    std::unique_lock lock(mutex_);
    const std::string path = where_().file;
    if (path.empty()) {
        set_failure_text("there is no per-user registry: HOME is not set to an absolute folder");
        return static_cast<LONG>(ERROR_ACCESS_DENIED);
    }
    if (const LONG rc = lock_file(path); rc != static_cast<LONG>(ERROR_SUCCESS))
        return rc;
    // Under the lock the file cannot change, so the changes apply to its latest contents.
    if (const LONG rc = refresh_all(true); rc != static_cast<LONG>(ERROR_SUCCESS)) {
        batch_file_lock_.reset();
        return rc;
    }
    batch_depth_ = 1;
    batch_changed_ = false;
    batch_abandoned_ = false;
    batch_owner_.store(std::this_thread::get_id());
    lock.release(); // held until the batch ends
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG registry_store::apply(const std::function<LONG(registry_tree&, bool& changed)>& change)
{
    // The change is made on a copy, so that a refused or partial change leaves nothing behind.
    registry_tree after;
    overlay(after, view_);
    bool changed = false;
    if (const LONG rc = change(after, changed); rc != static_cast<LONG>(ERROR_SUCCESS) || !changed)
        return rc;
    registry_tree upper;
    if (const LONG rc = upper_after_change(after, lower_.tree, batch_changed_ ? batch_upper_ : upper_.tree, upper);
        rc != static_cast<LONG>(ERROR_SUCCESS))
        return rc;
    batch_upper_ = std::move(upper);
    view_ = std::move(after);
    batch_changed_ = true;
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG registry_store::end_batch(bool commit)
{
    if (!batch_is_this_threads())
        return static_cast<LONG>(ERROR_INVALID_FUNCTION);
    if (--batch_depth_ > 0) {
        batch_abandoned_ = batch_abandoned_ || !commit;
        return static_cast<LONG>(ERROR_SUCCESS);
    }
    LONG rc = static_cast<LONG>(ERROR_SUCCESS);
    const bool keep = commit && !batch_abandoned_;
    if (commit && batch_abandoned_)
        rc = static_cast<LONG>(ERROR_CANCELLED);
    if (keep && batch_changed_) {
        rc = save(batch_upper_);
        if (rc == static_cast<LONG>(ERROR_SUCCESS))
            upper_.tree = std::move(batch_upper_);
        else
            upper_.loaded = false;
    }
    // A view that holds changes the file never took is built anew by the next call.
    if (batch_changed_ && (!keep || rc != static_cast<LONG>(ERROR_SUCCESS)))
        view_valid_ = false;
    batch_upper_ = registry_tree{};
    batch_changed_ = batch_abandoned_ = false;
    batch_file_lock_.reset();
    batch_owner_.store(std::thread::id{});
    mutex_.unlock();
    return rc;
}

} // namespace win32::registry_detail
