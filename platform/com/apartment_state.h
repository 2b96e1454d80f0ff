#pragma once
// The calling thread's apartment: its kind, its CoInitializeEx count and, for an STA, its
// call queue.

#include "platform/com/runtime.h"
#include "platform/com/sta_queue.h"

#include <memory>

namespace com::detail {

struct apartment_state {
    apartment_kind kind = apartment_kind::none;
    int count = 0;
    std::shared_ptr<sta_queue> queue;
    ~apartment_state();
};

apartment_state& this_apartment();

} // namespace com::detail
