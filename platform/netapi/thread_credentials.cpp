#include "platform/netapi/thread_credentials.h"

namespace netapi {

namespace {

thread_local std::optional<user_credentials> current;

} // namespace

void set_thread_credentials(std::optional<user_credentials> credentials) { current = std::move(credentials); }

const user_credentials* thread_credentials() { return current ? &*current : nullptr; }

} // namespace netapi
