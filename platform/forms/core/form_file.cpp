#include "platform/forms/core/form_file.h"

#include "platform/forms/core/file_save.h"
#include "platform/forms/core/property_value_text.h"
#include "platform/forms/core/vb_error.h"

#include <QFile>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace forms {

namespace {

const QString kHeader = QStringLiteral("OstrelForm 1");

// "Form file line 4" or "Form file /path/frmMain.ofm line 4".
QString form_file_line(const QString& file, int line)
{
    return file.isEmpty() ? QStringLiteral("Form file line %1").arg(line)
                          : QStringLiteral("Form file %1 line %2").arg(file).arg(line);
}

[[noreturn]] void bad_line(const QString& file, int line, const QString& what)
{
    raise(vberr::InvalidPropertyValue, QStringLiteral("FormFile"),
          form_file_line(file, line) + QStringLiteral(": ") + what);
}

// A key a block already holds (keys compare without regard to case) would load the last
// line and a later change would rewrite both: refused with both lines.
void set_once(PropertyBag& bag, const QString& key, const QVariant& value, const QString& file, int line,
              const QString& prefix)
{
    if (bag.contains(key))
        bad_line(file, line,
                 QStringLiteral("the key \"%1%2\" is given twice (first on line %3)")
                     .arg(prefix, key)
                     .arg(bag.line_of(key)));
    bag.set(key, value, line);
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

FormData FormFile::parse(const QString& text, const QString& file)
{
    return parse_lines(text.split(QLatin1Char('\n')), file);
}

FormData FormFile::parse(const QByteArray& utf8, const QString& file)
{
    if (utf8.size() > kMaxFileSize)
        raise(vberr::InvalidPropertyValue, QStringLiteral("FormFile"),
              QStringLiteral("Form file%1: %2 bytes, more than the %3 a form file may hold")
                  .arg(file.isEmpty() ? QString() : QLatin1Char(' ') + file)
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
            bad_line(file, number, QStringLiteral("the text is not UTF-8"));
        lines.push_back(std::move(decoded));
    }
    return parse_lines(lines, file);
}

FormData FormFile::parse_lines(const QStringList& lines, const QString& file)
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
                bad_line(file, number, QStringLiteral("expected \"%1\"").arg(kHeader));
            header = true;
            continue;
        }
        if (form_closed)
            bad_line(file, number, QStringLiteral("text after the form's End"));
        if (line.startsWith(QLatin1String("Begin "))) {
            const QStringList parts = line.mid(6).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (parts.size() != 2 || !valid_name(parts[0]) || !valid_name(parts[1]))
                bad_line(file, number, QStringLiteral("expected \"Begin <class> <name>\""));
            if (!form_open) {
                if (parts[0] != QLatin1String("Form"))
                    bad_line(file, number, QStringLiteral("expected \"Begin Form <name>\""));
                form.name = parts[1];
                form.properties.set_owner(QStringLiteral("form ") + form.name);
                form.properties.set_file(file);
                form_open = true;
                continue;
            }
            if (open.size() >= FormFile::kMaxNesting)
                bad_line(file, number,
                         QStringLiteral("controls nested deeper than %1 levels").arg(FormFile::kMaxNesting));
            auto& siblings = open.empty() ? form.controls : open.back()->children;
            siblings.push_back(FormControlData{parts[0], parts[1], {}, {}, {}, number});
            FormControlData& control = siblings.back();
            control.extender.set_owner(QStringLiteral("control ") + control.name);
            control.properties.set_owner(QStringLiteral("control ") + control.name);
            control.extender.set_file(file, QStringLiteral("@"));
            control.properties.set_file(file);
            open.push_back(&control);
            continue;
        }
        if (!form_open)
            bad_line(file, number, QStringLiteral("expected \"Begin Form <name>\""));
        if (line == QLatin1String("End")) {
            if (open.empty())
                form_closed = true;
            else
                open.pop_back();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            bad_line(file, number, QStringLiteral("expected \"<key> = <type> <value>\""));
        QString key = line.left(eq).trimmed();
        const bool extender = key.startsWith(QLatin1Char('@'));
        if (extender)
            key.remove(0, 1);
        if (!valid_name(key))
            bad_line(file, number, QStringLiteral("invalid key \"%1\"").arg(key));
        if (structure_word(key))
            bad_line(file, number, QStringLiteral("the key \"%1\" is a word of the file's structure").arg(key));
        QVariant value;
        try {
            value = decode_property_value(line.mid(eq + 1), &picture_pixels_left);
        } catch (const VbError& e) {
            const QString owner = open.empty() ? form.properties.owner() : open.back()->properties.owner();
            bad_line(file, number,
                     QStringLiteral("\"%1%2\" of %3: %4")
                         .arg(extender ? QStringLiteral("@") : QString(), key, owner, e.description()));
        }
        if (open.empty()) {
            if (extender)
                bad_line(file, number, QStringLiteral("extender value outside a control"));
            set_once(form.properties, key, value, file, number, {});
        } else if (extender) {
            set_once(open.back()->extender, key, value, file, number, QStringLiteral("@"));
        } else {
            set_once(open.back()->properties, key, value, file, number, {});
        }
    }
    if (!header)
        bad_line(file, number, QStringLiteral("empty form file"));
    if (!form_closed)
        bad_line(file, number, QStringLiteral("missing End"));
    return form;
}

FormData FormFile::read(const QString& path, QByteArray* bytes)
{
    const QByteArray native = QFile::encodeName(path);
    // Opened without waiting: a FIFO without a writer would block the open itself. What is
    // open is then checked, not the path, so nothing swapped in between is read.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            raise(53, QStringLiteral("FormFile"), QStringLiteral("File not found: ") + path);
        raise(75, QStringLiteral("FormFile"),
              QStringLiteral("Path/File access error: %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(error))));
    }
    const auto close_fd = qScopeGuard([fd] { ::close(fd); });
    struct stat info {};
    // Only a regular file: a device or a FIFO has no end, or none that comes.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        raise(75, QStringLiteral("FormFile"),
              QStringLiteral("Path/File access error: %1 is not a regular file").arg(path));
    // One byte past the limit tells a file that grew past it since it was looked at; the
    // buffer grows with what is read, never to the limit for a small file.
    QByteArray content;
    char chunk[65536];
    while (content.size() <= kMaxFileSize) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            raise(75, QStringLiteral("FormFile"),
                  QStringLiteral("Path/File access error: %1: %2")
                      .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
        if (got == 0)
            break;
        content.append(chunk, std::min<qsizetype>(got, kMaxFileSize + 1 - content.size()));
    }
    FormData form = parse(content, path);
    if (bytes)
        *bytes = std::move(content);
    return form;
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
