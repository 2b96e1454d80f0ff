// Makes the network-management collectors part of the module's default back end when the
// module is loaded (compiled into the module itself, so the linker keeps it).

#include "collector/netapi/netapi_collector_backend.h"

namespace {

const bool registered = [] {
    set_default_collector_backend(std::make_shared<netapi_collector_backend>(default_collector_backend()));
    return true;
}();

} // namespace
