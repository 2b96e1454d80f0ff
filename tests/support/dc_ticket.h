#pragma once
// A Kerberos ticket of the fixture DC's administrator in a ticket cache of this test process,
// taken before the first management call: the layer uses the caller's ticket cache.

#include <string>

namespace ostrel::test {

// Points KRB5CCNAME at a fresh cache and runs kinit; false (with why) when that fails.
bool take_dc_ticket(std::string& why);

} // namespace ostrel::test
