#include "platform/netapi/samba_session.h"

#include "platform/netapi/samba_process_globals.h"
#include "platform/netapi/thread_credentials.h"
#include "platform/netapi/ticket_cache.h"
#include "platform/win32/kerberos_paths.h"
#include "platform/win32/win_errors.h"

#include <cstdint>
#include <cstdlib>

// Samba's header declares C functions and structures under the Windows names that our own
// UTF-16 API uses; kept in a namespace of its own so that the two never meet.
namespace samba {
#include <netapi.h>
}

namespace netapi {

namespace {

constexpr std::uint32_t FILTER_SERVER_TRUST = 0x0020;
constexpr std::uint32_t MORE_DATA = 234;
constexpr std::uint32_t INVALID_LEVEL = 124;

const char* or_null(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

std::string text(const char* value) { return value ? std::string(value) : std::string(); }

// Frees Samba's buffer however the call ends.
struct samba_buffer {
    void* data = nullptr;
    ~samba_buffer()
    {
        if (data)
            samba::NetApiBufferFree(data);
    }
};

std::string strip_backslashes(const char* name)
{
    std::string result = text(name);
    std::size_t start = result.find_first_not_of('\\');
    return start == std::string::npos ? std::string() : result.substr(start);
}

} // namespace

samba_session& samba_session::instance()
{
    static samba_session session;
    return session;
}

samba_session::~samba_session()
{
    std::lock_guard lock(mutex_);
    if (context_) {
        samba::libnetapi_free(static_cast<samba::libnetapi_ctx*>(context_));
        context_ = nullptr;
    }
}

std::uint32_t samba_session::open_locked()
{
    if (context_)
        return use_thread_credentials_locked();
    // libnetapi hands KRB5CCNAME and KRB5_CONFIG to libkrb5, which would wait for ever on a
    // FIFO there: such a path is refused before the library starts.
    if (!win32::kerberos_environment_problem().empty())
        return ERROR_BAD_ENVIRONMENT;
    samba::libnetapi_ctx* context = nullptr;
    std::uint32_t status = 0;
    {
        samba_process_globals globals;
        status = samba::libnetapi_init(&context);
    }
    if (status != 0)
        return status;
    // Only errors reach the log, never an interactive prompt: the password is always set, so
    // libnetapi never asks for one on the terminal.
    samba::libnetapi_set_debuglevel(context, "0");
    ticket_cache_ = has_ticket_cache();
    if (const user_credentials* given = thread_credentials()) {
        // The calling thread's own user and password: Kerberos where the controller's name
        // allows it (the password serves to obtain a ticket), else NTLM's challenge and
        // response in a signed session; the password itself never crosses the wire.
        samba::libnetapi_set_username(context, given->user.c_str());
        samba::libnetapi_set_password(context, given->password.c_str());
        samba::libnetapi_set_use_kerberos(context);
        applied_ = *given;
    } else if (ticket_cache_) {
        // The caller's own Kerberos credentials: the principal comes from the cache.
        samba::libnetapi_set_use_kerberos(context);
        samba::libnetapi_set_password(context, "");
    } else {
        // No ticket cache: an anonymous session, as a caller without domain credentials has.
        samba::libnetapi_set_username(context, "");
        samba::libnetapi_set_password(context, "");
    }
    context_ = context;
    return use_thread_credentials_locked();
}

std::uint32_t samba_session::use_thread_credentials_locked()
{
    const user_credentials* wanted = thread_credentials();
    // libnetapi keeps its connections for the whole process whatever credentials made them
    // (a connection made with a good password would serve a later call with a wrong one), so
    // the context keeps the credentials it was made with, and a call with others is refused
    // as a server refuses a second user on one connection.
    if (wanted ? applied_ == *wanted : !applied_)
        return 0;
    return ERROR_SESSION_CREDENTIAL_CONFLICT;
}

bool samba_session::uses_ticket_cache()
{
    std::lock_guard lock(mutex_);
    open_locked();
    return ticket_cache_;
}

std::uint32_t samba_session::locate_controller(const std::string& domain, std::string& controller)
{
    std::lock_guard lock(mutex_);
    // The locator authenticates nobody: other credentials than the context's do not matter.
    if (std::uint32_t status = open_locked(); status != 0 && status != ERROR_SESSION_CREDENTIAL_CONFLICT)
        return status;
    samba::DOMAIN_CONTROLLER_INFO* info = nullptr;
    // The primary controller, under its flat name, as the management calls want it.
    std::uint32_t status = samba::DsGetDcName(nullptr, or_null(domain), nullptr, nullptr,
                                              DS_PDC_REQUIRED | DS_RETURN_FLAT_NAME, &info);
    if (status == 0 && info) {
        controller = strip_backslashes(info->domain_controller_name);
        if (controller.empty())
            status = 1908;
    }
    if (info)
        samba::NetApiBufferFree(info);
    return status;
}

std::uint32_t samba_session::ask_controller(const std::string& server, const std::string& domain,
                                            std::string& controller)
{
    std::lock_guard lock(mutex_);
    if (std::uint32_t status = open_locked())
        return status;
    samba_buffer buffer;
    std::uint8_t* data = nullptr;
    std::uint32_t status = samba::NetGetDCName(or_null(server), or_null(domain), &data);
    buffer.data = data;
    if (status == 0)
        controller = strip_backslashes(reinterpret_cast<const char*>(data));
    return status;
}

std::uint32_t samba_session::query_display(const std::string& server, std::uint32_t level, std::uint32_t index,
                                           std::uint32_t requested, std::uint32_t prefmaxlen,
                                           std::vector<account_record>& records)
{
    records.clear();
    if (level < 1 || level > 3)
        return INVALID_LEVEL;
    std::lock_guard lock(mutex_);
    if (std::uint32_t status = open_locked())
        return status;
    samba_buffer buffer;
    std::uint32_t read = 0;
    std::uint32_t status = samba::NetQueryDisplayInformation(or_null(server), level, index, requested, prefmaxlen,
                                                             &read, &buffer.data);
    if (status != 0 && status != MORE_DATA)
        return status;
    if (!buffer.data)
        read = 0;
    records.reserve(read);
    for (std::uint32_t i = 0; i < read; ++i) {
        account_record record;
        if (level == 1) {
            const auto& user = static_cast<const samba::NET_DISPLAY_USER*>(buffer.data)[i];
            record.name = text(user.usri1_name);
            record.comment = text(user.usri1_comment);
            record.full_name = text(user.usri1_full_name);
            record.flags = user.usri1_flags;
            record.id = user.usri1_user_id;
            record.next_index = user.usri1_next_index;
        } else if (level == 2) {
            const auto& machine = static_cast<const samba::NET_DISPLAY_MACHINE*>(buffer.data)[i];
            record.name = text(machine.usri2_name);
            record.comment = text(machine.usri2_comment);
            record.flags = machine.usri2_flags;
            record.id = machine.usri2_user_id;
            record.next_index = machine.usri2_next_index;
        } else {
            const auto& group = static_cast<const samba::NET_DISPLAY_GROUP*>(buffer.data)[i];
            record.name = text(group.grpi3_name);
            record.comment = text(group.grpi3_comment);
            record.id = group.grpi3_group_id;
            record.attributes = group.grpi3_attributes;
            record.next_index = group.grpi3_next_index;
        }
        records.push_back(std::move(record));
    }
    return status;
}

std::uint32_t samba_session::local_groups(const std::string& server, std::uint32_t level,
                                          std::vector<account_record>& records)
{
    records.clear();
    if (level > 1)
        return INVALID_LEVEL;
    std::lock_guard lock(mutex_);
    if (std::uint32_t status = open_locked())
        return status;
    samba_buffer buffer;
    std::uint8_t* data = nullptr;
    std::uint32_t read = 0;
    std::uint32_t total = 0;
    std::uint32_t resume = 0;
    std::uint32_t status = samba::NetLocalGroupEnum(or_null(server), level, &data, 0xFFFFFFFFu, &read, &total, &resume);
    buffer.data = data;
    if (status != 0)
        return status; // also ERROR_MORE_DATA: a whole list was asked for
    if (!data)
        read = 0;
    records.reserve(read);
    for (std::uint32_t i = 0; i < read; ++i) {
        account_record record;
        if (level == 0) {
            record.name = text(reinterpret_cast<const samba::LOCALGROUP_INFO_0*>(data)[i].lgrpi0_name);
        } else {
            const auto& group = reinterpret_cast<const samba::LOCALGROUP_INFO_1*>(data)[i];
            record.name = text(group.lgrpi1_name);
            record.comment = text(group.lgrpi1_comment);
        }
        records.push_back(std::move(record));
    }
    return 0;
}

std::uint32_t samba_session::server_trust_accounts(const std::string& server, std::vector<std::string>& names)
{
    names.clear();
    std::lock_guard lock(mutex_);
    if (std::uint32_t status = open_locked())
        return status;
    std::uint32_t resume = 0;
    std::uint32_t status = 0;
    do {
        samba_buffer buffer;
        std::uint8_t* data = nullptr;
        std::uint32_t read = 0;
        std::uint32_t total = 0;
        status = samba::NetUserEnum(or_null(server), 0, FILTER_SERVER_TRUST, &data, 0xFFFFFFFFu, &read, &total,
                                    &resume);
        buffer.data = data;
        if (status != 0 && status != MORE_DATA)
            return status;
        if (!data)
            read = 0;
        for (std::uint32_t i = 0; i < read; ++i) {
            std::string name = text(reinterpret_cast<const samba::USER_INFO_0*>(data)[i].usri0_name);
            if (!name.empty() && name.back() == '$')
                name.pop_back();
            names.push_back(std::move(name));
        }
        // A page that brings nothing cannot move the enumeration on: stop rather than loop.
        if (status == MORE_DATA && read == 0)
            return MORE_DATA;
    } while (status == MORE_DATA);
    return 0;
}

} // namespace netapi
