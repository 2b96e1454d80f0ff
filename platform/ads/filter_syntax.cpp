#include "platform/ads/filter_syntax.h"

namespace ads {

namespace {

class filter_rewriter {
public:
    explicit filter_rewriter(std::string_view text) : text_(text) {}

    std::optional<std::string> run()
    {
        if (!filter() || pos_ != text_.size())
            return std::nullopt;
        return out_;
    }

private:
    // filter := "(" ( ("&" | "|") filter+ | "!" (filter | item) | item ) ")"
    bool filter()
    {
        if (++depth_ > kMaxFilterNesting)
            return false;
        const bool ok = nested_filter();
        --depth_;
        return ok;
    }

    bool nested_filter()
    {
        if (!take('('))
            return false;
        if (pos_ >= text_.size())
            return false;
        char op = text_[pos_];
        if (op == '&' || op == '|') {
            out_ += op;
            ++pos_;
            if (!peek('('))
                return false;
            while (peek('('))
                if (!filter())
                    return false;
        } else if (op == '!') {
            out_ += op;
            ++pos_;
            if (peek('(')) {
                if (!filter())
                    return false;
            } else {
                // The bare operand gets the parentheses RFC 4515 requires.
                out_ += '(';
                if (!item())
                    return false;
                out_ += ')';
            }
        } else if (!item()) {
            return false;
        }
        return take(')');
    }

    // An item runs to the parenthesis that closes it; a literal parenthesis inside a value
    // must be escaped (\28, \29), so an unescaped "(" is an error. It compares an attribute
    // (or a matching rule) with a value, so it holds a "=" and starts with neither an operator
    // nor the "=" itself.
    bool item()
    {
        std::size_t start = pos_;
        bool comparison = false;
        while (pos_ < text_.size() && text_[pos_] != ')') {
            if (text_[pos_] == '(')
                return false;
            comparison = comparison || text_[pos_] == '=';
            ++pos_;
        }
        if (pos_ == start || !comparison)
            return false;
        if (const char first = text_[start]; first == '&' || first == '|' || first == '!' || first == '=')
            return false;
        out_.append(text_.substr(start, pos_ - start));
        return true;
    }

    bool peek(char c) const { return pos_ < text_.size() && text_[pos_] == c; }

    bool take(char c)
    {
        if (!peek(c))
            return false;
        out_ += c;
        ++pos_;
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    std::string out_;
};

} // namespace

std::optional<std::string> to_rfc4515_filter(std::string_view filter) { return filter_rewriter(filter).run(); }

} // namespace ads
