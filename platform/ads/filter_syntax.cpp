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
    // must be escaped (\28, \29), so an unescaped "(" is an error.
    bool item()
    {
        std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ')') {
            if (text_[pos_] == '(')
                return false;
            ++pos_;
        }
        if (pos_ == start)
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
    std::string out_;
};

} // namespace

std::optional<std::string> to_rfc4515_filter(std::string_view filter)
{
    return filter_rewriter(filter).run();
}

} // namespace ads
