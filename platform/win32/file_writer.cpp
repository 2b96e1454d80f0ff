#include "platform/win32/file_writer.h"

#include "platform/win32/link_walk.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace win32 {
namespace {

// How long a reader (of a FIFO, a pipe, a terminal) may take nothing before the write ends.
constexpr int kStallMilliseconds = 10000;
constexpr int kStalled = -1; // write_all's "errno" for a reader that took nothing

std::string reason(int error)
{
    if (error == kStalled)
        return "the reader took nothing for ten seconds";
    return std::strerror(error);
}

// 0, or why not all of `bytes` went (an errno, or kStalled).
int write_all(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0)
            return ENOSPC;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            return errno;
        pollfd ready{fd, POLLOUT, 0};
        const int polled = ::poll(&ready, 1, kStallMilliseconds);
        if (polled == 0)
            return kStalled;
        if (polled < 0 && errno != EINTR)
            return errno;
    }
    return 0;
}

// Whether a file of ours may be given `gid`: ours, or one of our groups (root may give any).
bool may_give_group(gid_t gid)
{
    if (::geteuid() == 0 || gid == ::getegid())
        return true;
    std::vector<gid_t> groups(static_cast<std::size_t>(::getgroups(0, nullptr)) + 1);
    const int n = ::getgroups(static_cast<int>(groups.size()), groups.data());
    for (int i = 0; i < n; ++i)
        if (groups[static_cast<std::size_t>(i)] == gid)
            return true;
    return false;
}

bool may_create_in(int folder) { return ::faccessat(folder, ".", W_OK | X_OK, AT_EACCESS) == 0; }

// A name beside `name` that nothing holds yet, created for writing only by us.
unique_fd create_temporary(int folder, const std::string& name, std::string& temporary)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[6] = {};
        if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random))
            return unique_fd();
        temporary = name + ".";
        for (const unsigned char r : random)
            temporary += letters[r % (sizeof letters - 1)];
        unique_fd fd(
            ::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd.valid() || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return unique_fd();
}

// The rename is only durable once the folder's entry is: a crash right after a save must not
// bring the old file back.
void sync_folder(int folder)
{
    const unique_fd readable(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (readable.valid())
        ::fsync(readable.get());
}

} // namespace

void file_writer::clear()
{
    way_ = way::none;
    fd_.reset();
    truncate_ = false;
    folder_.reset();
    name_.clear();
    folder_text_.clear();
    exists_ = false;
    uid_ = 0;
    gid_ = 0;
    mode_ = 0;
}

bool file_writer::open_in_place(int folder, const std::string& name, mode_t kind, std::string& error)
{
    // Without blocking: a FIFO's open would wait for a reader, a terminal's for its line.
    fd_.reset(::openat(folder, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd_.valid()) {
        if (errno == ENXIO && S_ISFIFO(kind))
            error = "no program is reading from the FIFO, and a save onto it would wait for one";
        else
            error = reason(errno);
        return false;
    }
    way_ = way::in_place;
    // Not truncated here: a regular file keeps its content until the bytes are ready.
    truncate_ = S_ISREG(kind);
    return true;
}

bool file_writer::open(const std::string& path, std::string& error)
{
    clear();
    walked_path walked;
    if (!walk_path(path, walked, error))
        return false;
    if (walked.object.valid()) {
        // What a link of /proc names (/dev/stdout): written in place through the kernel's link.
        struct stat st {};
        if (::fstat(walked.object.get(), &st) != 0) {
            error = reason(errno);
            return false;
        }
        if (S_ISDIR(st.st_mode)) {
            error = reason(EISDIR);
            return false;
        }
        const std::string name = std::to_string(walked.object.get());
        // Through /proc/self/fd, which the kernel follows to the open file itself.
        const unique_fd follow(::open(("/proc/self/fd/" + name).c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (!follow.valid()) {
            error = errno == ENXIO && S_ISFIFO(st.st_mode)
                        ? "no program is reading from the FIFO, and a save onto it would wait for one"
                        : reason(errno);
            return false;
        }
        fd_.reset(::fcntl(follow.get(), F_DUPFD_CLOEXEC, 0));
        way_ = way::in_place;
        truncate_ = S_ISREG(st.st_mode);
        return fd_.valid() || (error = reason(errno), false);
    }

    struct stat st {};
    const bool exists = ::fstatat(walked.folder.get(), walked.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT) {
        error = reason(errno);
        return false;
    }
    if (exists && !S_ISREG(st.st_mode))
        return open_in_place(walked.folder.get(), walked.name, st.st_mode, error);
    if (exists && ::faccessat(walked.folder.get(), walked.name.c_str(), W_OK, AT_EACCESS) != 0) {
        error = reason(errno);
        return false;
    }
    const bool folder_writable = may_create_in(walked.folder.get());
    if (!exists && !folder_writable) {
        error = reason(errno) + " (a new file cannot be made in the folder " + walked.folder_text + ")";
        return false;
    }
    if (exists) {
        // Replacing the file would split a hard link, make another user's file ours, or need
        // a folder we may not write: the file is written where it is.
        const bool keeps_owner = ::geteuid() == 0 || (st.st_uid == ::geteuid() && may_give_group(st.st_gid));
        if (st.st_nlink > 1 || !keeps_owner || !folder_writable)
            return open_in_place(walked.folder.get(), walked.name, st.st_mode, error);
        exists_ = true;
        uid_ = st.st_uid;
        gid_ = st.st_gid;
        mode_ = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode_ = 0666 & ~mask;
    }
    way_ = way::replace;
    folder_ = std::move(walked.folder);
    name_ = walked.name;
    folder_text_ = walked.folder_text;
    return true;
}

bool file_writer::write_in_place(std::string_view bytes, std::string& error)
{
    int failed = write_all(fd_.get(), bytes);
    if (failed == 0 && truncate_ && ::ftruncate(fd_.get(), static_cast<off_t>(bytes.size())) != 0)
        failed = errno;
    if (failed == 0 && truncate_ && ::fsync(fd_.get()) != 0)
        failed = errno;
    if (fd_.reset() != 0 && failed == 0)
        failed = errno;
    if (failed != 0) {
        error = reason(failed);
        return false;
    }
    return true;
}

bool file_writer::replace(std::string_view bytes, std::string& error)
{
    std::string temporary;
    unique_fd fd = create_temporary(folder_.get(), name_, temporary);
    if (!fd.valid()) {
        error = reason(errno) + " (a new file cannot be made in the folder " + folder_text_ + ")";
        return false;
    }
    int failed = 0;
    if (exists_ && ::fchown(fd.get(), uid_, gid_) != 0) {
        // The owner cannot be kept after all: the file is written where it is.
        ::unlinkat(folder_.get(), temporary.c_str(), 0);
        return open_in_place(folder_.get(), name_, S_IFREG, error) && write_in_place(bytes, error);
    }
    // After the owner, since changing the owner clears the set-user and set-group bits.
    if (::fchmod(fd.get(), mode_) != 0)
        failed = errno;
    if (failed == 0)
        failed = write_all(fd.get(), bytes);
    if (failed == 0 && ::fsync(fd.get()) != 0)
        failed = errno;
    if (fd.reset() != 0 && failed == 0)
        failed = errno;
    if (failed == 0 && ::renameat(folder_.get(), temporary.c_str(), folder_.get(), name_.c_str()) != 0)
        failed = errno;
    if (failed != 0) {
        ::unlinkat(folder_.get(), temporary.c_str(), 0);
        error = reason(failed);
        return false;
    }
    sync_folder(folder_.get());
    return true;
}

bool file_writer::commit(std::string_view bytes, std::string& error)
{
    const way how = std::exchange(way_, way::none);
    bool written = false;
    if (how == way::none)
        error = reason(EBADF);
    else
        written = how == way::replace ? replace(bytes, error) : write_in_place(bytes, error);
    clear();
    return written;
}

bool write_file(const std::string& path, std::string_view bytes, std::string& error)
{
    file_writer file;
    return file.open(path, error) && file.commit(bytes, error);
}

} // namespace win32
