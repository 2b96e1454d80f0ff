#pragma once
// The table every save is tried against: what is at the path before the save (nothing, a
// regular file with a mode, a read-only file, a symbolic link, a hard link, a FIFO, a device,
// another user's file, a folder, a missing folder) and what must be there after it. One table
// for the file writer itself and for each save built on it, run as whoever runs the test and,
// from a root run, again as an unprivileged user in a process of its own.
//
// Every path the table gives ends in ".txt" and names a valid control after its folder, so a
// save that picks its own file name in a folder (a captions file) is tried on the same nodes.

#include <functional>
#include <string>
#include <utility>

namespace save_targets {

// Saves to `path`; false with the message a person would get in `error`.
using save_function = std::function<bool(const std::string& path, std::string& error)>;

struct expectations {
    // What a save to the path that succeeds leaves in the file (a captions file's text names
    // the control the path is named after).
    std::function<std::string(const std::string& path)> content;
    bool error_names_path = false; // whether a failed save's message names the path
};

// The same content whatever the path.
inline std::function<std::string(const std::string&)> always(std::string content)
{
    return [content = std::move(content)](const std::string&) { return content; };
}

// Runs the table through `save`.
void expect_saves_keep_each_path(const save_function& save, const expectations& expected);

// From a root run: runs the test named `gtest_filter` of this test program again as the user
// nobody and expects it to pass. Skips the calling test when not run as root.
void expect_passes_as_a_user(const char* gtest_filter);

} // namespace save_targets
