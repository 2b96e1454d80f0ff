#include "platform/forms/form_file.h"

#include "platform/forms/property_value_text.h"
#include "platform/forms/vb_error.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace forms {

namespace {

const QString kHeader = QStringLiteral("OstrelForm 1");

[[noreturn]] void bad_line(int line, const QString& what)
{
    raise(vberr::InvalidPropertyValue, QStringLiteral("FormFile"),
          QStringLiteral("Form file line %1: %2").arg(line).arg(what));
}

void write_bag(QString& out, const PropertyBag& bag, const QString& indent, const QString& prefix)
{
    for (const auto& e : bag.entries())
        out += indent + prefix + e.key + QStringLiteral(" = ") + encode_property_value(e.value) + QLatin1Char('\n');
}

bool valid_name(const QString& s);

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

FormData FormFile::parse(const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    FormData form;
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
                form_open = true;
                continue;
            }
            if (open.size() >= FormFile::kMaxNesting)
                bad_line(number, QStringLiteral("controls nested deeper than %1 levels").arg(FormFile::kMaxNesting));
            auto& siblings = open.empty() ? form.controls : open.back()->children;
            siblings.push_back(FormControlData{parts[0], parts[1], {}, {}, {}});
            open.push_back(&siblings.back());
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
        QVariant value;
        try {
            value = decode_property_value(line.mid(eq + 1));
        } catch (const VbError& e) {
            bad_line(number, e.description());
        }
        if (open.empty()) {
            if (extender)
                bad_line(number, QStringLiteral("extender value outside a control"));
            form.properties.set(key, value);
        } else {
            (extender ? open.back()->extender : open.back()->properties).set(key, value);
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
    QFile file(path);
    if (!file.exists())
        raise(53, QStringLiteral("FormFile"), QStringLiteral("File not found: ") + path);
    if (!file.open(QIODevice::ReadOnly))
        raise(75, QStringLiteral("FormFile"), QStringLiteral("Path/File access error: ") + path);
    return parse(QString::fromUtf8(file.readAll()));
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0 || !file.commit())
        raise(75, QStringLiteral("FormFile"), QStringLiteral("Path/File access error: ") + path);
}

} // namespace forms
