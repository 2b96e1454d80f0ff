#include "platform/win32/link_walk.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <deque>

namespace win32 {
namespace {

constexpr int kMaxLinks = 40; // the kernel's own bound on the links of one lookup

std::string reason(int error) { return std::strerror(error); }

// Puts the names of `text` in front of those still to walk, in order ("." and empty names
// dropped, as the kernel does).
void push_names(std::deque<std::string>& rest, const std::string& text)
{
    std::deque<std::string> names;
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t slash = text.find('/', from);
        if (slash == std::string::npos)
            slash = text.size();
        std::string name = text.substr(from, slash - from);
        if (!name.empty() && name != ".")
            names.push_back(std::move(name));
        from = slash + 1;
    }
    rest.insert(rest.begin(), names.begin(), names.end());
}

std::string joined(const std::string& folder, const std::string& name)
{
    std::string text = folder;
    if (!text.empty() && text.back() != '/')
        text.push_back('/');
    text.append(name);
    return text;
}

bool on_proc(int fd)
{
    struct statfs fs {};
    return ::fstatfs(fd, &fs) == 0 && fs.f_type == PROC_SUPER_MAGIC;
}

// What fs.protected_symlinks allows: in a folder that is sticky and world-writable, only a
// link of the caller's own or of the folder's owner is followed.
bool may_follow(const struct stat& folder, uid_t link_owner)
{
    const bool open_sticky = (folder.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return !open_sticky || link_owner == ::geteuid() || link_owner == folder.st_uid;
}

unique_fd open_root() { return unique_fd(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC)); }

} // namespace

bool walk_path(const std::string& path, walked_path& out, std::string& error)
{
    out = walked_path{};
    if (path.empty()) {
        error = reason(ENOENT);
        return false;
    }
    if (path.back() == '/') {
        error = reason(EISDIR);
        return false;
    }
    const bool absolute = path.front() == '/';
    unique_fd folder = absolute ? open_root() : unique_fd(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC));
    std::string folder_text = absolute ? "/" : "";
    std::deque<std::string> rest;
    push_names(rest, path);
    int links = 0;
    while (folder.valid() && !rest.empty()) {
        const std::string name = rest.front();
        rest.pop_front();
        const bool last = rest.empty();
        const std::string name_text = joined(folder_text, name);
        if (name == "..") {
            if (last)
                break; // a folder
            folder.reset(::openat(folder.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
            folder_text = name_text;
            continue;
        }
        struct stat st {};
        if (::fstatat(folder.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT || !last) {
                error = reason(errno);
                return false;
            }
            st.st_mode = 0; // nothing there yet: a new file
        }
        if (S_ISLNK(st.st_mode)) {
            struct stat holder {};
            if (::fstat(folder.get(), &holder) != 0) {
                error = reason(errno);
                return false;
            }
            if (!may_follow(holder, st.st_uid)) {
                error = reason(EACCES) + ": the symbolic link " + name_text +
                        " is in a sticky folder that anyone may write and belongs neither to you nor to the "
                        "folder's owner, so it is not followed";
                return false;
            }
            if (++links > kMaxLinks) {
                error = reason(ELOOP) + ": " + name_text;
                return false;
            }
            if (on_proc(folder.get())) {
                unique_fd target(::openat(folder.get(), name.c_str(), O_PATH | O_CLOEXEC));
                if (!target.valid()) {
                    error = reason(errno);
                    return false;
                }
                if (last) {
                    out.object = std::move(target);
                    out.folder_text = name_text;
                    return true;
                }
                folder = std::move(target);
                folder_text = name_text;
                continue;
            }
            char buffer[PATH_MAX];
            const ssize_t n = ::readlinkat(folder.get(), name.c_str(), buffer, sizeof buffer);
            if (n <= 0 || static_cast<std::size_t>(n) == sizeof buffer) {
                error = reason(n < 0 ? errno : n == 0 ? ENOENT : ENAMETOOLONG);
                return false;
            }
            const std::string target(buffer, static_cast<std::size_t>(n));
            push_names(rest, target);
            if (target.front() == '/') {
                folder = open_root();
                folder_text.assign(1, '/'); // (assign: GCC 12 warns falsely on = "/")
            }
            if (rest.empty())
                break; // the link names a folder ("/", ".")
            continue;
        }
        if (last) {
            if (S_ISDIR(st.st_mode))
                break;
            out.folder = std::move(folder);
            out.name = name;
            out.folder_text = folder_text.empty() ? "." : folder_text;
            return true;
        }
        folder.reset(::openat(folder.get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        folder_text = name_text;
    }
    error = reason(folder.valid() ? EISDIR : errno);
    return false;
}

} // namespace win32
