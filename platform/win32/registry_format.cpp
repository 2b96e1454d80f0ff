#include "platform/win32/registry_format.h"

#include "platform/win32/registry.h"
#include "platform/win32/text.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace win32::registry_detail {

namespace {

constexpr std::string_view kHeader =
    "# Ostrel registry. One [key] line per key, then its values: \"name\" = type data (@ = default).\n";

constexpr char kHex[] = "0123456789abcdef";

void append_hex_byte(std::string& out, unsigned char b)
{
    out.push_back(kHex[b >> 4]);
    out.push_back(kHex[b & 0xF]);
}

std::string quote(std::u16string_view text)
{
    const std::string utf8 = utf16_to_utf8(text);
    std::string out = "\"";
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\x";
                append_hex_byte(out, c);
            } else {
                out.push_back(ch);
            }
        }
    }
    out.push_back('"');
    return out;
}

bool is_surrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// A key name is one segment of the key line's path, so the separator is escaped as well as
// the escape character itself, and a lone surrogate, which UTF-8 cannot carry, is written
// %uXXXX: whatever name the tree holds is read back as that name.
std::string encode_key_segment(std::u16string_view name)
{
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i];
        const bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 &&
                          name[i + 1] <= 0xDFFF;
        if (is_surrogate(unit) && !pair) {
            out += "%u";
            append_hex_byte(out, static_cast<unsigned char>(unit >> 8));
            append_hex_byte(out, static_cast<unsigned char>(unit & 0xFF));
            continue;
        }
        const std::size_t length = pair ? 2 : 1;
        for (const char ch : utf16_to_utf8(name.substr(i, length))) {
            const auto c = static_cast<unsigned char>(ch);
            if (c == '%' || c == '\\' || c < 0x20 || c == 0x7F) {
                out.push_back('%');
                append_hex_byte(out, c);
            } else {
                out.push_back(ch);
            }
        }
        i += length - 1;
    }
    return out;
}

bool survives_utf8(std::u16string_view text) { return utf8_to_utf16(utf16_to_utf8(text)) == text; }

// The text of a string value stored as this store stores them: UTF-16 with one final NUL.
std::optional<std::u16string> as_string(const registry_value& v)
{
    if (v.data.size() < 2 || v.data.size() % 2 != 0)
        return std::nullopt;
    std::u16string text = utf16_of_bytes(v.data.data(), v.data.size());
    if (text.back() != u'\0')
        return std::nullopt;
    text.pop_back();
    if (text.find(u'\0') != std::u16string::npos || !survives_utf8(text))
        return std::nullopt;
    return text;
}

std::string format_value(const registry_value& v)
{
    std::string line = v.name.empty() ? std::string("@") : quote(v.name);
    line += " = ";
    if (v.type == REG_SZ || v.type == REG_EXPAND_SZ) {
        if (const auto text = as_string(v)) {
            line += v.type == REG_SZ ? "sz " : "expand_sz ";
            line += quote(*text);
            return line;
        }
    }
    if (v.type == REG_DWORD && v.data.size() == 4) {
        const std::uint32_t n = v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) | (std::uint32_t{v.data[3]} << 24);
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%08x", n);
        line += "dword ";
        line += buf;
        return line;
    }
    line += "hex " + std::to_string(v.type) + " ";
    for (const BYTE b : v.data)
        append_hex_byte(line, b);
    return line;
}

void write_key(std::string& out, const registry_key& key, const std::string& path, bool is_root)
{
    if (!is_root || !key.values.empty()) {
        out += "[" + path + "]\n";
        for (const auto& [folded, value] : key.values)
            out += format_value(value) + "\n";
    }
    for (const auto& [folded, child] : key.subkeys)
        write_key(out, *child, path + "\\" + encode_key_segment(child->name), false);
}

// --- Reading --------------------------------------------------------------------------------

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class line_reader {
public:
    explicit line_reader(std::string_view s) : s_(s) {}

    bool at_end() const { return pos_ >= s_.size(); }
    void skip_blanks()
    {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t'))
            ++pos_;
    }
    bool take(char c)
    {
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    std::string_view word()
    {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && s_[pos_] != ' ' && s_[pos_] != '\t')
            ++pos_;
        return s_.substr(start, pos_ - start);
    }
    std::optional<std::u16string> quoted()
    {
        if (!take('"'))
            return std::nullopt;
        std::string utf8;
        while (pos_ < s_.size()) {
            const char c = s_[pos_++];
            if (c == '"')
                return utf8_to_utf16(utf8);
            if (c != '\\') {
                utf8.push_back(c);
                continue;
            }
            if (pos_ >= s_.size())
                return std::nullopt;
            const char e = s_[pos_++];
            switch (e) {
            case '\\': utf8.push_back('\\'); break;
            case '"': utf8.push_back('"'); break;
            case 'r': utf8.push_back('\r'); break;
            case 'n': utf8.push_back('\n'); break;
            case 't': utf8.push_back('\t'); break;
            case 'x': {
                if (pos_ + 2 > s_.size())
                    return std::nullopt;
                const int hi = hex_digit(s_[pos_]);
                const int lo = hex_digit(s_[pos_ + 1]);
                if (hi < 0 || lo < 0)
                    return std::nullopt;
                utf8.push_back(static_cast<char>(hi * 16 + lo));
                pos_ += 2;
                break;
            }
            default: return std::nullopt;
            }
        }
        return std::nullopt;
    }

private:
    std::string_view s_;
    std::size_t pos_ = 0;
};

// The value of the hex digits at s[at, at + count); -1 when one is not a hex digit or missing.
long hex_number(std::string_view s, std::size_t at, std::size_t count)
{
    if (at + count > s.size())
        return -1;
    long n = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        const int d = hex_digit(s[i]);
        if (d < 0)
            return -1;
        n = n * 16 + d;
    }
    return n;
}

std::optional<std::u16string> decode_key_segment(std::string_view s)
{
    std::u16string name;
    std::string utf8;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            utf8.push_back(s[i]);
            continue;
        }
        if (i + 1 < s.size() && s[i + 1] == 'u') {
            const long unit = hex_number(s, i + 2, 4);
            if (unit < 0)
                return std::nullopt;
            name += utf8_to_utf16(utf8);
            utf8.clear();
            name.push_back(static_cast<char16_t>(unit));
            i += 5;
            continue;
        }
        const long byte = hex_number(s, i + 1, 2);
        if (byte < 0)
            return std::nullopt;
        utf8.push_back(static_cast<char>(byte));
        i += 2;
    }
    return name + utf8_to_utf16(utf8);
}

bool parse_value(std::string_view line, registry_value& v)
{
    line_reader r(line);
    if (r.take('@')) {
        v.name.clear();
    } else {
        auto name = r.quoted();
        if (!name)
            return false;
        v.name = std::move(*name);
    }
    r.skip_blanks();
    if (!r.take('='))
        return false;
    r.skip_blanks();
    const std::string_view type = r.word();
    r.skip_blanks();
    if (type == "sz" || type == "expand_sz") {
        auto text = r.quoted();
        if (!text)
            return false;
        v.type = type == "sz" ? REG_SZ : REG_EXPAND_SZ;
        v.data = string_value_bytes(*text);
    } else if (type == "dword") {
        std::string_view digits = r.word();
        if (!digits.starts_with("0x"))
            return false;
        digits.remove_prefix(2);
        std::uint32_t n = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n, 16);
        if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty())
            return false;
        v.type = REG_DWORD;
        v.data = {static_cast<BYTE>(n), static_cast<BYTE>(n >> 8), static_cast<BYTE>(n >> 16),
                  static_cast<BYTE>(n >> 24)};
    } else if (type == "hex") {
        const std::string_view number = r.word();
        DWORD t = 0;
        const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), t);
        if (ec != std::errc() || end != number.data() + number.size() || number.empty())
            return false;
        r.skip_blanks();
        const std::string_view bytes = r.word();
        if (bytes.size() % 2 != 0)
            return false;
        v.type = t;
        v.data.clear();
        for (std::size_t i = 0; i < bytes.size(); i += 2) {
            const int hi = hex_digit(bytes[i]);
            const int lo = hex_digit(bytes[i + 1]);
            if (hi < 0 || lo < 0)
                return false;
            v.data.push_back(static_cast<BYTE>(hi * 16 + lo));
        }
    } else {
        return false;
    }
    r.skip_blanks();
    return r.at_end();
}

} // namespace

std::string registry_format::write(const registry_tree& tree)
{
    std::string out(kHeader);
    for (std::size_t i = 0; i < tree.roots.size(); ++i)
        write_key(out, tree.roots[i], std::string(kRootNames[i]), true);
    return out;
}

bool registry_format::read(std::string_view text, registry_tree& tree, std::size_t& error_line)
{
    registry_tree result;
    registry_key* current = nullptr;
    std::size_t line_number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++line_number;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        std::string_view trimmed = line;
        while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t'))
            trimmed.remove_prefix(1);
        if (trimmed.empty() || trimmed.front() == '#' || trimmed.front() == ';')
            continue;
        if (trimmed.front() == '[') {
            if (!trimmed.ends_with(']')) {
                error_line = line_number;
                return false;
            }
            const std::string_view path = trimmed.substr(1, trimmed.size() - 2);
            const std::size_t first = path.find('\\');
            const std::string_view root_name = path.substr(0, first);
            std::size_t root = 0;
            while (root < kRootNames.size() && kRootNames[root] != root_name)
                ++root;
            if (root == kRootNames.size()) {
                error_line = line_number;
                return false;
            }
            current = &result.roots[root];
            std::size_t at = first;
            std::size_t depth = 0;
            while (at != std::string_view::npos) {
                if (++depth > kMaxKeyDepth) {
                    error_line = line_number;
                    return false;
                }
                const std::size_t next = path.find('\\', at + 1);
                const std::string_view segment = path.substr(
                    at + 1, next == std::string_view::npos ? std::string_view::npos : next - at - 1);
                const auto name = decode_key_segment(segment);
                if (!name || name->empty()) {
                    error_line = line_number;
                    return false;
                }
                bool created = false;
                current = &current->ensure_subkey(*name, created);
                at = next;
            }
            continue;
        }
        registry_value value;
        if (current == nullptr || !parse_value(trimmed, value)) {
            error_line = line_number;
            return false;
        }
        current->values.insert_or_assign(fold_name(value.name), std::move(value));
    }
    tree = std::move(result);
    return true;
}

} // namespace win32::registry_detail
