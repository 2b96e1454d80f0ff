#pragma once
// The domains this machine is configured for, as the network provider lists them before the
// browse list's: the default realm of the system's Kerberos configuration (krb5.conf, or the
// file KRB5_CONFIG names) and the realm of smb.conf, each as its DNS name (lower case), which is
// what the directory bind and the domain-controller locator find a domain by.

#include <string>
#include <vector>

namespace mpr {

// Where Samba's client libraries read their configuration.
inline constexpr const char* kSmbConfPath = "/etc/samba/smb.conf";

// The realm of the [global] section of an smb.conf ("" when the file or the setting is missing).
std::string smb_conf_realm(const std::string& path);

// The default realm of the Kerberos configuration ("" when there is none).
std::string kerberos_default_realm();

// The Kerberos default realm, then the smb.conf realm, in lower case, without blanks or
// repeats.
std::vector<std::string> configured_domains(const std::string& smb_conf = kSmbConfPath);

// `first`, then each name of `more` not already listed (names compared without regard to case).
std::vector<std::string> merge_domain_names(std::vector<std::string> first, const std::vector<std::string>& more);

} // namespace mpr
