#pragma once
// The number of the runtime error `f` raises; 0 when it raises none.

#include "platform/forms/core/vb_error.h"

#include <cstdint>
#include <functional>

inline int32_t error_of(const std::function<void()>& f)
{
    try {
        f();
    } catch (const forms::VbError& e) {
        return e.number();
    }
    return 0;
}
