#include "platform/forms/core/property_value_text.h"

#include "platform/forms/core/std_font.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/core/vb_error.h"

#include <QBuffer>
#include <QImageReader>

namespace forms {

namespace {

QString quote(const QString& s)
{
    QString out = QStringLiteral("\"");
    for (QChar c : s) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

[[noreturn]] void bad(const QString& what)
{
    raise(vberr::InvalidPropertyValue, QStringLiteral("FormFile"), QStringLiteral("Invalid property value: ") + what);
}

// Reads a quoted string at `pos`; leaves `pos` after the closing quote.
QString unquote(const QString& text, qsizetype& pos)
{
    if (pos >= text.size() || text[pos] != QLatin1Char('"'))
        bad(QStringLiteral("expected a quoted string in ") + text);
    QString out;
    for (++pos; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == QLatin1Char('"')) {
            ++pos;
            return out;
        }
        if (c == QLatin1Char('\\')) {
            if (++pos >= text.size())
                break;
            switch (text[pos].unicode()) {
            case 'r': out += QLatin1Char('\r'); break;
            case 'n': out += QLatin1Char('\n'); break;
            case 't': out += QLatin1Char('\t'); break;
            case '"': out += QLatin1Char('"'); break;
            case '\\': out += QLatin1Char('\\'); break;
            default: bad(QStringLiteral("unknown escape in ") + text);
            }
            continue;
        }
        out += c;
    }
    bad(QStringLiteral("unterminated string in ") + text);
}

// The largest font size in points a stored font may have.
constexpr double kLargestFontSize = 2160;

QString encode_font(const FontRef& f)
{
    if (!f)
        return QStringLiteral("Font Nothing");
    return QStringLiteral("Font Name=%1 Size=%2 Weight=%3 Italic=%4 Underline=%5 Strikethrough=%6 Charset=%7")
        .arg(quote(f->Name()), QString::number(f->Size(), 'g', 15), QString::number(f->Weight()),
             QString::number(f->Italic() ? 1 : 0), QString::number(f->Underline() ? 1 : 0),
             QString::number(f->Strikethrough() ? 1 : 0), QString::number(f->Charset()));
}

QVariant decode_font(const QString& rest)
{
    if (rest.trimmed() == QLatin1String("Nothing"))
        return QVariant::fromValue(FontRef{});
    auto font = StdFont::create();
    qsizetype pos = 0;
    while (pos < rest.size()) {
        while (pos < rest.size() && rest[pos] == QLatin1Char(' '))
            ++pos;
        if (pos >= rest.size())
            break;
        const qsizetype eq = rest.indexOf(QLatin1Char('='), pos);
        if (eq < 0)
            bad(QStringLiteral("font attribute without '=' in ") + rest);
        const QString key = rest.mid(pos, eq - pos);
        pos = eq + 1;
        QString value;
        if (pos < rest.size() && rest[pos] == QLatin1Char('"')) {
            value = unquote(rest, pos);
        } else {
            const qsizetype end = rest.indexOf(QLatin1Char(' '), pos);
            value = rest.mid(pos, end < 0 ? -1 : end - pos);
            pos = end < 0 ? rest.size() : end;
        }
        bool ok = true;
        // Each attribute within what a font can be: a size in points above 0 up to the
        // largest a font takes, a weight of 0 to 1000, a flag 0 or 1 (-1, True, as well),
        // a character set of one byte.
        const auto in_range = [&](double number, double least, double most) {
            if (!ok)
                return number;
            if (!(number >= least && number <= most))
                bad(QStringLiteral("font attribute %1=%2 is outside %3 to %4").arg(key, value).arg(least).arg(most));
            return number;
        };
        const auto flag = [&] {
            const int number = value.toInt(&ok);
            if (ok && number != 0 && number != 1 && number != -1)
                bad(QStringLiteral("font attribute %1=%2 is neither 0 nor 1").arg(key, value));
            return number != 0;
        };
        if (key == QLatin1String("Name"))
            font->setName(value);
        else if (key == QLatin1String("Size")) {
            const double size = value.toDouble(&ok);
            if (ok && !(size > 0))
                bad(QStringLiteral("font attribute Size=%1 is not above 0").arg(value));
            font->setSize(in_range(size, 0, kLargestFontSize));
        } else if (key == QLatin1String("Weight"))
            font->setWeight(static_cast<int>(in_range(value.toInt(&ok), 0, 1000)));
        else if (key == QLatin1String("Italic"))
            font->setItalic(flag());
        else if (key == QLatin1String("Underline"))
            font->setUnderline(flag());
        else if (key == QLatin1String("Strikethrough"))
            font->setStrikethrough(flag());
        else if (key == QLatin1String("Charset"))
            font->setCharset(static_cast<int>(in_range(value.toInt(&ok), 0, 255)));
        else
            bad(QStringLiteral("unknown font attribute ") + key);
        if (!ok)
            bad(QStringLiteral("font attribute ") + key + QStringLiteral(" is not a number"));
    }
    return QVariant::fromValue(font);
}

// Reads a picture's size from its header and takes its pixels from the budget.
void take_picture_pixels(const QByteArray& png, qint64& pixels_left)
{
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "PNG");
    const QSize size = reader.size();
    if (!size.isValid())
        bad(QStringLiteral("picture data is not a PNG picture"));
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > pixels_left)
        bad(QStringLiteral("a picture of %1 x %2 pixels is more than the form's pictures may still hold (%3 pixels)")
                .arg(size.width())
                .arg(size.height())
                .arg(pixels_left));
    pixels_left -= pixels;
}

} // namespace

bool is_object_reference(const QVariant& value)
{
    return value.isValid() && (value.metaType().flags() & QMetaType::PointerToQObject);
}

bool storable_property_value(const QVariant& value)
{
    if (!value.isValid())
        return true;
    const int type = value.typeId();
    if (type == qMetaTypeId<FontRef>() || type == qMetaTypeId<PictureRef>())
        return true;
    switch (type) {
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::UChar:
    case QMetaType::SChar:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Float:
    case QMetaType::Double:
    case QMetaType::QString: return true;
    default: return false;
    }
}

QString encode_property_value(const QVariant& value)
{
    if (!value.isValid())
        return QStringLiteral("Empty");
    const int type = value.typeId();
    if (type == qMetaTypeId<FontRef>())
        return encode_font(value.value<FontRef>());
    if (type == qMetaTypeId<PictureRef>()) {
        const PictureRef p = value.value<PictureRef>();
        if (!p || p->empty())
            return QStringLiteral("Picture None");
        return QStringLiteral("Picture ") + QString::fromLatin1(p->to_bytes().toBase64());
    }
    switch (type) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("Boolean True") : QStringLiteral("Boolean False");
    case QMetaType::Short:
    case QMetaType::UChar:
    case QMetaType::SChar: return QStringLiteral("Integer ") + QString::number(value.toInt());
    case QMetaType::Int: return QStringLiteral("Long ") + QString::number(value.toInt());
    case QMetaType::UInt:
        return QStringLiteral("Color &H") + QString::number(value.toUInt(), 16).toUpper() + QLatin1Char('&');
    case QMetaType::Float:
        return QStringLiteral("Single ") + QString::number(static_cast<double>(value.toFloat()), 'g', 9);
    case QMetaType::Double: return QStringLiteral("Double ") + QString::number(value.toDouble(), 'g', 17);
    case QMetaType::QString: return QStringLiteral("String ") + quote(value.toString());
    default:
        raise(vberr::TypeMismatch, QStringLiteral("FormFile"),
              QStringLiteral("A value of type %1 cannot be stored in a property bag")
                  .arg(QString::fromLatin1(value.typeName())));
    }
}

QVariant decode_property_value(const QString& text, qint64* picture_pixels_left)
{
    const QString t = text.trimmed();
    const qsizetype space = t.indexOf(QLatin1Char(' '));
    const QString kind = space < 0 ? t : t.left(space);
    const QString rest = space < 0 ? QString() : t.mid(space + 1);
    bool ok = false;
    if (kind == QLatin1String("Empty") && rest.isEmpty())
        return QVariant();
    if (kind == QLatin1String("Boolean")) {
        if (rest == QLatin1String("True"))
            return QVariant(true);
        if (rest == QLatin1String("False"))
            return QVariant(false);
        bad(t);
    }
    if (kind == QLatin1String("Integer")) {
        const short v = rest.toShort(&ok);
        if (!ok)
            bad(t);
        return QVariant::fromValue<short>(v);
    }
    if (kind == QLatin1String("Long")) {
        const int v = rest.toInt(&ok);
        if (!ok)
            bad(t);
        return QVariant(v);
    }
    if (kind == QLatin1String("Single")) {
        const float v = rest.toFloat(&ok);
        if (!ok)
            bad(t);
        return QVariant(v);
    }
    if (kind == QLatin1String("Double")) {
        const double v = rest.toDouble(&ok);
        if (!ok)
            bad(t);
        return QVariant(v);
    }
    if (kind == QLatin1String("Color")) {
        QString digits = rest;
        if (!digits.startsWith(QLatin1String("&H")) || !digits.endsWith(QLatin1Char('&')))
            bad(t);
        digits = digits.mid(2, digits.size() - 3);
        const uint v = digits.toUInt(&ok, 16);
        if (!ok)
            bad(t);
        return QVariant(v);
    }
    if (kind == QLatin1String("String")) {
        qsizetype pos = 0;
        QString s = unquote(rest, pos);
        if (pos != rest.size())
            bad(t);
        return QVariant(s);
    }
    if (kind == QLatin1String("Font"))
        return decode_font(rest);
    if (kind == QLatin1String("Picture")) {
        if (rest == QLatin1String("None"))
            return QVariant::fromValue(StdPicture::create());
        const auto decoded = QByteArray::fromBase64Encoding(rest.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            bad(QStringLiteral("picture data is not base64"));
        if (picture_pixels_left)
            take_picture_pixels(*decoded, *picture_pixels_left);
        return QVariant::fromValue(StdPicture::from_bytes(*decoded));
    }
    bad(t);
}

} // namespace forms
