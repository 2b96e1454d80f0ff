#pragma once
// Whether the caller has a Kerberos ticket cache with a principal in it (KRB5CCNAME or the
// default cache of krb5.conf), which is what makes the management calls use the caller's own
// Kerberos credentials instead of an anonymous session.

namespace netapi {

bool has_ticket_cache();

} // namespace netapi
