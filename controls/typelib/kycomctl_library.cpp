#include "controls/typelib/kycomctl_library.h"

#include "controls/library_info.h"
#include "controls/typelib/identifiers.h"
#include "platform/forms/hosting/object_dispatch.h"

namespace kycomctl {

namespace {

com::tlb::library_desc assemble()
{
    com::tlb::library_desc library{ids::LIBID_KyComCtl,
                                   u"KyComCtl",
                                   u"",
                                   static_cast<WORD>(version_major),
                                   static_cast<WORD>(version_minor),
                                   {},
                                   {},
                                   {}};
    for (library_part part : {wizard_part(), display_part(), options_part()}) {
        std::move(part.interfaces.begin(), part.interfaces.end(), std::back_inserter(library.interfaces));
        std::move(part.enums.begin(), part.enums.end(), std::back_inserter(library.enums));
        std::move(part.coclasses.begin(), part.coclasses.end(), std::back_inserter(library.coclasses));
    }
    return library;
}

// The library's classes answer dispatch calls from the moment the module is loaded.
struct dispatch_registration {
    dispatch_registration() { forms::register_dispatch_library(library()); }
} registration;

} // namespace

const com::tlb::library_desc& library()
{
    static const com::tlb::library_desc described = assemble();
    return described;
}

} // namespace kycomctl
