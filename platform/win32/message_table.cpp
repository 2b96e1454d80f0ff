#include "platform/win32/message_table.h"

#include "platform/win32/last_error.h"
#include "platform/win32/win_errors.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace win32 {

namespace {

struct system_text {
    DWORD code;
    std::u16string_view text; // without the line break every message ends with
};

// Sorted by code: Win32 and network-management codes first, then HRESULTs by their unsigned
// value. A Win32 code's HRESULT (0x8007xxxx) finds the Win32 entry.
constexpr system_text kSystemTexts[] = {
    {0, u"The operation completed successfully."},
    {1, u"Incorrect function."},
    {2, u"The system cannot find the file specified."},
    {3, u"The system cannot find the path specified."},
    {5, u"Access is denied."},
    {6, u"The handle is invalid."},
    {8, u"Not enough memory resources are available to process this command."},
    {10, u"The environment is incorrect."},
    {14, u"Not enough memory resources are available to complete this operation."},
    {50, u"The request is not supported."},
    {53, u"The network path was not found."},
    {59, u"An unexpected network error occurred."},
    {64, u"The specified network name is no longer available."},
    {65, u"Network access is denied."},
    {67, u"The network name cannot be found."},
    {87, u"The parameter is incorrect."},
    {121, u"The semaphore timeout period has expired."},
    {122, u"The data area passed to a system call is too small."},
    {123, u"The filename, directory name, or volume label syntax is incorrect."},
    {124, u"The system call level is not correct."},
    {126, u"The specified module could not be found."},
    {127, u"The specified procedure could not be found."},
    {183, u"Cannot create a file when that file already exists."},
    {234, u"More data is available."},
    {259, u"No more data is available."},
    {487, u"Attempt to access invalid address."},
    {1003, u"Cannot complete this function."},
    {1009, u"The configuration registry database is corrupt."},
    {1010, u"The configuration registry key is invalid."},
    {1011, u"The configuration registry key could not be opened."},
    {1012, u"The configuration registry key could not be read."},
    {1013, u"The configuration registry key could not be written."},
    {1015, u"The registry is corrupted. The structure of one of the files containing registry data is "
           u"corrupted, or the system's memory image of the file is corrupted, or the file could not be "
           u"recovered because the alternate copy or log was absent or corrupted."},
    {1016, u"An I/O operation initiated by the registry failed unrecoverably. The registry could not read "
           u"in, or write out, or flush, one of the files that contain the system's image of the registry."},
    {1018, u"Illegal operation attempted on a registry key that has been marked for deletion."},
    {1168, u"Element not found."},
    {1204, u"The specified network provider name is invalid."},
    {1208, u"An extended error has occurred."},
    {1210, u"The format of the specified computer name is invalid."},
    {1212, u"The format of the specified domain name is invalid."},
    {1219, u"Multiple connections to a server or shared resource by the same user, using more than one user "
           u"name, are not allowed. Disconnect all previous connections to the server or shared resource "
           u"and try again."},
    {1222, u"The network is not present or not started."},
    {1223, u"The operation was canceled by the user."},
    {1225, u"The remote computer refused the network connection."},
    {1231, u"The network location cannot be reached."},
    {1232, u"The remote system is not reachable by the transport."},
    {1311, u"There are currently no logon servers available to service the logon request."},
    {1317, u"The specified account does not exist."},
    {1326, u"The user name or password is incorrect."},
    {1330, u"The password for this account has expired."},
    {1331, u"This user can't sign in because this account is currently disabled."},
    {1332, u"No mapping between account names and security IDs was done."},
    {1355, u"The specified domain either does not exist or could not be contacted."},
    {1359, u"An internal error occurred."},
    {1376, u"The specified local group does not exist."},
    {1396, u"The target account name is incorrect."},
    {1398, u"There is a time and/or date difference between the client and server."},
    {1460, u"This operation returned because the timeout period expired."},
    {1717, u"The interface is unknown."},
    {1722, u"The RPC server is unavailable."},
    {1726, u"The remote procedure call failed."},
    {1727, u"The remote procedure call failed and did not execute."},
    {1728, u"A remote procedure call (RPC) protocol error occurred."},
    {1753, u"There are no more endpoints available from the endpoint mapper."},
    {1783, u"The stub received bad data."},
    {1789, u"The trust relationship between this workstation and the primary domain failed."},
    {1812, u"The specified image file did not contain a resource section."},
    {1813, u"The specified resource type cannot be found in the image file."},
    {1814, u"The specified resource name cannot be found in the image file."},
    {1815, u"The specified resource language ID cannot be found in the image file."},
    // Network management (NERR_*).
    {1825, u"A security package specific error occurred."},
    {1907, u"The user's password must be changed before signing in."},
    {1908, u"Could not find the domain controller for this domain."},
    {2102, u"The workstation driver is not installed."},
    {2114, u"The Server service is not started."},
    {2123, u"The API return buffer is too small."},
    {2138, u"The Workstation service has not been started."},
    {2220, u"The group name could not be found."},
    {2221, u"The user name could not be found."},
    {2226, u"This operation is only allowed on the primary domain controller of the domain."},
    {2310, u"This shared resource does not exist."},
    {2351, u"This computer name is invalid."},
    {2453, u"Could not find domain controller for this domain."},
    {5010, u"The object already exists."},
    {6118, u"The list of servers for this workgroup is not currently available"},
    // Directory service codes, which LDAP result codes map onto.
    {8202, u"The specified directory service attribute or value does not exist."},
    {8203, u"The attribute syntax specified to the directory service is invalid."},
    {8204, u"The attribute type specified to the directory service is not defined."},
    {8205, u"The specified directory service attribute or value already exists."},
    {8206, u"The directory service is busy."},
    {8207, u"The directory service is unavailable."},
    {8212, u"The requested operation did not satisfy one or more constraints associated with the class of "
           u"the object."},
    {8213, u"The directory service can perform the requested operation only on a leaf object."},
    {8214, u"The directory service cannot perform the requested operation on the RDN attribute of an object."},
    {8215, u"The directory service detected an attempt to modify the object class of an object."},
    {8224, u"An operations error occurred."},
    {8225, u"A protocol error occurred."},
    {8226, u"The time limit for this request was exceeded."},
    {8227, u"The size limit for this request was exceeded."},
    {8228, u"The administrative limit for this request was exceeded."},
    {8229, u"The compare response was false."},
    {8230, u"The compare response was true."},
    {8231, u"The requested authentication method is not supported by the server."},
    {8232, u"A more secure authentication method is required for this server."},
    {8233, u"Inappropriate authentication."},
    {8234, u"The authentication mechanism is unknown."},
    {8235, u"A referral was returned from the server."},
    {8236, u"The server does not support the requested critical extension."},
    {8237, u"This request requires a secure connection."},
    {8238, u"Inappropriate matching."},
    {8239, u"A constraint violation occurred."},
    {8240, u"There is no such object on the server."},
    {8241, u"There is an alias problem."},
    {8242, u"An invalid dn syntax has been specified."},
    {8243, u"The object is a leaf object."},
    {8244, u"There is an alias dereferencing problem."},
    {8245, u"The server is unwilling to process the request."},
    {8246, u"A loop has been detected."},
    {8247, u"There is a naming violation."},
    {8248, u"The result set is too large."},
    {8249, u"The operation affects multiple DSAs"},
    {8250, u"The server is not operational."},
    {8251, u"A local error has occurred."},
    {8252, u"An encoding error has occurred."},
    {8253, u"A decoding error has occurred."},
    {8254, u"The search filter cannot be recognized."},
    {8255, u"One or more parameters are illegal."},
    {8256, u"The specified method is not supported."},
    {8257, u"No results were returned."},
    {8258, u"The specified control is not supported by the server."},
    {8259, u"A referral loop was detected by the client."},
    {8260, u"The preset referral limit was exceeded."},
    {8261, u"The search requires a SORT control."},
    {8262, u"The search results exceed the offset range specified."},
    {8341, u"A directory service error has occurred."},
    // HRESULTs.
    {0x80004001u, u"Not implemented"},
    {0x80004002u, u"No such interface supported"},
    {0x80004003u, u"Invalid pointer"},
    {0x80004004u, u"Operation aborted"},
    {0x80004005u, u"Unspecified error"},
    {0x80005000u, u"An invalid directory pathname was passed"},
    {0x80005001u, u"An unknown directory domain object was requested"},
    {0x80005002u, u"An unknown directory user object was requested"},
    {0x80005003u, u"An unknown directory computer object was requested"},
    {0x80005004u, u"An unknown directory object was requested"},
    {0x80005005u, u"The specified directory property was not set"},
    {0x80005006u, u"The specified directory property is not supported"},
    {0x80005007u, u"The specified directory property is invalid"},
    {0x80005008u, u"One or more input parameters are invalid"},
    {0x80005009u, u"The specified directory object is not bound to a remote resource"},
    {0x8000500Au, u"The specified directory object has not been modified"},
    {0x8000500Bu, u"The specified directory object has been modified"},
    {0x8000500Cu, u"The directory datatype cannot be converted to/from a native DS datatype"},
    {0x8000500Du, u"The directory property cannot be found in the cache."},
    {0x8000500Eu, u"The directory object exists."},
    {0x8000500Fu, u"The attempted action violates the directory service schema rules."},
    {0x80005011u, u"The specified column in the directory was not set."},
    {0x80005014u, u"The search filter specified is invalid"},
    {0x8000FFFFu, u"Catastrophic failure"},
    {0x80010106u, u"Cannot change thread mode after it is set."},
    {0x80010108u, u"The object invoked has disconnected from its clients."},
    {0x8001010Eu, u"The application called an interface that was marshalled for a different thread."},
    {0x80020001u, u"Unknown interface."},
    {0x80020003u, u"Member not found."},
    {0x80020004u, u"Parameter not found."},
    {0x80020005u, u"Type mismatch."},
    {0x80020006u, u"Unknown name."},
    {0x80020007u, u"No named arguments."},
    {0x80020008u, u"Bad variable type."},
    {0x80020009u, u"Exception occurred."},
    {0x8002000Au, u"Out of present range."},
    {0x8002000Bu, u"Invalid index."},
    {0x8002000Du, u"Memory is locked."},
    {0x8002000Eu, u"Invalid number of parameters."},
    {0x8002000Fu, u"Parameter not optional."},
    {0x8002801Du, u"Library not registered."},
    {0x8002802Bu, u"Element not found."},
    {0x80029C4Au, u"Error loading type library/DLL."},
    {0x80040110u, u"Class does not support aggregation (or class object is remote)"},
    {0x80040111u, u"ClassFactory cannot supply requested class"},
    {0x80040150u, u"Could not read key from registry"},
    {0x80040151u, u"Could not write key to registry"},
    {0x80040152u, u"Could not find the key in the registry"},
    {0x80040154u, u"Class not registered"},
    {0x800401F0u, u"CoInitialize has not been called."},
    {0x800401F3u, u"Invalid class string"},
    {0x800401F8u, u"DLL for class not found"},
    {0x800401F9u, u"Error in the DLL"},
    {0x80080005u, u"Server execution failed"},
};

constexpr bool sorted_by_code()
{
    for (std::size_t i = 1; i < std::size(kSystemTexts); ++i)
        if (kSystemTexts[i - 1].code >= kSystemTexts[i].code)
            return false;
    return true;
}
static_assert(sorted_by_code(), "the system message table must stay sorted by code");

const system_text* find_exact(DWORD code)
{
    const auto it = std::lower_bound(std::begin(kSystemTexts), std::end(kSystemTexts), code,
                                     [](const system_text& e, DWORD c) { return e.code < c; });
    return it != std::end(kSystemTexts) && it->code == code ? &*it : nullptr;
}

const system_text* find_text(DWORD code)
{
    if (const auto* e = find_exact(code))
        return e;
    // The HRESULT of a Win32 code carries the code in its low 16 bits.
    if ((code & 0xFFFF0000u) == 0x80070000u)
        return find_exact(code & 0xFFFFu);
    return nullptr;
}

bool language_available(DWORD languageId)
{
    // Neutral, user / system default, or any English: the table is English only.
    const DWORD primary = languageId & 0x3FFu;
    return primary == LANG_NEUTRAL || primary == LANG_ENGLISH;
}

} // namespace

std::u16string system_message(DWORD code)
{
    const auto* e = find_text(code);
    if (e == nullptr)
        return {};
    std::u16string text(e->text);
    text += u"\r\n";
    return text;
}

} // namespace win32

HLOCAL LocalAlloc(UINT flags, std::size_t bytes)
{
    if ((flags & ~LMEM_ZEROINIT) != LMEM_FIXED) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // At least one byte, so that a zero-size block is still a valid, freeable handle.
    void* memory = (flags & LMEM_ZEROINIT) ? std::calloc(std::max<std::size_t>(bytes, 1), 1)
                                           : std::malloc(std::max<std::size_t>(bytes, 1));
    if (memory == nullptr)
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return memory;
}

HLOCAL LocalFree(HLOCAL memory)
{
    std::free(memory);
    return nullptr;
}

DWORD FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer, DWORD size,
                     va_list* arguments)
{
    (void)source;
    (void)arguments;
    if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || (flags & FORMAT_MESSAGE_FROM_STRING) != 0 || buffer == nullptr) {
        // This system keeps messages in the system table only.
        SetLastError((flags & FORMAT_MESSAGE_FROM_HMODULE) && buffer != nullptr ? ERROR_RESOURCE_TYPE_NOT_FOUND
                                                                                : ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!win32::language_available(languageId)) {
        SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
        return 0;
    }
    std::u16string text = win32::system_message(messageId);
    if (text.empty()) {
        SetLastError(ERROR_MR_MID_NOT_FOUND);
        return 0;
    }
    // A maximum width of 0xFF asks for the text without its own line breaks.
    if ((flags & FORMAT_MESSAGE_MAX_WIDTH_MASK) == FORMAT_MESSAGE_MAX_WIDTH_MASK && text.ends_with(u"\r\n"))
        text.resize(text.size() - 2);

    const auto length = static_cast<DWORD>(text.size());
    if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        const std::size_t chars = std::max<std::size_t>(std::size_t{length} + 1, size);
        auto* out = static_cast<WCHAR*>(LocalAlloc(LPTR, chars * sizeof(WCHAR)));
        if (out == nullptr)
            return 0;
        std::copy(text.begin(), text.end(), out);
        out[length] = u'\0';
        *reinterpret_cast<LPWSTR*>(buffer) = out;
        return length;
    }
    if (std::size_t{length} + 1 > size) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::copy(text.begin(), text.end(), buffer);
    buffer[length] = u'\0';
    return length;
}
