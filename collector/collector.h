#pragma once
// The contract of a counter collector: the unit of counting that the engine runs for an
// entry. The network-management and LDAP collectors implement it.

#include "collector/oxc_ostrel_counter.h"

#include <string>
#include <utility>
#include <vector>

class collector {
public:
    using pair = std::pair<oxcOstrelCounter, LONG>;
    using pairs = std::vector<pair>;

    // Clears `result`, then runs the collector's counts in its fixed order and pushes one pair
    // per counter it serves (-1 for a failed count), asked for or not. A failed count appends
    // one line ending in "\r\n" to `error`, which is never cleared or shortened. True when
    // `error` is empty afterwards.
    virtual bool Collect(const std::u16string& domain, pairs& result, std::u16string& error) = 0;

protected:
    collector() = default;
    collector(const collector&) = default;
    collector& operator=(const collector&) = default;
    // Destroyed through the concrete type only (the engine's shared pointers are made from it).
    ~collector() = default;
};
