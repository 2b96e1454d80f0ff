#include "platform/win32/file_writer.h"
#include "tests/support/save_targets.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

const std::string kNew = "new content\r\n";

bool write_new(const std::string& path, std::string& error) { return win32::write_file(path, kNew, error); }

// Runs the table as whoever runs the test; the writer's errors are the reason alone.
TEST(FileWriter, SavesLeaveThePathWhatItWas)
{
    save_targets::expect_saves_keep_each_path(write_new, {save_targets::always(kNew), false});
}

TEST(FileWriter, AFullDiskIsReportedWithItsReason)
{
    std::string error;
    EXPECT_FALSE(win32::write_file("/dev/full", kNew, error));
    EXPECT_EQ(error, std::strerror(ENOSPC));
}

TEST(FileWriter, SavesLeaveThePathWhatItWasForAUser)
{
    save_targets::expect_passes_as_a_user("FileWriter.SavesLeaveThePathWhatItWas");
}

} // namespace
