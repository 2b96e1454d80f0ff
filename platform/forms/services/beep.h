#pragma once
// Beep: the system's warning sound. One replaceable handler plays it, so tests can count the
// beeps a control sounds instead of hearing them.

#include <functional>

namespace forms {

// Sounds the beep through the installed handler (by default the platform's beep).
void Beep();
// Installs `handler` (an empty one restores the platform's beep) and returns the one
// installed before.
std::function<void()> set_beep_handler(std::function<void()> handler);

} // namespace forms
