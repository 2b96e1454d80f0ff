#include "program/output_file.h"

#include <QSaveFile>

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

bool write_output_file(const QString& path, const QString& iniText, const QString& log, QString& error)
{
    if (path.isEmpty()) {
        error = QStringLiteral("No output file was given.");
        return false;
    }
    const QByteArray bytes = (report_lines(iniText) + kCrLf + kCrLf + log + kCrLf).toUtf8();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace program
