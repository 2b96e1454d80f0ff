#pragma once
// The process's view of the registry file. Every call first makes sure the tree matches the
// file (another process may have replaced it); a change is made under an exclusive flock on
// "<file>.lock" against the file's latest contents and written to a temporary file that is
// then renamed over the registry, so readers never see half a file. One mutex serialises the
// threads of the process.

#include "platform/win32/registry_tree.h"
#include "platform/win32/win_types.h"

#include <sys/stat.h>

#include <functional>
#include <mutex>
#include <string>

namespace win32::registry_detail {

class registry_store {
public:
    static registry_store& instance();

    // Runs `read` on the current tree; its result is the call's, unless the file cannot be read
    // (ERROR_REGISTRY_IO_FAILED) or is not a registry file (ERROR_REGISTRY_CORRUPT).
    LONG read(const std::function<LONG(registry_tree&)>& read);
    // Runs `change` on the file's latest tree under the lock; when it succeeds and sets `changed`,
    // the tree is written back. A failed write leaves the file as it was and reloads the tree.
    LONG write(const std::function<LONG(registry_tree&, bool& changed)>& change);

    static std::string current_path();

private:
    struct file_signature {
        bool exists = false;
        unsigned long long device = 0, inode = 0, size = 0;
        long long mtime_sec = 0, mtime_nsec = 0;
        bool operator==(const file_signature&) const = default;
    };

    static file_signature signature_of(const struct stat& st);
    LONG refresh(bool force);
    LONG save();

    std::mutex mutex_;
    std::string path_;
    bool loaded_ = false;
    file_signature signature_;
    registry_tree tree_;
};

} // namespace win32::registry_detail
