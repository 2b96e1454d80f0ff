#include "platform/win32/registry.h"

#include "platform/win32/registry_store.h"
#include "platform/win32/win_errors.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <optional>
#include <unordered_map>

using win32::registry_detail::fold_name;
using win32::registry_detail::registry_key;
using win32::registry_detail::registry_root;
using win32::registry_detail::registry_store;
using win32::registry_detail::registry_tree;
using win32::registry_detail::registry_value;

namespace {

constexpr LONG ok = static_cast<LONG>(ERROR_SUCCESS);
constexpr LONG err(DWORD code) { return static_cast<LONG>(code); }

constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE;

struct open_key {
    registry_root root;
    std::vector<std::u16string> path;
    REGSAM access;
};

// Handles of opened keys. Values far below the predefined roots' and never reused within
// the life of the process, so a stale handle is never mistaken for a newer key.
class handle_table {
public:
    static handle_table& instance()
    {
        static auto* table = new handle_table;
        return *table;
    }

    HKEY add(open_key key)
    {
        std::lock_guard lock(mutex_);
        next_ += 4;
        keys_.emplace(next_, std::move(key));
        return reinterpret_cast<HKEY>(next_);
    }

    std::optional<open_key> find(HKEY key)
    {
        const auto value = reinterpret_cast<std::uintptr_t>(key);
        if (value >= 0x80000000u && value <= 0x80000003u)
            return open_key{static_cast<registry_root>(value - 0x80000000u), {}, KEY_ALL_ACCESS};
        std::lock_guard lock(mutex_);
        const auto it = keys_.find(value);
        if (it == keys_.end())
            return std::nullopt;
        return it->second;
    }

    bool remove(HKEY key)
    {
        std::lock_guard lock(mutex_);
        return keys_.erase(reinterpret_cast<std::uintptr_t>(key)) != 0;
    }

private:
    std::mutex mutex_;
    std::uintptr_t next_ = 0x1000;
    std::unordered_map<std::uintptr_t, open_key> keys_;
};

bool is_predefined(HKEY key)
{
    const auto value = reinterpret_cast<std::uintptr_t>(key);
    return value >= 0x80000000u && value <= 0x80000003u;
}

// Splits a subkey path at its backslashes. A trailing backslash is allowed; a leading or
// doubled one is not a path.
std::optional<std::vector<std::u16string>> split_path(LPCWSTR subKey)
{
    std::vector<std::u16string> segments;
    if (subKey == nullptr)
        return segments;
    std::u16string_view rest(subKey);
    while (!rest.empty()) {
        const std::size_t cut = rest.find(u'\\');
        const std::u16string_view segment = rest.substr(0, cut);
        if (segment.empty())
            return std::nullopt;
        segments.emplace_back(segment);
        if (cut == std::u16string_view::npos)
            break;
        rest.remove_prefix(cut + 1);
    }
    return segments;
}

std::u16string value_name(LPCWSTR name) { return name == nullptr ? std::u16string() : std::u16string(name); }

// A string value is kept as its text and one final NUL, whatever the caller passed: data
// without a terminator gains one, anything after the first NUL is dropped.
std::vector<BYTE> normalised_string(const BYTE* data, DWORD cbData)
{
    std::u16string text = data ? win32::registry_detail::utf16_of_bytes(data, cbData) : std::u16string();
    text.resize(std::min(text.size(), text.find(u'\0')));
    return win32::registry_detail::string_value_bytes(text);
}

// Copies a name into a caller's buffer of *cch characters (with the NUL); *cch becomes the
// length without the NUL. ERROR_MORE_DATA when it does not fit.
LONG copy_name(const std::u16string& name, LPWSTR buffer, LPDWORD cch)
{
    if (buffer == nullptr || cch == nullptr)
        return err(ERROR_INVALID_PARAMETER);
    if (name.size() + 1 > *cch)
        return err(ERROR_MORE_DATA);
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = u'\0';
    *cch = static_cast<DWORD>(name.size());
    return ok;
}

LONG copy_data(const registry_value& v, LPDWORD type, LPBYTE data, LPDWORD cbData)
{
    if (type != nullptr)
        *type = v.type;
    const auto size = static_cast<DWORD>(v.data.size());
    if (data == nullptr) {
        if (cbData != nullptr)
            *cbData = size;
        return ok;
    }
    if (cbData == nullptr)
        return err(ERROR_INVALID_PARAMETER);
    if (*cbData < size) {
        *cbData = size;
        return err(ERROR_MORE_DATA);
    }
    std::copy(v.data.begin(), v.data.end(), data);
    *cbData = size;
    return ok;
}

template <class Map>
auto nth(const Map& map, DWORD index)
{
    auto it = map.begin();
    std::advance(it, std::min<std::size_t>(index, map.size()));
    return it;
}

LONG resolve(HKEY key, open_key& out)
{
    auto found = handle_table::instance().find(key);
    if (!found)
        return err(ERROR_INVALID_HANDLE);
    out = std::move(*found);
    return ok;
}

std::vector<std::u16string> joined(const open_key& key, const std::vector<std::u16string>& sub)
{
    std::vector<std::u16string> path = key.path;
    path.insert(path.end(), sub.begin(), sub.end());
    return path;
}

// Resolves the handle and splits the subkey path relative to it.
LONG resolve_subkey(HKEY key, LPCWSTR subKey, open_key& parent, std::vector<std::u16string>& sub)
{
    if (const LONG rc = resolve(key, parent); rc != ok)
        return rc;
    auto segments = split_path(subKey);
    if (!segments)
        return err(ERROR_BAD_PATHNAME);
    sub = std::move(*segments);
    return ok;
}

// Runs `f` on the key behind an open handle, which must carry `right`.
template <class F>
LONG read_key(HKEY key, REGSAM right, F&& f)
{
    open_key k;
    if (const LONG rc = resolve(key, k); rc != ok)
        return rc;
    if ((k.access & right) == 0)
        return err(ERROR_ACCESS_DENIED);
    return registry_store::instance().read([&](registry_tree& tree) {
        registry_key* at = tree.find(k.root, k.path);
        return at ? f(*at) : err(ERROR_KEY_DELETED);
    });
}

// The same for a change of the key: `f(key, changed)`.
template <class F>
LONG change_key(HKEY key, REGSAM right, F&& f)
{
    open_key k;
    if (const LONG rc = resolve(key, k); rc != ok)
        return rc;
    if ((k.access & right) == 0)
        return err(ERROR_ACCESS_DENIED);
    return registry_store::instance().write([&](registry_tree& tree, bool& changed) {
        registry_key* at = tree.find(k.root, k.path);
        return at ? f(*at, changed) : err(ERROR_KEY_DELETED);
    });
}

} // namespace

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM desired, PHKEY result)
{
    if (result == nullptr)
        return err(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    open_key parent;
    std::vector<std::u16string> sub;
    if (const LONG rc = resolve_subkey(key, subKey, parent, sub); rc != ok)
        return rc;
    open_key opened{parent.root, joined(parent, sub), desired & ~(KEY_WOW64_32KEY | KEY_WOW64_64KEY)};
    const LONG rc = registry_store::instance().read([&](registry_tree& tree) {
        if (tree.find(parent.root, parent.path) == nullptr)
            return err(ERROR_KEY_DELETED);
        return tree.find(opened.root, opened.path) ? ok : err(ERROR_FILE_NOT_FOUND);
    });
    if (rc == ok)
        *result = handle_table::instance().add(std::move(opened));
    return rc;
}

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM desired, void*, PHKEY result,
                     LPDWORD disposition)
{
    if (result == nullptr)
        return err(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    open_key parent;
    std::vector<std::u16string> sub;
    if (const LONG rc = resolve_subkey(key, subKey, parent, sub); rc != ok)
        return rc;
    if (parent.path.size() + sub.size() > win32::registry_detail::kMaxKeyDepth)
        return err(ERROR_INVALID_PARAMETER);
    open_key opened{parent.root, joined(parent, sub), desired & ~(KEY_WOW64_32KEY | KEY_WOW64_64KEY)};
    bool created_any = false;
    const LONG rc = registry_store::instance().write([&](registry_tree& tree, bool& changed) {
        registry_key* at = tree.find(parent.root, parent.path);
        if (at == nullptr)
            return err(ERROR_KEY_DELETED);
        // Check first, so that a refused call creates nothing.
        registry_key* probe = at;
        for (const auto& segment : sub) {
            probe = probe->find_subkey(segment);
            if (probe == nullptr)
                break;
        }
        if (probe == nullptr && (parent.access & KEY_CREATE_SUB_KEY) == 0)
            return err(ERROR_ACCESS_DENIED);
        for (const auto& segment : sub) {
            bool created = false;
            at = &at->ensure_subkey(segment, created);
            created_any = created_any || created;
        }
        changed = created_any;
        return ok;
    });
    if (rc != ok)
        return rc;
    if (disposition != nullptr)
        *disposition = created_any ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = handle_table::instance().add(std::move(opened));
    return ok;
}

LONG RegCloseKey(HKEY key)
{
    if (is_predefined(key))
        return ok;
    return handle_table::instance().remove(key) ? ok : err(ERROR_INVALID_HANDLE);
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD cbData)
{
    const std::u16string name = value_name(valueName);
    return read_key(key, KEY_QUERY_VALUE, [&](registry_key& at) {
        const registry_value* v = at.find_value(name);
        return v ? copy_data(*v, type, data, cbData) : err(ERROR_FILE_NOT_FOUND);
    });
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD cbData)
{
    if (data == nullptr && cbData != 0)
        return err(ERROR_INVALID_PARAMETER);
    if ((type == REG_DWORD && cbData != 4) || (type == REG_QWORD && cbData != 8))
        return err(ERROR_INVALID_PARAMETER);
    registry_value value;
    value.name = value_name(valueName);
    value.type = type;
    if (type == REG_SZ || type == REG_EXPAND_SZ)
        value.data = normalised_string(data, cbData);
    else if (cbData != 0)
        value.data.assign(data, data + cbData);
    return change_key(key, KEY_SET_VALUE, [&](registry_key& at, bool& changed) {
        const std::u16string folded = fold_name(value.name);
        const auto it = at.values.find(folded);
        if (it != at.values.end()) {
            // The name keeps the spelling it was first written with.
            if (it->second.type == value.type && it->second.data == value.data)
                return ok;
            value.name = it->second.name;
        }
        at.values.insert_or_assign(folded, std::move(value));
        changed = true;
        return ok;
    });
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey)
{
    if (subKey == nullptr)
        return err(ERROR_INVALID_PARAMETER);
    open_key k;
    std::vector<std::u16string> sub;
    if (const LONG rc = resolve_subkey(key, subKey, k, sub); rc != ok)
        return rc;
    if ((k.access & kWriteRights) == 0)
        return err(ERROR_ACCESS_DENIED);
    const std::vector<std::u16string> path = joined(k, sub);
    if (path.empty())
        return err(ERROR_ACCESS_DENIED); // a root is never deleted
    return registry_store::instance().write([&](registry_tree& tree, bool& changed) {
        if (tree.find(k.root, k.path) == nullptr)
            return err(ERROR_KEY_DELETED);
        const std::vector<std::u16string> parent_path(path.begin(), path.end() - 1);
        registry_key* parent = tree.find(k.root, parent_path);
        if (parent == nullptr)
            return err(ERROR_FILE_NOT_FOUND);
        const auto it = parent->subkeys.find(fold_name(path.back()));
        if (it == parent->subkeys.end())
            return err(ERROR_FILE_NOT_FOUND);
        if (!it->second->subkeys.empty())
            return err(ERROR_ACCESS_DENIED);
        parent->subkeys.erase(it);
        changed = true;
        return ok;
    });
}

LONG RegDeleteTreeW(HKEY key, LPCWSTR subKey)
{
    open_key k;
    std::vector<std::u16string> sub;
    if (const LONG rc = resolve_subkey(key, subKey, k, sub); rc != ok)
        return rc;
    if ((k.access & kWriteRights) == 0)
        return err(ERROR_ACCESS_DENIED);
    const std::vector<std::u16string> path = joined(k, sub);
    return registry_store::instance().write([&](registry_tree& tree, bool& changed) {
        if (tree.find(k.root, k.path) == nullptr)
            return err(ERROR_KEY_DELETED);
        if (sub.empty()) {
            // The key stays; what it holds goes.
            registry_key* at = tree.find(k.root, path);
            changed = !at->values.empty() || !at->subkeys.empty();
            at->values.clear();
            at->subkeys.clear();
            return ok;
        }
        const std::vector<std::u16string> parent_path(path.begin(), path.end() - 1);
        registry_key* parent = tree.find(k.root, parent_path);
        if (parent == nullptr || parent->subkeys.erase(fold_name(path.back())) == 0)
            return err(ERROR_FILE_NOT_FOUND);
        changed = true;
        return ok;
    });
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName)
{
    const std::u16string folded = fold_name(value_name(valueName));
    return change_key(key, KEY_SET_VALUE, [&](registry_key& at, bool& changed) {
        if (at.values.erase(folded) == 0)
            return err(ERROR_FILE_NOT_FOUND);
        changed = true;
        return ok;
    });
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD cchName, LPDWORD, LPWSTR keyClass, LPDWORD cchClass,
                   PFILETIME lastWriteTime)
{
    return read_key(key, KEY_ENUMERATE_SUB_KEYS, [&](registry_key& at) {
        if (index >= at.subkeys.size())
            return err(ERROR_NO_MORE_ITEMS);
        if (const LONG rc = copy_name(nth(at.subkeys, index)->second->name, name, cchName); rc != ok)
            return rc;
        if (keyClass != nullptr && cchClass != nullptr && *cchClass > 0) {
            keyClass[0] = u'\0';
            *cchClass = 0;
        }
        if (lastWriteTime != nullptr)
            *lastWriteTime = FILETIME{0, 0};
        return ok;
    });
}

LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR valueName, LPDWORD cchValueName, LPDWORD, LPDWORD type, LPBYTE data,
                   LPDWORD cbData)
{
    return read_key(key, KEY_QUERY_VALUE, [&](registry_key& at) {
        if (index >= at.values.size())
            return err(ERROR_NO_MORE_ITEMS);
        const registry_value& v = nth(at.values, index)->second;
        if (const LONG rc = copy_name(v.name, valueName, cchValueName); rc != ok)
            return rc;
        return copy_data(v, type, data, cbData);
    });
}

LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, LPDWORD cchClass, LPDWORD, LPDWORD subKeys, LPDWORD maxSubKeyLen,
                      LPDWORD maxClassLen, LPDWORD values, LPDWORD maxValueNameLen, LPDWORD maxValueLen,
                      LPDWORD securityDescriptor, PFILETIME lastWriteTime)
{
    return read_key(key, KEY_QUERY_VALUE, [&](registry_key& key_node) {
        const registry_key* at = &key_node;
        DWORD longest_key = 0, longest_name = 0, largest_data = 0;
        for (const auto& [folded, child] : at->subkeys)
            longest_key = std::max(longest_key, static_cast<DWORD>(child->name.size()));
        for (const auto& [folded, v] : at->values) {
            longest_name = std::max(longest_name, static_cast<DWORD>(v.name.size()));
            largest_data = std::max(largest_data, static_cast<DWORD>(v.data.size()));
        }
        if (keyClass != nullptr && cchClass != nullptr && *cchClass > 0)
            keyClass[0] = u'\0';
        if (cchClass != nullptr)
            *cchClass = 0;
        if (subKeys != nullptr)
            *subKeys = static_cast<DWORD>(at->subkeys.size());
        if (maxSubKeyLen != nullptr)
            *maxSubKeyLen = longest_key;
        if (maxClassLen != nullptr)
            *maxClassLen = 0;
        if (values != nullptr)
            *values = static_cast<DWORD>(at->values.size());
        if (maxValueNameLen != nullptr)
            *maxValueNameLen = longest_name;
        if (maxValueLen != nullptr)
            *maxValueLen = largest_data;
        if (securityDescriptor != nullptr)
            *securityDescriptor = 0;
        if (lastWriteTime != nullptr)
            *lastWriteTime = FILETIME{0, 0};
        return ok;
    });
}

namespace win32 {

std::string registry_file_path() { return current_registry_location().file; }

std::string registry_failure() { return registry_detail::registry_store::instance().last_failure(); }

HRESULT registry_batch(const std::function<HRESULT()>& changes)
{
    registry_store& store = registry_store::instance();
    if (const LONG rc = store.begin_batch(); rc != ok)
        return HRESULT_FROM_WIN32(static_cast<DWORD>(rc));
    HRESULT hr = S_OK;
    try {
        hr = changes();
    } catch (...) {
        store.end_batch(false);
        throw;
    }
    const LONG ended = store.end_batch(SUCCEEDED(hr));
    return FAILED(hr) || ended == ok ? hr : HRESULT_FROM_WIN32(static_cast<DWORD>(ended));
}

} // namespace win32
