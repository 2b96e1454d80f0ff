#include "platform/win32/file_writer.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace win32 {
namespace {

std::string reason(int error) { return std::strerror(error); }

bool write_all(int fd, std::string_view bytes)
{
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// The file a symbolic link finally names, so that the link stays and its target is written.
std::string resolved(const std::string& path)
{
    char buffer[PATH_MAX];
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        const ssize_t n = ::readlink(current.c_str(), buffer, sizeof buffer - 1);
        if (n <= 0)
            return current;
        std::string link(buffer, static_cast<size_t>(n));
        if (link.front() != '/') {
            const auto slash = current.rfind('/');
            link = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + link;
        }
        current = link;
    }
    return current;
}

std::string folder_of(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename is only durable once the folder's entry is: a crash right after a save must not
// bring the old file back.
void sync_folder(const std::string& path)
{
    const int dir = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return;
    ::fsync(dir);
    ::close(dir);
}

} // namespace

file_writer::~file_writer() { discard(); }

void file_writer::discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
    in_place_ = false;
    truncate_ = false;
}

bool file_writer::open(const std::string& path, std::string& error)
{
    discard();
    if (path.empty()) {
        error = reason(ENOENT);
        return false;
    }
    target_ = resolved(path);

    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        error = reason(EISDIR);
        return false;
    }
    if (exists && ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
        error = reason(errno);
        return false;
    }
    const auto open_in_place = [&](int flags) {
        // Not truncated here: a regular file keeps its content until the bytes are ready.
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | flags);
        if (fd_ < 0) {
            error = reason(errno);
            return false;
        }
        in_place_ = true;
        truncate_ = S_ISREG(existing.st_mode);
        return true;
    };
    if (exists && !S_ISREG(existing.st_mode))
        return open_in_place(O_TRUNC); // a device or a FIFO (whose open waits for its reader)
    if (exists && existing.st_nlink > 1)
        return open_in_place(0);

    std::string pattern = target_ + ".XXXXXX";
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error = reason(errno);
        return false;
    }
    temporary_ = pattern;
    mode_t mode = 0;
    if (exists) {
        mode = existing.st_mode & 07777;
        if (::fchown(fd_, existing.st_uid, existing.st_gid) != 0) {
            // Another user's file that we may write: replacing it would make it ours.
            discard();
            return open_in_place(0);
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    // After the owner, since changing the owner clears the set-user and set-group bits.
    if (::fchmod(fd_, mode) != 0) {
        error = reason(errno);
        discard();
        return false;
    }
    return true;
}

bool file_writer::commit(std::string_view bytes, std::string& error)
{
    if (fd_ < 0) {
        error = reason(EBADF);
        return false;
    }
    const bool regular = !in_place_ || truncate_;
    bool ok = write_all(fd_, bytes);
    if (ok && truncate_)
        ok = ::ftruncate(fd_, static_cast<off_t>(bytes.size())) == 0;
    if (ok && regular)
        ok = ::fsync(fd_) == 0;
    if (!ok) {
        error = reason(errno);
        discard();
        return false;
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) {
        error = reason(errno);
        discard();
        return false;
    }
    if (!temporary_.empty()) {
        if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
            error = reason(errno);
            discard();
            return false;
        }
        temporary_.clear();
        sync_folder(target_);
    }
    in_place_ = false;
    truncate_ = false;
    return true;
}

bool write_file(const std::string& path, std::string_view bytes, std::string& error)
{
    file_writer file;
    return file.open(path, error) && file.commit(bytes, error);
}

} // namespace win32
