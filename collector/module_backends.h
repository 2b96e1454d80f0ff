#pragma once
// The back ends a module counts over, made once when the module is loaded and handed to
// every collector object it creates. The shipped module makes the LDAP and management back
// ends (module_backends.cpp); the test build of the module makes its own.

#include "collector/directory_backend.h"
#include "collector/network_backend.h"

#include <memory>

struct module_backends {
    std::shared_ptr<directory_backend> directory;
    std::shared_ptr<network_backend> network;
};

module_backends make_module_backends();
