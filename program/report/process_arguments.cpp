#include "program/report/process_arguments.h"

#include <QStringDecoder>

#include <cstring>
#include <sys/prctl.h>

namespace program {
namespace {

// Where the first password of `domains` starts, in bytes of its UTF-8 text; -1 for none. A
// password is what follows the second "/" of a name; names are separated by commas.
qsizetype first_password_offset(const QString& domains)
{
    qsizetype nameStart = 0;
    for (;;) {
        const qsizetype comma = domains.indexOf(u',', nameStart);
        const qsizetype nameEnd = comma < 0 ? domains.size() : comma;
        const qsizetype first = domains.indexOf(u'/', nameStart);
        const qsizetype second = first < 0 || first >= nameEnd ? -1 : domains.indexOf(u'/', first + 1);
        if (second >= 0 && second < nameEnd)
            return domains.left(second + 1).toUtf8().size();
        if (comma < 0)
            return -1;
        nameStart = comma + 1;
    }
}

} // namespace

std::optional<QStringList> decode_arguments(std::span<char* const> arguments, QString& error)
{
    QStringList decoded;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const char* argument = arguments[i] ? arguments[i] : "";
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(QByteArrayView(argument, static_cast<qsizetype>(std::strlen(argument))));
        if (utf8.hasError()) {
            error = QStringLiteral("argument ") + QString::number(i + 1) +
                    QStringLiteral(" is not valid UTF-8 text; give file and domain names in UTF-8.");
            return std::nullopt;
        }
        decoded.append(std::move(text));
    }
    return decoded;
}

void hide_argument_passwords(std::span<char*> arguments, const CCommandLine& parsed)
{
    bool held = false;
    for (const CCommandLine::Switch& option : parsed.Switches()) {
        const qsizetype index = option.place.argument;
        if (option.name.compare(u"domain", Qt::CaseInsensitive) != 0 || index < 0 ||
            static_cast<std::size_t>(index) >= arguments.size() || !arguments[static_cast<std::size_t>(index)])
            continue;
        const qsizetype password = first_password_offset(option.value);
        if (password < 0)
            continue;
        if (!held)
            prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
        held = true;
        char* memory = arguments[static_cast<std::size_t>(index)];
        // The value runs to the end of its argument; the bytes before it are as decoded.
        const std::size_t from = static_cast<std::size_t>(
            QString::fromUtf8(memory).left(option.place.start).toUtf8().size() + password);
        const std::size_t length = std::strlen(memory);
        if (from < length)
            std::memset(memory + from, 'x', length - from);
    }
}

} // namespace program
