#include "program/report/output_file.h"

#include <QFile>

namespace program {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The report is written line by line: each piece that a CR LF ends becomes a line; a last
// piece without CR LF is not written (the INI text always ends with CR LF).
QString report_lines(const QString& iniText)
{
    QString out;
    qsizetype from = 0;
    for (;;) {
        const qsizetype end = iniText.indexOf(kCrLf, from);
        if (end < 0)
            break;
        out += iniText.mid(from, end - from) + kCrLf;
        from = end + 2;
    }
    return out;
}

} // namespace

output_file::~output_file() = default;

bool output_file::open(const QString& path, QString& error)
{
    if (path.isEmpty()) {
        error = QStringLiteral("No output file was given.");
        return false;
    }
    std::string reason;
    if (!m_writer.open(QFile::encodeName(path).toStdString(), reason)) {
        error = QString::fromStdString(reason);
        return false;
    }
    return true;
}

bool output_file::commit(const QString& iniText, const QString& log, QString& error)
{
    const QByteArray bytes = (report_lines(iniText) + kCrLf + kCrLf + log + kCrLf).toUtf8();
    std::string reason;
    if (!m_writer.commit(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), reason)) {
        error = QString::fromStdString(reason);
        return false;
    }
    return true;
}

bool write_output_file(const QString& path, const QString& iniText, const QString& log, QString& error)
{
    output_file file;
    return file.open(path, error) && file.commit(iniText, log, error);
}

} // namespace program
