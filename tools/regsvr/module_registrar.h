#pragma once
// Loads one module and runs its self-registration entry point, reporting a failure as one
// line of text: a module that cannot be loaded, one without the entry point, and a failing
// HRESULT (with its system message) are all failures.

#include "platform/win32/win_types.h"

#include <string>

class module_registrar {
public:
    enum class action { register_server, unregister_server };

    struct outcome {
        bool succeeded = false;
        HRESULT hr = 0;      // the entry point's result, when it was called
        std::string message; // what happened, one line without the line break
    };

    static outcome run(const std::string& module_path, action what);
};
