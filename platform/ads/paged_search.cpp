#include "platform/ads/paged_search.h"

#include "platform/ads/ldap_bounds.h"
#include "platform/ads/ldap_session.h"
#include "platform/ads/ldap_timeouts.h"
#include "platform/win32/win_errors.h"

#include <ldap.h>
#include <strings.h>
#include <sys/time.h>

#include <cerrno>
#include <cstring>

namespace ads {

paged_search::paged_search(std::shared_ptr<ldap_session> session, search_request request)
    : session_(std::move(session)), request_(std::move(request))
{
}

paged_search::~paged_search()
{
    drop_entry();
    abandon();
    if (cookie_ != nullptr)
        ber_bvfree(cookie_);
}

void paged_search::drop_entry()
{
    if (entry_ != nullptr) {
        ldap_msgfree(entry_);
        entry_ = nullptr;
    }
}

void paged_search::abandon()
{
    // A dead connection has nobody to tell.
    if (msgid_ >= 0 && session_ && session_->handle() != nullptr && !session_->dead())
        ldap_abandon_ext(session_->handle(), msgid_, nullptr, nullptr);
    msgid_ = -1;
}

HRESULT paged_search::start() { return send_page(); }

HRESULT paged_search::send_page()
{
    if (HRESULT hr = session_->alive(); FAILED(hr))
        return hr;
    LDAP* ld = session_->handle();
    LDAPControl* page_control = nullptr;
    LDAPControl* server_controls[2] = {nullptr, nullptr};
    if (request_.page_size > 0) {
        // Not critical: a server without paging sends everything as one page.
        int rc = ldap_create_page_control(ld, request_.page_size, cookie_, 0, &page_control);
        if (rc != LDAP_SUCCESS)
            return session_->fail(rc);
        server_controls[0] = page_control;
    }
    std::vector<char*> attrs;
    for (const auto& a : request_.attributes)
        attrs.push_back(const_cast<char*>(a.c_str()));
    attrs.push_back(nullptr);
    int rc = ldap_search_ext(ld, request_.base.c_str(), request_.scope, request_.filter.c_str(),
                             request_.attributes.empty() ? nullptr : attrs.data(), request_.attributes_only ? 1 : 0,
                             page_control != nullptr ? server_controls : nullptr, nullptr, nullptr, LDAP_NO_LIMIT,
                             &msgid_);
    if (page_control != nullptr)
        ldap_control_free(page_control);
    if (rc != LDAP_SUCCESS) {
        msgid_ = -1;
        return session_->fail(rc);
    }
    return S_OK;
}

HRESULT paged_search::finish_page(LDAPMessage* result)
{
    LDAP* ld = session_->handle();
    int code = LDAP_SUCCESS;
    char* diagnostic = nullptr;
    LDAPControl** controls = nullptr;
    int rc = ldap_parse_result(ld, result, &code, nullptr, &diagnostic, nullptr, &controls, 1);
    msgid_ = -1;
    std::string text = diagnostic != nullptr ? diagnostic : "";
    if (diagnostic != nullptr)
        ldap_memfree(diagnostic);
    if (rc != LDAP_SUCCESS) {
        ldap_controls_free(controls);
        return session_->fail(rc);
    }
    if (code != LDAP_SUCCESS) {
        ldap_controls_free(controls);
        return session_->fail(code, text);
    }
    berval* next_cookie = nullptr;
    if (request_.page_size > 0 && controls != nullptr) {
        LDAPControl* response = ldap_control_find(LDAP_CONTROL_PAGEDRESULTS, controls, nullptr);
        if (response != nullptr) {
            // A control without a value would make libldap's parser abort the process, and one
            // that does not parse says nothing of whether pages remain: either is no count.
            ber_int_t estimate = 0;
            berval cookie{0, nullptr};
            const int parsed = response->ldctl_value.bv_val == nullptr
                                   ? LDAP_DECODING_ERROR
                                   : ldap_parse_pageresponse_control(ld, response, &estimate, &cookie);
            if (parsed == LDAP_SUCCESS && cookie.bv_len > 0)
                next_cookie = ber_bvdup(&cookie);
            if (cookie.bv_val != nullptr)
                ldap_memfree(cookie.bv_val);
            if (parsed != LDAP_SUCCESS) {
                ldap_controls_free(controls);
                return session_->fail(LDAP_DECODING_ERROR, "The server's paged-results answer could not be read");
            }
        }
    }
    ldap_controls_free(controls);
    const bool moved = rows_ > rows_before_page_;
    const bool same_cookie = next_cookie != nullptr && cookie_ != nullptr && next_cookie->bv_len == cookie_->bv_len &&
                             std::memcmp(next_cookie->bv_val, cookie_->bv_val, cookie_->bv_len) == 0;
    if (cookie_ != nullptr)
        ber_bvfree(cookie_);
    cookie_ = next_cookie;
    ++pages_;
    if (cookie_ == nullptr)
        return S_ADS_NOMORE_ROWS;
    // Some servers keep one cookie for every page of a search, so a cookie seen again is no
    // fault by itself; with no entry since it was sent, though, the next page would be the same.
    if (same_cookie && !moved)
        return session_->refuse("The server answered a page of the search with no entries and the same paging "
                                "cookie it was asked with, so the search would never end",
                                false);
    if (pages_ >= kMaxPages)
        return session_->refuse("The server still had more after " + std::to_string(kMaxPages) +
                                    " pages of the search, the most a search may take",
                                false);
    rows_before_page_ = rows_;
    HRESULT hr = send_page();
    return FAILED(hr) ? hr : S_OK;
}

HRESULT paged_search::next_row()
{
    drop_entry();
    if (ended_)
        return final_;
    LDAP* ld = session_->handle();
    while (true) {
        // Another search over the same connection may have found it dead meanwhile.
        if (HRESULT hr = session_->alive(); FAILED(hr)) {
            msgid_ = -1;
            ended_ = true;
            final_ = hr;
            return final_;
        }
        if (msgid_ < 0) {
            ended_ = true;
            final_ = session_->fail(LDAP_OPERATIONS_ERROR, "The search is not running");
            return final_;
        }
        LDAPMessage* message = nullptr;
        timeval timeout = to_timeval(configured_timeouts().operation);
        errno = 0; // the session reads libldap's reason for a lost connection from it
        int type = ldap_result(ld, msgid_, LDAP_MSG_ONE, &timeout, &message);
        if (type <= 0) {
            int rc = LDAP_TIMEOUT;
            if (type < 0)
                ldap_get_option(ld, LDAP_OPT_RESULT_CODE, &rc);
            if (rc == LDAP_SUCCESS)
                rc = LDAP_SERVER_DOWN; // no message and no code: the connection is gone
            msgid_ = -1;
            ended_ = true;
            // Fails the session too: a silent server is not asked again.
            final_ = session_->fail(rc, rc == LDAP_TIMEOUT ? no_answer_text() : std::string());
            return final_;
        }
        switch (type) {
        case LDAP_RES_SEARCH_ENTRY:
            entry_ = message;
            ++rows_;
            return S_OK;
        case LDAP_RES_SEARCH_RESULT: {
            HRESULT hr = finish_page(message); // frees the message
            if (hr == S_OK)
                continue;
            ended_ = true;
            final_ = hr;
            return final_;
        }
        default:
            // Search references and intermediate messages are not entries.
            ldap_msgfree(message);
            continue;
        }
    }
}

std::vector<std::string> paged_search::attribute_names() const
{
    std::vector<std::string> names;
    if (entry_ == nullptr)
        return names;
    LDAP* ld = session_->handle();
    BerElement* ber = nullptr;
    for (char* a = ldap_first_attribute(ld, entry_, &ber); a != nullptr; a = ldap_next_attribute(ld, entry_, ber)) {
        names.emplace_back(a);
        ldap_memfree(a);
    }
    if (ber != nullptr)
        ber_free(ber, 0);
    return names;
}

bool paged_search::has_attribute(const std::string& name) const
{
    for (const auto& a : attribute_names())
        if (strcasecmp(a.c_str(), name.c_str()) == 0)
            return true;
    return false;
}

std::vector<std::string> paged_search::values(const std::string& name) const
{
    std::vector<std::string> out;
    if (entry_ == nullptr)
        return out;
    berval** found = ldap_get_values_len(session_->handle(), entry_, name.c_str());
    if (found == nullptr)
        return out;
    for (berval** v = found; *v != nullptr; ++v)
        out.emplace_back((*v)->bv_val, (*v)->bv_len);
    ldap_value_free_len(found);
    return out;
}

} // namespace ads
