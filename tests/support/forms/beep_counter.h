#pragma once
// Counts the beeps sounded while it lives instead of sounding them.

#include "platform/forms/services/beep.h"

#include <functional>

namespace forms {

class ScopedBeepCounter {
public:
    ScopedBeepCounter() : previous_(set_beep_handler([this] { ++count_; })) {}
    ~ScopedBeepCounter() { set_beep_handler(previous_); }
    ScopedBeepCounter(const ScopedBeepCounter&) = delete;
    ScopedBeepCounter& operator=(const ScopedBeepCounter&) = delete;

    int count() const { return count_; }

private:
    int count_ = 0;
    std::function<void()> previous_;
};

} // namespace forms
