#pragma once
// What the collector does with a searcher, for the server tests: bind by path, set the five
// search preferences, run one search and count its rows.

#include "platform/ads/ads_interfaces.h"
#include "platform/ads/ads_open_object.h"
#include "platform/com/atl/com_ptr.h"

#include <string>
#include <vector>

namespace ads_test {

struct count_result {
    long long rows = 0;
    HRESULT start = S_OK; // ExecuteSearch
    HRESULT end = S_OK;   // the GetNextRow that ended the rows (S_ADS_NOMORE_ROWS when complete)
};

// The five preferences of the collector (page size, scope, attribute types only, caching
// twice, the second typed as an integer 96); returns SetSearchPreference's HRESULT.
HRESULT set_collector_preferences(IDirectorySearch* searcher, int page_size, int scope, bool types_only = false);

count_result count_rows(IDirectorySearch* searcher, const std::u16string& filter,
                        std::vector<std::u16string> attributes = {u"objectClass"}, int scope = 2);

HRESULT open(const std::u16string& path, const char16_t* user, const char16_t* password,
             CComPtr<IDirectorySearch>& out);

// The string values of one column of the first row of a base search.
std::vector<std::u16string> first_row_values(IDirectorySearch* searcher, const std::u16string& filter,
                                             const std::u16string& column, int scope = 0);

std::u16string u16(const std::string& text);

// The thread's directory last error text.
std::string last_error_text();

} // namespace ads_test
