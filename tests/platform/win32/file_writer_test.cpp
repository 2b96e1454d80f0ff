#include "platform/win32/file_writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>
#include <cstring>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

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
        std::string pattern = (fs::temp_directory_path() / "file-writer.XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        ::chmod(path.c_str(), 0777);
    }
    ~scratch_folder() { fs::remove_all(path); }
    std::string operator/(const char* name) const { return path + "/" + name; }
    std::string path;
};

struct save_case {
    const char* what;
    std::function<std::string(const scratch_folder&)> prepare; // makes the node, gives the path
    bool saves;                                                 // the save succeeds
    std::function<void(const scratch_folder&, const std::string&)> check;
};

const std::string kNew = "new content\r\n";

void expect_regular_with(const std::string& path, mode_t mode, uid_t uid)
{
    const node n = lstat_of(path);
    EXPECT_TRUE(S_ISREG(n.mode)) << path;
    EXPECT_EQ(n.mode & 07777, mode) << path;
    EXPECT_EQ(n.uid, uid) << path;
    EXPECT_EQ(read_file(path), kNew) << path;
}

std::vector<save_case> cases()
{
    const bool root = ::geteuid() == 0;
    std::vector<save_case> table = {
        {"new file", [](const scratch_folder& f) { return f / "new.txt"; }, true,
         [](const scratch_folder&, const std::string& p) {
             const mode_t mask = ::umask(0);
             ::umask(mask);
             expect_regular_with(p, 0666 & ~mask, ::geteuid());
         }},
        {"regular file with a mode and set-group bit",
         [](const scratch_folder& f) {
             make_file(f / "r.txt", "old content that is longer than the new one", 02640);
             return f / "r.txt";
         },
         true, [](const scratch_folder&, const std::string& p) { expect_regular_with(p, 02640, ::geteuid()); }},
        {"symbolic link",
         [](const scratch_folder& f) {
             make_file(f / "target.txt", "old", 0644);
             fs::create_symlink("target.txt", f / "link.txt");
             return f / "link.txt";
         },
         true,
         [](const scratch_folder& f, const std::string& p) {
             EXPECT_TRUE(S_ISLNK(lstat_of(p).mode));
             expect_regular_with(f / "target.txt", 0644, ::geteuid());
         }},
        {"hard link",
         [](const scratch_folder& f) {
             make_file(f / "one.txt", "old old old old", 0644);
             fs::create_hard_link(f / "one.txt", f / "two.txt");
             return f / "two.txt";
         },
         true,
         [](const scratch_folder& f, const std::string& p) {
             expect_regular_with(p, 0644, ::geteuid());
             EXPECT_EQ(lstat_of(p).links, 2u);
             EXPECT_EQ(read_file(f / "one.txt"), kNew);
         }},
        {"FIFO",
         [](const scratch_folder& f) {
             ::mkfifo((f / "pipe").c_str(), 0666);
             return f / "pipe";
         },
         true, [](const scratch_folder&, const std::string& p) { EXPECT_TRUE(S_ISFIFO(lstat_of(p).mode)); }},
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
                         false, [](const scratch_folder&, const std::string& p) {
                             EXPECT_TRUE(S_ISCHR(lstat_of(p).mode));
                         }});
        table.push_back({"read-only file (root may write it)",
                         [](const scratch_folder& f) {
                             make_file(f / "ro.txt", "old", 0444);
                             return f / "ro.txt";
                         },
                         true, [](const scratch_folder&, const std::string& p) { expect_regular_with(p, 0444, 0); }});
        table.push_back({"another user's file",
                         [](const scratch_folder& f) {
                             make_file(f / "theirs.txt", "old", 0640);
                             EXPECT_EQ(::chown((f / "theirs.txt").c_str(), kOtherUid, kOtherGid), 0);
                             return f / "theirs.txt";
                         },
                         true, [](const scratch_folder&, const std::string& p) {
                             expect_regular_with(p, 0640, kOtherUid);
                         }});
    } else {
        // The real devices: a user cannot replace them whatever the writer did.
        table.push_back({"/dev/full", [](const scratch_folder&) { return std::string("/dev/full"); }, false,
                         [](const scratch_folder&, const std::string& p) { EXPECT_TRUE(S_ISCHR(lstat_of(p).mode)); }});
        table.push_back({"/dev/null", [](const scratch_folder&) { return std::string("/dev/null"); }, true,
                         [](const scratch_folder&, const std::string& p) { EXPECT_TRUE(S_ISCHR(lstat_of(p).mode)); }});
        table.push_back({"read-only file",
                         [](const scratch_folder& f) {
                             make_file(f / "ro.txt", "old", 0444);
                             return f / "ro.txt";
                         },
                         false, [](const scratch_folder&, const std::string& p) {
                             EXPECT_EQ(read_file(p), "old");
                             EXPECT_EQ(lstat_of(p).mode & 07777, 0444u);
                         }});
    }
    return table;
}

// Runs the table as whoever runs the test.
TEST(FileWriter, SavesLeaveThePathWhatItWas)
{
    for (const save_case& c : cases()) {
        SCOPED_TRACE(c.what);
        scratch_folder folder;
        const std::string path = c.prepare(folder);
        std::string error;
        if (S_ISFIFO(lstat_of(path).mode)) {
            // A FIFO's open waits for its reader.
            const pid_t reader = ::fork();
            if (reader == 0) {
                const int fd = ::open(path.c_str(), O_RDONLY);
                char buffer[64];
                while (fd >= 0 && ::read(fd, buffer, sizeof buffer) > 0) {
                }
                ::_exit(0);
            }
            EXPECT_TRUE(win32::write_file(path, kNew, error)) << error;
            ::waitpid(reader, nullptr, 0);
        } else {
            EXPECT_EQ(win32::write_file(path, kNew, error), c.saves) << error;
        }
        if (!c.saves) {
            EXPECT_FALSE(error.empty());
        }
        if (c.check)
            c.check(folder, path);
        // No temporary file is left beside the target.
        for (const auto& entry : fs::directory_iterator(folder.path)) {
            EXPECT_EQ(entry.path().filename().string().find(".txt."), std::string::npos) << entry.path();
        }
    }
}

TEST(FileWriter, AFullDiskIsReportedWithItsReason)
{
    std::string error;
    EXPECT_FALSE(win32::write_file("/dev/full", kNew, error));
    EXPECT_EQ(error, std::strerror(ENOSPC));
}

// The same table as a user without privileges, in a process of its own.
TEST(FileWriter, SavesLeaveThePathWhatItWasForAUser)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "runs as a user from a root run";
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kOtherGid) != 0 || ::setuid(kOtherUid) != 0)
            ::_exit(3);
        ::setenv("TMPDIR", "/tmp", 1);
        ::execl("/proc/self/exe", "file_writer_test", "--gtest_filter=FileWriter.SavesLeaveThePathWhatItWas",
                static_cast<char*>(nullptr));
        ::_exit(4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
