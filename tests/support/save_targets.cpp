#include "tests/support/save_targets.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace save_targets {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kOtherUid = 65534; // nobody
constexpr gid_t kOtherGid = 65534;

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void make_file(const std::string& path, const std::string& content, mode_t mode)
{
    std::ofstream(path, std::ios::binary) << content;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

struct node {
    bool exists = false;
    mode_t mode = 0;
    uid_t uid = 0;
    nlink_t links = 0;
};

node lstat_of(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return {};
    return {true, st.st_mode, st.st_uid, st.st_nlink};
}

// A folder of the test's own that the running user may write, removed at the end.
struct scratch_folder {
    scratch_folder()
    {
        std::string pattern = (fs::temp_directory_path() / "save-target.XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        ::chmod(path.c_str(), 0777);
    }
    ~scratch_folder() { fs::remove_all(path); }
    std::string operator/(const char* name) const { return path + "/" + name; }
    std::string path;
};

using check_function = std::function<void(const scratch_folder&, const std::string& path, const std::string& content)>;

struct save_case {
    const char* what;
    std::function<std::string(const scratch_folder&)> prepare; // makes the node, gives the path
    int refused_with;                                          // 0: the save succeeds; else its errno
    check_function check;
    const char* refusal_says = nullptr; // what the refusal says in place of the errno's text
    bool unread = false;                // a FIFO that nobody reads
};

// What waits in a pipe opened without blocking.
std::string drain(int fd)
{
    std::string got;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        got.append(buffer, static_cast<std::size_t>(n));
    return got;
}

// A pipe of the test's own, reached as /dev/stdout reaches standard output: through a link to
// /proc/self/fd/N, whose text ("pipe:[N]") is no path.
struct test_pipe {
    test_pipe()
    {
        int ends[2] = {-1, -1};
        EXPECT_EQ(::pipe2(ends, O_CLOEXEC | O_NONBLOCK), 0);
        read_end = ends[0];
        write_end = ends[1];
    }
    ~test_pipe()
    {
        ::close(read_end);
        ::close(write_end);
    }
    int read_end, write_end;
};

// The folder and file that a root run prepares for its unprivileged run (expect_passes_as_a_user):
// root's own folder, which the user may not write, holding root's file that anyone may write.
constexpr const char* kRootFolderVariable = "OSTREL_SAVE_TARGETS_ROOT_FOLDER";
constexpr const char* kSharedFileName = "shared.txt";

std::string root_folder_for_user()
{
    const char* folder = std::getenv(kRootFolderVariable);
    return folder != nullptr && ::geteuid() != 0 ? folder : "";
}

void expect_regular_with(const std::string& path, mode_t mode, uid_t uid, const std::string& content)
{
    const node n = lstat_of(path);
    EXPECT_TRUE(S_ISREG(n.mode)) << path;
    EXPECT_EQ(n.mode & 07777, mode) << path;
    EXPECT_EQ(n.uid, uid) << path;
    EXPECT_EQ(read_file(path), content) << path;
}

// A symbolic link of the test's own folder to a device: the link stays, the device it names is
// written in place and stays a device.
std::string link_to(const scratch_folder& f, const char* name, const char* device)
{
    fs::create_symlink(device, f / name);
    return f / name;
}

void expect_link_to_device(const std::string& path, const std::string& device)
{
    EXPECT_TRUE(S_ISLNK(lstat_of(path).mode)) << path;
    EXPECT_TRUE(S_ISCHR(lstat_of(device).mode)) << device;
}

// The one pipe of the table's row for /dev/stdout, kept while the process runs.
const test_pipe& the_pipe()
{
    static const test_pipe pipe;
    return pipe;
}

// A link report.txt, owned by `link_owner`, in a sticky folder anyone may write, owned by
// `folder_owner`, naming root's private victim.txt beside the folder.
std::string sticky_link(const scratch_folder& f, uid_t link_owner, uid_t folder_owner)
{
    make_file(f / "victim.txt", "secret", 0600);
    fs::create_directory(f / "open");
    EXPECT_EQ(::chown((f / "open").c_str(), folder_owner, folder_owner), 0);
    EXPECT_EQ(::chmod((f / "open").c_str(), 01777), 0);
    fs::create_symlink(f / "victim.txt", f / "open/report.txt");
    EXPECT_EQ(::lchown((f / "open/report.txt").c_str(), link_owner, link_owner), 0);
    return f / "open/report.txt";
}

std::vector<save_case> cases()
{
    const bool root = ::geteuid() == 0;
    std::vector<save_case> table = {
        {"new file", [](const scratch_folder& f) { return f / "fresh.txt"; }, 0,
         [](const scratch_folder&, const std::string& p, const std::string& content) {
             const mode_t mask = ::umask(0);
             ::umask(mask);
             expect_regular_with(p, 0666 & ~mask, ::geteuid(), content);
         }},
        {"regular file with a mode and set-group bit",
         [](const scratch_folder& f) {
             make_file(f / "kept.txt", std::string(4096, 'o'), 02640);
             return f / "kept.txt";
         },
         0,
         [](const scratch_folder&, const std::string& p, const std::string& content) {
             expect_regular_with(p, 02640, ::geteuid(), content);
         }},
        {"symbolic link",
         [](const scratch_folder& f) {
             make_file(f / "target.txt", "old", 0644);
             fs::create_symlink("target.txt", f / "link.txt");
             return f / "link.txt";
         },
         0,
         [](const scratch_folder& f, const std::string& p, const std::string& content) {
             EXPECT_TRUE(S_ISLNK(lstat_of(p).mode));
             expect_regular_with(f / "target.txt", 0644, ::geteuid(), content);
         }},
        {"hard link",
         [](const scratch_folder& f) {
             make_file(f / "one.txt", std::string(4096, 'o'), 0644);
             fs::create_hard_link(f / "one.txt", f / "two.txt");
             return f / "two.txt";
         },
         0,
         [](const scratch_folder& f, const std::string& p, const std::string& content) {
             expect_regular_with(p, 0644, ::geteuid(), content);
             EXPECT_EQ(lstat_of(p).links, 2u);
             EXPECT_EQ(read_file(f / "one.txt"), content);
         }},
        {"FIFO",
         [](const scratch_folder& f) {
             ::mkfifo((f / "pipe.txt").c_str(), 0666);
             return f / "pipe.txt";
         },
         0,
         [](const scratch_folder&, const std::string& p, const std::string&) {
             EXPECT_TRUE(S_ISFIFO(lstat_of(p).mode));
         }},
        {"folder",
         [](const scratch_folder& f) {
             fs::create_directory(f / "folder.txt");
             return f / "folder.txt";
         },
         EISDIR,
         [](const scratch_folder&, const std::string& p, const std::string&) {
             EXPECT_TRUE(fs::is_directory(p));
         }},
        {"missing folder", [](const scratch_folder& f) { return f / "missing/gone.txt"; }, ENOENT, nullptr},
        {"FIFO that nobody reads",
         [](const scratch_folder& f) {
             ::mkfifo((f / "lonely.txt").c_str(), 0666);
             return f / "lonely.txt";
         },
         ENXIO,
         [](const scratch_folder&, const std::string& p, const std::string&) {
             EXPECT_TRUE(S_ISFIFO(lstat_of(p).mode));
         },
         "no program is reading from the FIFO", true},
        {"link loop",
         [](const scratch_folder& f) {
             fs::create_symlink("loop2.txt", f / "loop.txt");
             fs::create_symlink("loop.txt", f / "loop2.txt");
             return f / "loop.txt";
         },
         ELOOP,
         [](const scratch_folder& f, const std::string& p, const std::string&) {
             EXPECT_TRUE(S_ISLNK(lstat_of(p).mode));
             EXPECT_TRUE(S_ISLNK(lstat_of(f / "loop2.txt").mode));
         }},
        {"pipe reached as /dev/stdout reaches standard output",
         [](const scratch_folder& f) {
             fs::create_symlink("/proc/self/fd/" + std::to_string(the_pipe().write_end), f / "stdout.txt");
             return f / "stdout.txt";
         },
         0,
         [](const scratch_folder&, const std::string& p, const std::string& content) {
             EXPECT_TRUE(S_ISLNK(lstat_of(p).mode));
             EXPECT_EQ(drain(the_pipe().read_end), content);
         }},
    };
    if (const std::string theirs = root_folder_for_user(); !theirs.empty()) {
        // Root's folder, which the user may not write: root's file there that anyone may write
        // is written in place; a new file cannot be made, and the refusal says where.
        table.push_back({"writable file in a folder the user may not write",
                         [theirs](const scratch_folder&) {
                             const std::string path = theirs + "/" + kSharedFileName;
                             std::ofstream(path, std::ios::binary | std::ios::trunc) << "old";
                             return path;
                         },
                         0,
                         [](const scratch_folder&, const std::string& p, const std::string& content) {
                             expect_regular_with(p, 0666, 0, content);
                         }});
        table.push_back({"new file in a folder the user may not write",
                         [theirs](const scratch_folder&) { return theirs + "/fresh.txt"; }, EACCES,
                         [](const scratch_folder&, const std::string& p, const std::string&) {
                             EXPECT_FALSE(lstat_of(p).exists);
                         },
                         "a new file cannot be made in the folder"});
    }
    if (root) {
        // Devices of the test's own folder with the numbers of /dev/null and /dev/full, never
        // the real ones: a save that replaced the node as root would leave the system without
        // them. A full disk is reported, and each node stays a device.
        table.push_back({"null device through a link",
                         [](const scratch_folder& f) {
                             ::mknod((f / "device").c_str(), S_IFCHR | 0666, makedev(1, 3));
                             return link_to(f, "null.txt", "device");
                         },
                         0,
                         [](const scratch_folder& f, const std::string& p, const std::string&) {
                             expect_link_to_device(p, f / "device");
                         }});
        table.push_back({"full device",
                         [](const scratch_folder& f) {
                             ::mknod((f / "full.txt").c_str(), S_IFCHR | 0666, makedev(1, 7));
                             return f / "full.txt";
                         },
                         ENOSPC,
                         [](const scratch_folder&, const std::string& p, const std::string&) {
                             EXPECT_TRUE(S_ISCHR(lstat_of(p).mode));
                         }});
        table.push_back({"read-only file (root may write it)",
                         [](const scratch_folder& f) {
                             make_file(f / "locked.txt", "old", 0444);
                             return f / "locked.txt";
                         },
                         0,
                         [](const scratch_folder&, const std::string& p, const std::string& content) {
                             expect_regular_with(p, 0444, 0, content);
                         }});
        // As the kernel's protected links: another user's link in a sticky folder that anyone
        // may write is not followed (root's save would land on any file the link names); the
        // folder owner's is.
        table.push_back({"another user's link in a sticky folder",
                         [](const scratch_folder& f) { return sticky_link(f, kOtherUid, 0); }, EACCES,
                         [](const scratch_folder& f, const std::string& p, const std::string&) {
                             EXPECT_TRUE(S_ISLNK(lstat_of(p).mode));
                             expect_regular_with(f / "victim.txt", 0600, 0, "secret");
                         },
                         "belongs neither to you nor to the folder's owner"});
        table.push_back({"the folder owner's link in a sticky folder",
                         [](const scratch_folder& f) { return sticky_link(f, kOtherUid, kOtherUid); }, 0,
                         [](const scratch_folder& f, const std::string& p, const std::string& content) {
                             EXPECT_TRUE(S_ISLNK(lstat_of(p).mode));
                             expect_regular_with(f / "victim.txt", 0600, 0, content);
                         }});
        table.push_back({"another user's file",
                         [](const scratch_folder& f) {
                             make_file(f / "theirs.txt", "old", 0640);
                             EXPECT_EQ(::chown((f / "theirs.txt").c_str(), kOtherUid, kOtherGid), 0);
                             return f / "theirs.txt";
                         },
                         0,
                         [](const scratch_folder&, const std::string& p, const std::string& content) {
                             expect_regular_with(p, 0640, kOtherUid, content);
                         }});
    } else {
        // The real devices through links of the test's own: a user cannot replace them.
        table.push_back({"/dev/null", [](const scratch_folder& f) { return link_to(f, "null.txt", "/dev/null"); }, 0,
                         [](const scratch_folder&, const std::string& p, const std::string&) {
                             expect_link_to_device(p, "/dev/null");
                         }});
        table.push_back({"/dev/full", [](const scratch_folder& f) { return link_to(f, "full.txt", "/dev/full"); },
                         ENOSPC,
                         [](const scratch_folder&, const std::string& p, const std::string&) {
                             expect_link_to_device(p, "/dev/full");
                         }});
        table.push_back({"read-only file",
                         [](const scratch_folder& f) {
                             make_file(f / "locked.txt", "old", 0444);
                             return f / "locked.txt";
                         },
                         EACCES,
                         [](const scratch_folder&, const std::string& p, const std::string&) {
                             EXPECT_EQ(read_file(p), "old");
                             EXPECT_EQ(lstat_of(p).mode & 07777, 0444u);
                         }});
    }
    return table;
}

} // namespace

void expect_saves_keep_each_path(const save_function& save, const expectations& expected)
{
    for (const save_case& c : cases()) {
        SCOPED_TRACE(c.what);
        scratch_folder folder;
        const std::string path = c.prepare(folder);
        // A FIFO's reader, opened without waiting for a writer: the save's bytes wait in the pipe.
        const int reader = S_ISFIFO(lstat_of(path).mode) && !c.unread
                               ? ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)
                               : -1;
        std::string error;
        const bool saved = save(path, error);
        if (reader >= 0) {
            if (saved) {
                EXPECT_EQ(drain(reader), expected.content(path));
            }
            ::close(reader);
        }
        EXPECT_EQ(saved, c.refused_with == 0) << error;
        if (c.refused_with != 0) {
            const char* says = c.refusal_says != nullptr ? c.refusal_says : std::strerror(c.refused_with);
            EXPECT_NE(error.find(says), std::string::npos) << error;
            if (expected.error_names_path) {
                EXPECT_NE(error.find(path), std::string::npos) << error;
            }
        }
        if (c.check)
            c.check(folder, path, expected.content(path));
        // No temporary file is left beside the target.
        for (const auto& entry : fs::recursive_directory_iterator(folder.path)) {
            EXPECT_EQ(entry.path().filename().string().find(".txt."), std::string::npos) << entry.path();
        }
    }
}

void expect_passes_as_a_user(const char* gtest_filter)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "runs as a user from a root run";
    const std::string filter = std::string("--gtest_filter=") + gtest_filter;
    scratch_folder theirs; // root's folder, which the user may not write
    ASSERT_EQ(::chmod(theirs.path.c_str(), 0755), 0);
    make_file(theirs / kSharedFileName, "old", 0666);
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv(kRootFolderVariable, theirs.path.c_str(), 1);
        if (::setgroups(0, nullptr) != 0 || ::setgid(kOtherGid) != 0 || ::setuid(kOtherUid) != 0)
            ::_exit(3);
        ::setenv("TMPDIR", "/tmp", 1);
        ::setenv("HOME", "/tmp", 1);
        ::unsetenv("XDG_RUNTIME_DIR");
        ::execl("/proc/self/exe", "save_targets_as_user", filter.c_str(), static_cast<char*>(nullptr));
        ::_exit(4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << gtest_filter << " failed as the user nobody";
}

} // namespace save_targets
