#pragma once
// The table of what a save may find at its path, shared by every test of a save: a new file, a
// regular file with a mode and the set-group bit, a symbolic link, a hard link, a FIFO, a folder,
// a missing folder; as root also a device with /dev/full's numbers, a read-only file and another
// user's file; as a user the real /dev/full and /dev/null and a read-only file. Each case checks
// that the save succeeds or fails as it should and that the node is still what it was.

#include <functional>
#include <string>

namespace ostrel::test {

// Saves to `path`: true, or false with what the person is told in `error`.
using save_function = std::function<bool(const std::string& path, std::string& error)>;

// Runs the table, as whoever runs the test, through `save`, which writes exactly `written`.
void run_save_table(const save_function& save, const std::string& written);

// Runs this test program again as an unprivileged user (nobody) with only `gtest_filter`
// selected, and expects it to pass. Only root can become that user: the caller skips otherwise.
void run_test_as_user(const char* gtest_filter);

} // namespace ostrel::test
