#include "tests/support/save_table.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
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

namespace ostrel::test {
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
        std::string pattern = (fs::temp_directory_path() / "save-table.XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        ::chmod(path.c_str(), 0777);
    }
    ~scratch_folder() { fs::remove_all(path); }
    std::string operator/(const char* name) const { return path + "/" + name; }
    std::string path;
};

using check_function = std::function<void(const scratch_folder&, const std::string& path, const std::string& written)>;

struct save_case {
    const char* what;
    std::function<std::string(const scratch_folder&)> prepare; // makes the node, gives the path
    bool saves;                                                 // the save succeeds
    check_function check;
};

void expect_regular_with(const std::string& path, mode_t mode, uid_t uid, const std::string& written)
{
    const node n = lstat_of(path);
    EXPECT_TRUE(S_ISREG(n.mode)) << path;
    EXPECT_EQ(n.mode & 07777, mode) << path;
    EXPECT_EQ(n.uid, uid) << path;
    EXPECT_EQ(read_file(path), written) << path;
}

check_function regular_with(mode_t mode, uid_t uid)
{
    return [mode, uid](const scratch_folder&, const std::string& p, const std::string& written) {
        expect_regular_with(p, mode, uid, written);
    };
}

void expect_device(const scratch_folder&, const std::string& p, const std::string&)
{
    EXPECT_TRUE(S_ISCHR(lstat_of(p).mode));
}

std::vector<save_case> cases()
{
    const bool root = ::geteuid() == 0;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    std::vector<save_case> table = {
        {"new file", [](const scratch_folder& f) { return f / "new.txt"; }, true, regular_with(0666 & ~mask, ::geteuid())},
        {"regular file with a mode and set-group bit",
         [](const scratch_folder& f) {
             make_file(f / "r.txt", std::string(4096, 'o'), 02640);
             return f / "r.txt";
         },
         true, regular_with(02640, ::geteuid())},
        {"symbolic link",
         [](const scratch_folder& f) {
             make_file(f / "target.txt", "old", 0644);
             fs::create_symlink("target.txt", f / "link.txt");
             return f / "link.txt";
         },
         true,
         [](const scratch_folder& f, const std::string& p, const std::string& written) {
             EXPECT_TRUE(S_ISLNK(lstat_of(p).mode));
             expect_regular_with(f / "target.txt", 0644, ::geteuid(), written);
         }},
        {"hard link",
         [](const scratch_folder& f) {
             make_file(f / "one.txt", std::string(4096, 'o'), 0644);
             fs::create_hard_link(f / "one.txt", f / "two.txt");
             return f / "two.txt";
         },
         true,
         [](const scratch_folder& f, const std::string& p, const std::string& written) {
             expect_regular_with(p, 0644, ::geteuid(), written);
             EXPECT_EQ(lstat_of(p).links, 2u);
             EXPECT_EQ(read_file(f / "one.txt"), written);
         }},
        {"FIFO",
         [](const scratch_folder& f) {
             ::mkfifo((f / "pipe").c_str(), 0666);
             return f / "pipe";
         },
         true,
         [](const scratch_folder&, const std::string& p, const std::string&) { EXPECT_TRUE(S_ISFIFO(lstat_of(p).mode)); }},
        {"folder", [](const scratch_folder& f) { return f.path; }, false, nullptr},
        {"missing folder", [](const scratch_folder& f) { return f / "missing/r.txt"; }, false, nullptr},
    };
    if (root) {
        // A device of the test's own folder with the numbers of /dev/full: a full disk is
        // reported, and the node stays a device.
        table.push_back({"full device",
                         [](const scratch_folder& f) {
                             ::mknod((f / "full").c_str(), S_IFCHR | 0666, makedev(1, 7));
                             return f / "full";
                         },
                         false, expect_device});
        table.push_back({"read-only file (root may write it)",
                         [](const scratch_folder& f) {
                             make_file(f / "ro.txt", "old", 0444);
                             return f / "ro.txt";
                         },
                         true, regular_with(0444, 0)});
        table.push_back({"another user's file",
                         [](const scratch_folder& f) {
                             make_file(f / "theirs.txt", "old", 0640);
                             EXPECT_EQ(::chown((f / "theirs.txt").c_str(), kOtherUid, kOtherGid), 0);
                             return f / "theirs.txt";
                         },
                         true, regular_with(0640, kOtherUid)});
    } else {
        // The real devices: a user cannot replace them whatever the writer did.
        table.push_back(
            {"/dev/full", [](const scratch_folder&) { return std::string("/dev/full"); }, false, expect_device});
        table.push_back(
            {"/dev/null", [](const scratch_folder&) { return std::string("/dev/null"); }, true, expect_device});
        table.push_back({"read-only file",
                         [](const scratch_folder& f) {
                             make_file(f / "ro.txt", "old", 0444);
                             return f / "ro.txt";
                         },
                         false, [](const scratch_folder&, const std::string& p, const std::string&) {
                             EXPECT_EQ(read_file(p), "old");
                             EXPECT_EQ(lstat_of(p).mode & 07777, 0444u);
                         }});
    }
    return table;
}

} // namespace

void run_save_table(const save_function& save, const std::string& written)
{
    for (const save_case& c : cases()) {
        SCOPED_TRACE(c.what);
        scratch_folder folder;
        const std::string path = c.prepare(folder);
        std::string error;
        if (S_ISFIFO(lstat_of(path).mode)) {
            // A FIFO's open waits for its reader, which reads what the save wrote.
            int pipe_fds[2];
            ASSERT_EQ(::pipe(pipe_fds), 0);
            const pid_t reader = ::fork();
            if (reader == 0) {
                ::close(pipe_fds[0]);
                const int fd = ::open(path.c_str(), O_RDONLY);
                char buffer[4096];
                ssize_t n = 0;
                while (fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0)
                    if (::write(pipe_fds[1], buffer, static_cast<size_t>(n)) != n)
                        ::_exit(1);
                ::_exit(0);
            }
            ::close(pipe_fds[1]);
            EXPECT_TRUE(save(path, error)) << error;
            // A save that replaced the FIFO by a file never opens it: the reader would wait
            // for ever.
            if (!S_ISFIFO(lstat_of(path).mode))
                ::kill(reader, SIGKILL);
            std::string read_back;
            char buffer[4096];
            ssize_t n = 0;
            while ((n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0)
                read_back.append(buffer, static_cast<size_t>(n));
            ::close(pipe_fds[0]);
            ::waitpid(reader, nullptr, 0);
            EXPECT_EQ(read_back, written);
        } else {
            EXPECT_EQ(save(path, error), c.saves) << error;
        }
        if (!c.saves) {
            EXPECT_FALSE(error.empty());
        }
        if (c.check)
            c.check(folder, path, written);
        // No temporary file is left beside the target.
        for (const auto& entry : fs::directory_iterator(folder.path)) {
            EXPECT_EQ(entry.path().filename().string().find(".txt."), std::string::npos) << entry.path();
        }
    }
}

void run_test_as_user(const char* gtest_filter)
{
    ASSERT_EQ(::geteuid(), 0u) << "only root can run a test as another user";
    const std::string filter = std::string("--gtest_filter=") + gtest_filter;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kOtherGid) != 0 || ::setuid(kOtherUid) != 0)
            ::_exit(3);
        ::setenv("TMPDIR", "/tmp", 1);
        ::execl("/proc/self/exe", "save_table_as_user", filter.c_str(), static_cast<char*>(nullptr));
        ::_exit(4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace ostrel::test
