#include "platform/forms/form_file.h"

#include "platform/forms/file_save.h"
#include "platform/forms/property_value_text.h"
#include "platform/forms/vb_error.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

namespace forms {

namespace {

const QString kHeader = QStringLiteral("OstrelForm 1");

[[noreturn]] void bad_line(int line, const QString& what)
{
    raise(vberr::InvalidPropertyValue, QStringLiteral("FormFile"),
          QStringLiteral("Form file line %1: %2").arg(line).arg(what));
}

bool valid_name(const QString& s);
void check_writable_name(const QString& what, const QString& name);

// The words that open and close a block: a key spelled so would be read as structure.
bool structure_word(const QString& key)
{
    return key.compare(QLatin1String("Begin"), Qt::CaseInsensitive) == 0 ||
           key.compare(QLatin1String("End"), Qt::CaseInsensitive) == 0;
}

void write_bag(QString& out, const PropertyBag& bag, const QString& indent, const QString& prefix)
{
    for (const auto& e : bag.entries()) {
        check_writable_name(QStringLiteral("key"), e.key);
        if (structure_word(e.key))
            raise(
                380, QStringLiteral("FormFile"),
                QStringLiteral("Form file: the key \"%1\" cannot be written (it opens or closes a block)").arg(e.key));
        out += indent + prefix + e.key + QStringLiteral(" = ") + encode_property_value(e.value) + QLatin1Char('\n');
    }
}

// What the reader could not read back is never written: a file saved whole and unreadable
// would lose the form the next time it is opened.
void check_writable_name(const QString& what, const QString& name)
{
    if (!valid_name(name))
        raise(380, QStringLiteral("FormFile"),
              QStringLiteral("Form file: the %1 \"%2\" cannot be written (a name is letters, digits, '_', '.', "
                             "'{', '}' and '-')")
                  .arg(what, name));
}

void write_control(QString& out, const FormControlData& c, int depth)
{
    check_writable_name(QStringLiteral("control class"), c.class_name);
    check_writable_name(QStringLiteral("control name"), c.name);
    const QString indent(depth * 3, QLatin1Char(' '));
    const QString inner((depth + 1) * 3, QLatin1Char(' '));
    out += indent + QStringLiteral("Begin ") + c.class_name + QLatin1Char(' ') + c.name + QLatin1Char('\n');
    write_bag(out, c.extender, inner, QStringLiteral("@"));
    write_bag(out, c.properties, inner, QString());
    for (const auto& child : c.children)
        write_control(out, child, depth + 1);
    out += indent + QStringLiteral("End\n");
}

bool valid_name(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.') || c == QLatin1Char('{') ||
              c == QLatin1Char('}') || c == QLatin1Char('-')))
            return false;
    return true;
}

} // namespace

FormData FormFile::parse(const QString& text) { return parse_lines(text.split(QLatin1Char('\n'))); }

FormData FormFile::parse(const QByteArray& utf8)
{
    if (utf8.size() > kMaxFileSize)
        raise(vberr::InvalidPropertyValue, QStringLiteral("FormFile"),
              QStringLiteral("Form file: %1 bytes, more than the %2 a form file may hold")
                  .arg(utf8.size())
                  .arg(kMaxFileSize));
    // Each line is decoded alone ('\n' is never part of a UTF-8 sequence), so a byte that is
    // no UTF-8 is refused naming its line rather than read as U+FFFD and saved back altered.
    QStringList lines;
    int number = 0;
    for (const QByteArray& line : utf8.split('\n')) {
        ++number;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString decoded = decoder.decode(line);
        if (decoder.hasError())
            bad_line(number, QStringLiteral("the text is not UTF-8"));
        lines.push_back(std::move(decoded));
    }
    return parse_lines(lines);
}

FormData FormFile::parse_lines(const QStringList& lines)
{
    FormData form;
    // The pictures of one form share one budget of pixels, so that no file of a few
    // megabytes decodes into gigabytes.
    qint64 picture_pixels_left = kMaxPicturePixels;
    // The open blocks: the form itself (null) or a control being filled.
    std::vector<FormControlData*> open;
    bool header = false, form_open = false, form_closed = false;
    int number = 0;
    for (QString raw : lines) {
        ++number;
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (!header) {
            if (line != kHeader)
                bad_line(number, QStringLiteral("expected \"%1\"").arg(kHeader));
            header = true;
            continue;
        }
        if (form_closed)
            bad_line(number, QStringLiteral("text after the form's End"));
        if (line.startsWith(QLatin1String("Begin "))) {
            const QStringList parts = line.mid(6).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (parts.size() != 2 || !valid_name(parts[0]) || !valid_name(parts[1]))
                bad_line(number, QStringLiteral("expected \"Begin <class> <name>\""));
            if (!form_open) {
                if (parts[0] != QLatin1String("Form"))
                    bad_line(number, QStringLiteral("expected \"Begin Form <name>\""));
                form.name = parts[1];
                form.properties.set_owner(QStringLiteral("form ") + form.name);
                form_open = true;
                continue;
            }
            if (open.size() >= FormFile::kMaxNesting)
                bad_line(number, QStringLiteral("controls nested deeper than %1 levels").arg(FormFile::kMaxNesting));
            auto& siblings = open.empty() ? form.controls : open.back()->children;
            siblings.push_back(FormControlData{parts[0], parts[1], {}, {}, {}});
            FormControlData& control = siblings.back();
            control.extender.set_owner(QStringLiteral("control ") + control.name);
            control.properties.set_owner(QStringLiteral("control ") + control.name);
            open.push_back(&control);
            continue;
        }
        if (!form_open)
            bad_line(number, QStringLiteral("expected \"Begin Form <name>\""));
        if (line == QLatin1String("End")) {
            if (open.empty())
                form_closed = true;
            else
                open.pop_back();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            bad_line(number, QStringLiteral("expected \"<key> = <type> <value>\""));
        QString key = line.left(eq).trimmed();
        const bool extender = key.startsWith(QLatin1Char('@'));
        if (extender)
            key.remove(0, 1);
        if (!valid_name(key))
            bad_line(number, QStringLiteral("invalid key \"%1\"").arg(key));
        if (structure_word(key))
            bad_line(number, QStringLiteral("the key \"%1\" is a word of the file's structure").arg(key));
        QVariant value;
        try {
            value = decode_property_value(line.mid(eq + 1), &picture_pixels_left);
        } catch (const VbError& e) {
            bad_line(number, e.description());
        }
        if (open.empty()) {
            if (extender)
                bad_line(number, QStringLiteral("extender value outside a control"));
            form.properties.set(key, value, number);
        } else {
            (extender ? open.back()->extender : open.back()->properties).set(key, value, number);
        }
    }
    if (!header)
        bad_line(number, QStringLiteral("empty form file"));
    if (!form_closed)
        bad_line(number, QStringLiteral("missing End"));
    return form;
}

FormData FormFile::read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        raise(53, QStringLiteral("FormFile"), QStringLiteral("File not found: ") + path);
    // Only a regular file: a device or a FIFO has no end, or none that comes.
    if (!info.isFile())
        raise(75, QStringLiteral("FormFile"),
              QStringLiteral("Path/File access error: %1 is not a regular file").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        raise(75, QStringLiteral("FormFile"), QStringLiteral("Path/File access error: ") + path);
    // One byte past the limit tells a file that grew past it since it was looked at.
    return parse(file.read(kMaxFileSize + 1));
}

QString FormFile::write(const FormData& form)
{
    check_writable_name(QStringLiteral("form name"), form.name);
    QString out = kHeader + QLatin1Char('\n');
    out += QStringLiteral("Begin Form ") + form.name + QLatin1Char('\n');
    write_bag(out, form.properties, QStringLiteral("   "), QString());
    for (const auto& c : form.controls)
        write_control(out, c, 1);
    out += QStringLiteral("End\n");
    return out;
}

void FormFile::save(const FormData& form, const QString& path)
{
    const QByteArray text = write(form).toUtf8(); // a form that cannot be written touches no file
    QString reason;
    if (!save_file(path, text, reason))
        raise(75, QStringLiteral("FormFile"), QStringLiteral("Path/File access error: %1: %2").arg(path, reason));
}

} // namespace forms
