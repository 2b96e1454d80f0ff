#pragma once
// One search streamed row by row: the entries of a page are read off the connection one at a
// time and each is freed when the next is asked for, so memory does not grow with the number
// of objects. Pages are asked for with the paged-results control; search references are
// skipped (they are no entries); a result other than success (a size, time or administrative
// limit, a page refused part-way) ends the rows with a failure after those already read. A
// server that would page for ever (a page without entries that hands back the cookie it was
// asked with, or more than kMaxPages pages, ldap_bounds.h) ends the rows with a failure too.

#include "platform/win32/win_errors.h"

#include <memory>
#include <string>
#include <vector>

typedef struct ldapmsg LDAPMessage;
struct berval;

namespace ads {

class ldap_session;

struct search_request {
    std::string base;
    int scope = 2;                       // LDAP_SCOPE_SUBTREE
    std::string filter;                  // RFC 4515
    std::vector<std::string> attributes; // empty: all user attributes
    bool attributes_only = false;
    int page_size = 0; // 0: no paging
};

class paged_search {
public:
    paged_search(std::shared_ptr<ldap_session> session, search_request request);
    ~paged_search();
    paged_search(const paged_search&) = delete;
    paged_search& operator=(const paged_search&) = delete;

    // Sends the first page's request; the HRESULT of a search that could not start.
    HRESULT start();

    // Moves to the next entry: S_OK with an entry current, S_ADS_NOMORE_ROWS at the end, or
    // the failure that ended the rows (returned again by every later call).
    HRESULT next_row();

    // The current entry's attribute names and values (empty without a current entry).
    std::vector<std::string> attribute_names() const;
    bool has_attribute(const std::string& name) const;
    std::vector<std::string> values(const std::string& name) const;

    // Rows delivered so far.
    long long rows() const { return rows_; }

private:
    HRESULT send_page();
    HRESULT finish_page(LDAPMessage* result);
    void drop_entry();
    void abandon();

    std::shared_ptr<ldap_session> session_;
    search_request request_;
    int msgid_ = -1;
    berval* cookie_ = nullptr;
    LDAPMessage* entry_ = nullptr;
    HRESULT final_ = S_OK; // S_ADS_NOMORE_ROWS or a failure once the rows have ended
    bool ended_ = false;
    long long rows_ = 0;
    long long rows_before_page_ = 0; // rows_ when the running page was asked for
    long pages_ = 0;                 // pages the server has ended
};

} // namespace ads
