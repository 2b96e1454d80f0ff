#pragma once
// Writing a file the way a person's save expects: what is at the path stays what it was, only
// its content changes.
//
// A new file, or a regular file that has one name and an owner we can keep, is written into a
// temporary file beside it and renamed into place once complete, so it appears whole or not at
// all, with the old file's permissions and owner. Everything else is written in place, since a
// rename would replace the node itself: a character device (/dev/null, /dev/full), a FIFO, a
// regular file with more than one name (a hard link would be split), and a regular file whose
// owner we could not give the new one (another user's file that we may write). A symbolic link
// stays a link; the file it finally names is written. An existing file we may not write is
// refused, even where its folder would let us replace it.
//
// The path is checked and opened by `open`, before anything is produced, so that a path that
// cannot be written fails at once; `commit` writes the bytes. Errors are the reason alone (the
// system's text for the errno, "No space left on device"): the caller names the path.

#include <string>
#include <string_view>

namespace win32 {

class file_writer {
public:
    file_writer() = default;
    ~file_writer();
    file_writer(const file_writer&) = delete;
    file_writer& operator=(const file_writer&) = delete;

    // Makes sure `path` can be written; false with the reason in `error` when it cannot.
    bool open(const std::string& path, std::string& error);
    // Writes `bytes` as the file's whole content and puts the file in place; false with the
    // reason. A file that is replaced through a temporary one is untouched when this fails;
    // one written in place (a hard-linked or another user's file) may be left part-written.
    bool commit(std::string_view bytes, std::string& error);

private:
    void discard();

    int fd_ = -1;
    bool in_place_ = false;
    bool truncate_ = false;  // a regular file written in place: cut to the new length
    std::string target_;     // the file that ends up holding the bytes
    std::string temporary_;  // the file renamed over the target at the end; empty in place
};

// open and commit in one step.
bool write_file(const std::string& path, std::string_view bytes, std::string& error);

} // namespace win32
