#include "platform/win32/registry_tree.h"

namespace win32::registry_detail {

namespace {

// Upper-case folding of the scripts a key or value name is realistically written in (Latin,
// Greek, Cyrillic); other characters compare as they are.
char16_t fold_char(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 0x20);
    if (c < 0x80)
        return c;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F))
        return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x450 && c <= 0x45F)
        return static_cast<char16_t>(c - 0x50);
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        // Latin Extended-A pairs: upper case at the even code point, except 0x139-0x148 and
        // 0x179-0x17E where it is the odd one.
        const bool odd_upper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (odd_upper ? (c % 2 == 0) : (c % 2 == 1))
            return static_cast<char16_t>(c - 1);
    }
    return c;
}

} // namespace

std::u16string fold_name(std::u16string_view name)
{
    std::u16string folded(name);
    for (auto& c : folded)
        c = fold_char(c);
    return folded;
}

std::vector<BYTE> string_value_bytes(std::u16string_view text)
{
    std::vector<BYTE> bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (const char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::u16string utf16_of_bytes(const BYTE* data, std::size_t size)
{
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return text;
}

registry_key* registry_key::find_subkey(std::u16string_view name) const
{
    const auto it = subkeys.find(fold_name(name));
    return it == subkeys.end() ? nullptr : it->second.get();
}

registry_key& registry_key::ensure_subkey(std::u16string_view name, bool& created)
{
    auto& slot = subkeys[fold_name(name)];
    created = slot == nullptr;
    if (created) {
        slot = std::make_unique<registry_key>();
        slot->name = std::u16string(name);
    }
    return *slot;
}

const registry_value* registry_key::find_value(std::u16string_view name) const
{
    const auto it = values.find(fold_name(name));
    return it == values.end() ? nullptr : &it->second;
}

registry_key* registry_tree::find(registry_root r, const std::vector<std::u16string>& path)
{
    registry_key* key = &root(r);
    for (const auto& segment : path) {
        key = key->find_subkey(segment);
        if (key == nullptr)
            return nullptr;
    }
    return key;
}

} // namespace win32::registry_detail
