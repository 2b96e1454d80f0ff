#include "platform/win32/file_writer.h"
#include "tests/support/save_table.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

const std::string kNew = "new content\r\n";

bool write_new(const std::string& path, std::string& error) { return win32::write_file(path, kNew, error); }

// Runs the table as whoever runs the test.
TEST(FileWriter, SavesLeaveThePathWhatItWas) { ostrel::test::run_save_table(write_new, kNew); }

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
    ostrel::test::run_test_as_user("FileWriter.SavesLeaveThePathWhatItWas");
}

} // namespace
