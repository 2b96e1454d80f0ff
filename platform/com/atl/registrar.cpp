#include "platform/com/atl/registrar.h"

#include "platform/com/runtime.h"
#include "platform/win32/registry.h"
#include "platform/win32/win_errors.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace com::registrar {

namespace {

struct value_node {
    std::u16string name; // empty: the default value
    bool is_dword = false;
    std::u16string text;
    DWORD number = 0;
};

struct key_node {
    enum class mode { normal, force_remove, no_remove, remove } how = mode::normal;
    std::u16string name;
    std::optional<value_node> default_value;
    std::vector<value_node> values;
    std::vector<key_node> keys;
};

struct root_node {
    HKEY root;
    std::vector<key_node> keys;
};

bool equals_no_case(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i] >= u'a' && a[i] <= u'z' ? static_cast<char16_t>(a[i] - 32) : a[i];
        char16_t y = b[i] >= u'a' && b[i] <= u'z' ? static_cast<char16_t>(b[i] - 32) : b[i];
        if (x != y)
            return false;
    }
    return true;
}

class parser {
public:
    parser(std::u16string_view text, const replacements& values) : text_(text), values_(values) {}

    bool parse(std::vector<root_node>& roots)
    {
        for (;;) {
            skip_space();
            if (at_end())
                return true;
            auto word = token();
            if (!word)
                return false;
            root_node root{};
            if (!root_of(*word, root.root))
                return false;
            if (!expect(u'{') || !parse_body(root.keys))
                return false;
            roots.push_back(std::move(root));
        }
    }

private:
    bool at_end() const { return pos_ >= text_.size(); }

    void skip_space()
    {
        while (!at_end() &&
               (text_[pos_] == u' ' || text_[pos_] == u'\t' || text_[pos_] == u'\r' || text_[pos_] == u'\n')) {
            ++pos_;
        }
    }

    bool expect(char16_t c)
    {
        skip_space();
        if (at_end() || text_[pos_] != c)
            return false;
        ++pos_;
        return true;
    }

    bool peek(char16_t c)
    {
        skip_space();
        return !at_end() && text_[pos_] == c;
    }

    // Replaces %NAME% and %%.
    std::optional<std::u16string> substitute(std::u16string_view raw)
    {
        std::u16string out;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != u'%') {
                out.push_back(raw[i]);
                continue;
            }
            std::size_t end = raw.find(u'%', i + 1);
            if (end == std::u16string_view::npos)
                return std::nullopt;
            std::u16string name(raw.substr(i + 1, end - i - 1));
            if (name.empty()) {
                out.push_back(u'%');
            } else {
                auto it = values_.find(name);
                if (it == values_.end())
                    return std::nullopt;
                out += it->second;
            }
            i = end;
        }
        return out;
    }

    // A bare word or a 'quoted' text.
    std::optional<std::u16string> token()
    {
        skip_space();
        if (at_end())
            return std::nullopt;
        std::u16string raw;
        if (text_[pos_] == u'\'') {
            ++pos_;
            for (;;) {
                if (at_end())
                    return std::nullopt;
                char16_t c = text_[pos_++];
                if (c == u'\'') {
                    if (!at_end() && text_[pos_] == u'\'') {
                        raw.push_back(u'\'');
                        ++pos_;
                        continue;
                    }
                    break;
                }
                raw.push_back(c);
            }
            return substitute(raw);
        }
        if (text_[pos_] == u'{') {
            // A bare name in braces, as class identifiers are written.
            std::size_t end = text_.find(u'}', pos_);
            if (end == std::u16string_view::npos)
                return std::nullopt;
            raw.assign(text_.substr(pos_, end + 1 - pos_));
            pos_ = end + 1;
            return substitute(raw);
        }
        while (!at_end()) {
            char16_t c = text_[pos_];
            if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'{' || c == u'}' || c == u'=' ||
                c == u'\'') {
                break;
            }
            raw.push_back(c);
            ++pos_;
        }
        if (raw.empty())
            return std::nullopt;
        return substitute(raw);
    }

    bool parse_value(value_node& value)
    {
        auto kind = token();
        if (!kind)
            return false;
        auto data = token();
        if (!data)
            return false;
        if (equals_no_case(*kind, u"s")) {
            value.text = *data;
            return true;
        }
        if (equals_no_case(*kind, u"d")) {
            std::string narrow(data->begin(), data->end());
            char* end = nullptr;
            unsigned long n = std::strtoul(narrow.c_str(), &end, 0);
            if (narrow.empty() || *end != '\0' || n > 0xFFFFFFFFul)
                return false;
            value.is_dword = true;
            value.number = static_cast<DWORD>(n);
            return true;
        }
        return false;
    }

    bool parse_body(std::vector<key_node>& keys, key_node* owner = nullptr)
    {
        for (;;) {
            if (peek(u'}')) {
                ++pos_;
                return true;
            }
            if (at_end())
                return false;
            auto word = token();
            if (!word)
                return false;
            if (equals_no_case(*word, u"val")) {
                if (owner == nullptr)
                    return false;
                value_node value{};
                auto name = token();
                if (!name || !expect(u'=') || !parse_value(value))
                    return false;
                value.name = *name;
                owner->values.push_back(std::move(value));
                continue;
            }
            key_node key{};
            if (equals_no_case(*word, u"ForceRemove")) {
                key.how = key_node::mode::force_remove;
                word = token();
            } else if (equals_no_case(*word, u"NoRemove")) {
                key.how = key_node::mode::no_remove;
                word = token();
            } else if (equals_no_case(*word, u"Delete")) {
                key.how = key_node::mode::remove;
                word = token();
            }
            if (!word)
                return false;
            key.name = *word;
            if (peek(u'=')) {
                ++pos_;
                value_node value{};
                if (!parse_value(value))
                    return false;
                key.default_value = std::move(value);
            }
            if (peek(u'{')) {
                ++pos_;
                if (!parse_body(key.keys, &key))
                    return false;
            }
            keys.push_back(std::move(key));
        }
    }

    static bool root_of(std::u16string_view name, HKEY& root)
    {
        if (equals_no_case(name, u"HKCR") || equals_no_case(name, u"HKEY_CLASSES_ROOT"))
            root = HKEY_CLASSES_ROOT;
        else if (equals_no_case(name, u"HKCU") || equals_no_case(name, u"HKEY_CURRENT_USER"))
            root = HKEY_CURRENT_USER;
        else if (equals_no_case(name, u"HKLM") || equals_no_case(name, u"HKEY_LOCAL_MACHINE"))
            root = HKEY_LOCAL_MACHINE;
        else if (equals_no_case(name, u"HKU") || equals_no_case(name, u"HKEY_USERS"))
            root = HKEY_USERS;
        else
            return false;
        return true;
    }

    std::u16string_view text_;
    const replacements& values_;
    std::size_t pos_ = 0;
};

HRESULT from_win32(LONG code) { return code == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(code)); }

HRESULT set_value(HKEY key, const value_node& value)
{
    const char16_t* name = value.name.empty() ? nullptr : value.name.c_str();
    if (value.is_dword) {
        return from_win32(
            RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value.number), sizeof(DWORD)));
    }
    return from_win32(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                                     static_cast<DWORD>((value.text.size() + 1) * sizeof(char16_t))));
}

HRESULT register_keys(HKEY parent, const std::vector<key_node>& keys)
{
    for (const auto& k : keys) {
        if (k.how == key_node::mode::remove) {
            LONG rc = RegDeleteTreeW(parent, k.name.c_str());
            if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
                return from_win32(rc);
            continue;
        }
        if (k.how == key_node::mode::force_remove) {
            LONG rc = RegDeleteTreeW(parent, k.name.c_str());
            if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
                return from_win32(rc);
        }
        HKEY key = nullptr;
        HRESULT hr = from_win32(RegCreateKeyExW(parent, k.name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                KEY_ALL_ACCESS, nullptr, &key, nullptr));
        if (FAILED(hr))
            return hr;
        if (k.default_value)
            hr = set_value(key, *k.default_value);
        for (const auto& v : k.values) {
            if (SUCCEEDED(hr))
                hr = set_value(key, v);
        }
        if (SUCCEEDED(hr))
            hr = register_keys(key, k.keys);
        RegCloseKey(key);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

bool has_subkeys(HKEY key)
{
    DWORD subkeys = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS) {
        return true;
    }
    return subkeys != 0;
}

HRESULT unregister_keys(HKEY parent, const std::vector<key_node>& keys)
{
    for (const auto& k : keys) {
        if (k.how == key_node::mode::remove)
            continue;
        if (k.how == key_node::mode::force_remove) {
            LONG rc = RegDeleteTreeW(parent, k.name.c_str());
            if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
                return from_win32(rc);
            continue;
        }
        HKEY key = nullptr;
        LONG rc = RegOpenKeyExW(parent, k.name.c_str(), 0, KEY_ALL_ACCESS, &key);
        if (rc == ERROR_FILE_NOT_FOUND)
            continue;
        if (rc != ERROR_SUCCESS)
            return from_win32(rc);
        HRESULT hr = unregister_keys(key, k.keys);
        if (SUCCEEDED(hr) && k.how != key_node::mode::no_remove) {
            for (const auto& v : k.values)
                RegDeleteValueW(key, v.name.empty() ? nullptr : v.name.c_str());
        }
        bool empty = !has_subkeys(key);
        RegCloseKey(key);
        if (FAILED(hr))
            return hr;
        if (k.how != key_node::mode::no_remove && empty) {
            rc = RegDeleteTreeW(parent, k.name.c_str());
            if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
                return from_win32(rc);
        }
    }
    return S_OK;
}

} // namespace

HRESULT run_script(std::u16string_view script, bool do_register, const replacements& values)
{
    std::vector<root_node> roots;
    parser p(script, values);
    if (!p.parse(roots))
        return E_INVALIDARG;
    return win32::registry_batch([&] {
        for (const auto& root : roots) {
            HRESULT hr = do_register ? register_keys(root.root, root.keys) : unregister_keys(root.root, root.keys);
            if (FAILED(hr))
                return hr;
        }
        return S_OK;
    });
}

} // namespace com::registrar
