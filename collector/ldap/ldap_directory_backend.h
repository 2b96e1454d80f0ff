#pragma once
// The directory back end of the module: the LDAP bind, the table of LDAP collectors for the
// names that answer it, and the Exchange 5.5 organisation collectors.

#include "collector/directory_backend.h"

class ldap_directory_backend final : public directory_backend {
public:
    CComPtr<IDirectorySearch> connect(const std::u16string& name, std::u16string& error, bind_line line) override;
    bool bind_timed_out() const override;
    directory_collector_table make_ad_collectors() override;
    std::unique_ptr<exchange5_counter> make_exchange5_collector(IDirectorySearch* searcher) override;
};
