#include "platform/ads/operation_cancel.h"

#include <sys/socket.h>

#include <utility>

namespace ads {

namespace {

thread_local std::shared_ptr<operation_cancel> t_current;

// Shutting (not closing) leaves the descriptor to its owner, which still closes it; its wait
// on the socket ends at once with end of file. Only the reading side: the owner's farewell
// written afterwards must not raise SIGPIPE in a process that never asked for it.
void end_reading(int socket) { ::shutdown(socket, SHUT_RD); }

} // namespace

void operation_cancel::cancel()
{
    std::lock_guard guard(lock_);
    cancelled_ = true;
    for (int socket : sockets_)
        end_reading(socket);
}

bool operation_cancel::cancelled() const
{
    std::lock_guard guard(lock_);
    return cancelled_;
}

void operation_cancel::add(int socket)
{
    std::lock_guard guard(lock_);
    sockets_.insert(socket);
    if (cancelled_)
        end_reading(socket);
}

void operation_cancel::remove(int socket)
{
    std::lock_guard guard(lock_);
    sockets_.erase(socket);
}

cancel_scope::cancel_scope(std::shared_ptr<operation_cancel> cancel)
    : previous_(std::exchange(t_current, std::move(cancel)))
{
}

cancel_scope::~cancel_scope() { t_current = std::move(previous_); }

std::shared_ptr<operation_cancel> current_operation_cancel() { return t_current; }

} // namespace ads
