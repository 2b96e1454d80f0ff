#include "collector/module_backends.h"

#include "collector/ldap/ldap_directory_backend.h"
#include "collector/netapi/netapi_network_backend.h"

module_backends make_module_backends()
{
    return {std::make_shared<ldap_directory_backend>(), std::make_shared<netapi_network_backend>()};
}
