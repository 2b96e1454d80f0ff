#pragma once
// Writing a file the way a person's save expects: what is at the path stays what it was, only
// its content changes.
//
// The path's links are followed as the kernel follows them for this caller with
// fs.protected_symlinks on (link_walk.h): a link another user planted in a sticky folder that
// anyone may write is refused, naming the link and why, and a loop is refused (ELOOP); a link
// that is followed stays a link and the file it finally names is written.
//
// A new file, or a regular file that has one name, an owner we can keep and a folder we may
// write, is written into a temporary file beside it and renamed into place once complete, so
// it appears whole or not at all, with the old file's permissions and owner. Everything else
// is written in place, since a rename would replace the node itself or cannot be made: a
// character device (/dev/null, /dev/full), a FIFO or a pipe (/dev/stdout), a regular file with
// more than one name (a hard link would be split), a regular file whose owner we could not
// give the new one (another user's file that we may write), and a file we may write in a
// folder we may not. An existing file we may not write is refused, even where its folder
// would let us replace it.
//
// Nothing waits: a FIFO that nobody reads is refused at once, and a reader that takes nothing
// for ten seconds ends the write with that reason, so a save never hangs the program.
//
// `open` checks the path before anything is produced, so that a path that cannot be written
// fails at once, and creates nothing: the temporary file of a replace is made by `commit`,
// which writes the bytes, so a run stopped in between leaves nothing behind. Errors are the
// reason alone (the system's text for the errno, "No space left on device", and where it
// helps why): the caller names the path.

#include "platform/win32/unique_fd.h"

#include <sys/types.h>

#include <string>
#include <string_view>

namespace win32 {

class file_writer {
public:
    file_writer() = default;
    file_writer(const file_writer&) = delete;
    file_writer& operator=(const file_writer&) = delete;

    // Makes sure `path` can be written; false with the reason in `error` when it cannot.
    bool open(const std::string& path, std::string& error);
    // Writes `bytes` as the file's whole content and puts the file in place; false with the
    // reason. A file that is replaced through a temporary one is untouched when this fails;
    // one written in place may be left part-written.
    bool commit(std::string_view bytes, std::string& error);

private:
    enum class way { none, replace, in_place };

    void clear();
    bool open_in_place(int folder, const std::string& name, mode_t kind, std::string& error);
    bool replace(std::string_view bytes, std::string& error);
    bool write_in_place(std::string_view bytes, std::string& error);

    way way_ = way::none;
    unique_fd fd_;            // in place: the file, open for writing
    bool truncate_ = false;   // in place: a regular file, cut to the new length
    unique_fd folder_;        // replace: the folder that holds the file
    std::string name_;        // replace: the file's name in it
    std::string folder_text_; // replace: the folder, for messages
    bool exists_ = false;     // replace: an existing file, whose owner and mode the new one takes
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    mode_t mode_ = 0;
};

// open and commit in one step.
bool write_file(const std::string& path, std::string_view bytes, std::string& error);

} // namespace win32
