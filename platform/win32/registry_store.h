#pragma once
// The process's view of the registry files (registry_location.h): the file that is read and
// written and, where there is one, the file read beneath it. Every call first makes sure the
// trees match the files (another process may have replaced them); a change is made under an
// exclusive flock on "<file>.lock" against the file's latest contents and written to a
// temporary file that is then renamed over the registry, so readers never see half a file.
// One mutex serialises the threads of the process. Only regular files of at most
// 16 MiB that no other user may change are read (docs/building.md).

#include "platform/win32/registry_location.h"
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

    // Runs `read` on the current view; its result is the call's, unless a file cannot be read
    // (ERROR_REGISTRY_IO_FAILED) or is not a registry file (ERROR_REGISTRY_CORRUPT).
    LONG read(const std::function<LONG(registry_tree&)>& read);
    // Runs `change` on the latest view under the lock; when it succeeds and sets `changed`, the
    // written file takes the change. A change that removes what only the file beneath holds is
    // refused (ERROR_ACCESS_DENIED). A failed write leaves the files as they were.
    LONG write(const std::function<LONG(registry_tree&, bool& changed)>& change);

    // Why the registry was last found unusable (naming the file and the reason: not a regular
    // file, too large, writable by another user, not a registry), for the error a user sees;
    // empty when it never was.
    std::string last_failure() const;

    // Where the registry is; the process's own resolution unless a test sets it.
    using locator = std::function<registry_location()>;
    explicit registry_store(locator where = current_registry_location);

private:
    struct file_signature {
        bool exists = false;
        unsigned long long device = 0, inode = 0, size = 0;
        long long mtime_sec = 0, mtime_nsec = 0;
        bool operator==(const file_signature&) const = default;
    };

    struct layer {
        std::string path;
        bool loaded = false;
        file_signature signature;
        registry_tree tree;
    };

    static file_signature signature_of(const struct stat& st);
    LONG refresh(layer& file, bool force, bool& reloaded);
    LONG failed(const std::string& path, const std::string& why);
    void set_failure(const std::string& path, const std::string& why);
    void set_failure_text(const std::string& text);
    LONG refresh_all(bool force_upper);
    LONG save(const registry_tree& tree);

    locator where_;
    std::mutex mutex_;
    layer upper_;
    layer lower_;
    bool view_valid_ = false;
    registry_tree view_;
    mutable std::mutex failure_mutex_;
    std::string failure_;
};

} // namespace win32::registry_detail
