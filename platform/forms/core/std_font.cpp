#include "platform/forms/core/std_font.h"

#include <algorithm>
#include <cmath>

namespace forms {

StdFont::StdFont() : name_(QStringLiteral("MS Sans Serif")), size_(8.25), weight_(400) {}

FontRef StdFont::Clone() const
{
    auto copy = std::make_shared<StdFont>();
    copy->name_ = name_;
    copy->size_ = size_;
    copy->weight_ = weight_;
    copy->italic_ = italic_;
    copy->underline_ = underline_;
    copy->strikethrough_ = strikethrough_;
    copy->charset_ = charset_;
    return copy;
}

bool StdFont::same_as(const StdFont& o) const
{
    return name_.compare(o.name_, Qt::CaseInsensitive) == 0 && std::fabs(size_ - o.size_) < 1e-6 &&
           weight_ == o.weight_ && italic_ == o.italic_ && underline_ == o.underline_ &&
           strikethrough_ == o.strikethrough_ && charset_ == o.charset_;
}

void StdFont::setName(const QString& name)
{
    if (name == name_)
        return;
    name_ = name;
    emit FontChanged(QStringLiteral("Name"));
}

void StdFont::setSize(double size)
{
    if (size == size_)
        return;
    size_ = size;
    emit FontChanged(QStringLiteral("Size"));
}

void StdFont::setBold(bool bold)
{
    const int weight = bold ? 700 : 400;
    if (weight == weight_)
        return;
    weight_ = weight;
    emit FontChanged(QStringLiteral("Bold"));
}

void StdFont::setItalic(bool italic)
{
    if (italic == italic_)
        return;
    italic_ = italic;
    emit FontChanged(QStringLiteral("Italic"));
}

void StdFont::setUnderline(bool underline)
{
    if (underline == underline_)
        return;
    underline_ = underline;
    emit FontChanged(QStringLiteral("Underline"));
}

void StdFont::setStrikethrough(bool strikethrough)
{
    if (strikethrough == strikethrough_)
        return;
    strikethrough_ = strikethrough;
    emit FontChanged(QStringLiteral("Strikethrough"));
}

void StdFont::setWeight(int weight)
{
    if (weight == weight_)
        return;
    weight_ = weight;
    emit FontChanged(QStringLiteral("Weight"));
}

void StdFont::setCharset(int charset)
{
    if (charset == charset_)
        return;
    charset_ = charset;
    emit FontChanged(QStringLiteral("Charset"));
}

QFont StdFont::to_qfont() const
{
    QFont font(name_);
    font.setPointSizeF(size_ > 0 ? size_ : 8.25);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight_, 100, 900)));
    font.setItalic(italic_);
    font.setUnderline(underline_);
    font.setStrikeOut(strikethrough_);
    return font;
}

} // namespace forms
