// ostrel-regsvr [-u] <module.so>...: registers (or with -u unregisters) each module into the
// registry the resolution names (platform/win32/registry_location.h): $OSTREL_REGISTRY when
// set, else the build registry beside the tool when there is one, else the per-user registry.
// Exit status 0 when every module succeeded, 1 when any failed, 2 for a usage error.

#include "tools/regsvr/module_registrar.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

int usage()
{
    std::fputs("usage: ostrel-regsvr [-u] <module.so>...\n"
               "  registers each module (DllRegisterServer); -u unregisters it (DllUnregisterServer)\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    auto what = module_registrar::action::register_server;
    std::vector<std::string> modules;
    bool options_done = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!options_done && arg == "--") {
            options_done = true;
        } else if (!options_done && (arg == "-u" || arg == "/u")) {
            what = module_registrar::action::unregister_server;
        } else if (!options_done && (arg == "-h" || arg == "--help")) {
            usage();
            return 0;
        } else if (!options_done && arg.size() > 1 && arg.front() == '-') {
            std::fprintf(stderr, "ostrel-regsvr: unknown option %s\n", argv[i]);
            return usage();
        } else {
            modules.emplace_back(arg);
        }
    }
    if (modules.empty())
        return usage();

    int status = 0;
    for (const auto& module : modules) {
        const auto outcome = module_registrar::run(module, what);
        if (outcome.succeeded) {
            std::printf("ostrel-regsvr: %s\n", outcome.message.c_str());
        } else {
            std::fprintf(stderr, "ostrel-regsvr: error: %s\n", outcome.message.c_str());
            status = 1;
        }
    }
    return status;
}
