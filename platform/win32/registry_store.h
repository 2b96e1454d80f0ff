#pragma once
// The process's view of the registry files (registry_location.h): the file that is read and
// written and, where there is one, the file read beneath it. Every call first makes sure the
// trees match the files (another process may have replaced them); a change is made under an
// exclusive flock on "<file>.lock" against the file's latest contents and written to a
// temporary file that is then renamed over the registry, so readers never see half a file.
// One mutex serialises the threads of the process. Only regular files of at most
// 16 MiB that no other user may change are read (docs/building.md).
//
// A batch makes many changes one change of the file: it takes the lock and loads the file once
// when it begins, the thread's changes and reads in between work on that view, and its end
// writes them in one save, or nothing. A single change is a batch of its own.

#include "platform/win32/registry_location.h"
#include "platform/win32/registry_tree.h"
#include "platform/win32/unique_fd.h"
#include "platform/win32/win_types.h"

#include <sys/stat.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

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

    // Begins a batch on this thread: under the lock, against the file's latest contents (the
    // errors of `write` when the file cannot be locked or read, and then there is no batch).
    // Until its end this thread's reads and writes see the batch's changes, each refused change
    // leaving nothing behind as outside a batch, and other threads wait. Batches nest: an inner
    // one joins the outer one, and only the outermost end writes.
    LONG begin_batch();
    // Ends the batch begun last on this thread. The outermost end with `commit` writes every
    // change of the batch in one save (ERROR_CANCELLED and nothing written when an inner batch
    // ended without commit; a failed save leaves the file as it was); without `commit` nothing
    // of the batch is written.
    LONG end_batch(bool commit);

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
    bool batch_is_this_threads() const { return batch_owner_.load() == std::this_thread::get_id(); }
    LONG lock_file(const std::string& path);
    LONG apply(const std::function<LONG(registry_tree&, bool& changed)>& change);

    locator where_;
    std::mutex mutex_;
    layer upper_;
    layer lower_;
    bool view_valid_ = false;
    registry_tree view_;

    // The batch under way, which holds mutex_ from its beginning to its end.
    std::atomic<std::thread::id> batch_owner_{};
    int batch_depth_ = 0;
    unique_fd batch_file_lock_;
    bool batch_changed_ = false;
    bool batch_abandoned_ = false;
    registry_tree batch_upper_; // the upper tree the batch's changes make

    mutable std::mutex failure_mutex_;
    std::string failure_;
};

} // namespace win32::registry_detail
