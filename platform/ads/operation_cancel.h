#pragma once
// A stop switch for the directory operations of a piece of work (a collection run, say): once
// cancelled, every connection they hold is shut from the cancelling side, so a call waiting on
// a server that accepted and never answers returns at once (as a lost connection) instead of
// after the operation timeout, and a connection opened afterwards is shut as soon as it is
// made. The work's thread names its switch with `cancel_scope`; a session opened on that
// thread registers its socket with it.

#include <memory>
#include <mutex>
#include <set>

namespace ads {

class operation_cancel {
public:
    // Shuts every registered connection (and each one registered later); callable from any
    // thread, any number of times.
    void cancel();
    bool cancelled() const;

    // A connection's socket, from when it is established until just before it is closed.
    void add(int socket);
    void remove(int socket);

private:
    mutable std::mutex lock_;
    bool cancelled_ = false;
    std::set<int> sockets_;
};

// Makes `cancel` the switch of the calling thread's directory operations for its lifetime.
class cancel_scope {
public:
    explicit cancel_scope(std::shared_ptr<operation_cancel> cancel);
    ~cancel_scope();
    cancel_scope(const cancel_scope&) = delete;
    cancel_scope& operator=(const cancel_scope&) = delete;

private:
    std::shared_ptr<operation_cancel> previous_;
};

// The calling thread's switch; null outside any cancel_scope.
std::shared_ptr<operation_cancel> current_operation_cancel();

} // namespace ads
