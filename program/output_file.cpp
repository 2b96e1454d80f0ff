#include "program/output_file.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

QString reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool write_all(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

// The file a symbolic link finally names, so that the link stays and its target is replaced.
std::string resolved(const std::string& path)
{
    char buffer[PATH_MAX];
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        const ssize_t n = ::readlink(current.c_str(), buffer, sizeof buffer - 1);
        if (n < 0)
            return current;
        std::string link(buffer, static_cast<size_t>(n));
        if (link.front() != '/') {
            const auto slash = current.rfind('/');
            link = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + link;
        }
        current = link;
    }
    return current;
}

} // namespace

output_file::~output_file() { discard(); }

void output_file::discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool output_file::open(const QString& path, QString& error)
{
    discard();
    if (path.isEmpty()) {
        error = QStringLiteral("No output file was given.");
        return false;
    }
    target_ = resolved(QFile::encodeName(path).toStdString());

    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        error = reason(EISDIR);
        return false;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or a FIFO: written in place (a FIFO's open waits for its reader).
        fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd_ < 0) {
            error = reason(errno);
            return false;
        }
        return true;
    }

    std::string pattern = target_ + ".XXXXXX";
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error = reason(errno);
        return false;
    }
    temporary_ = pattern;
    // The replaced file keeps its permissions (and, where we may, its owner); a new file
    // gets the mode a newly created file gets under the umask.
    mode_t mode = 0;
    if (exists) {
        mode = existing.st_mode & 07777;
        if (::fchown(fd_, existing.st_uid, existing.st_gid) != 0) {
            // Only the owner's own files keep their owner; others become the caller's.
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd_, mode) != 0) {
        error = reason(errno);
        discard();
        return false;
    }
    return true;
}

bool output_file::commit(const QString& iniText, const QString& log, QString& error)
{
    if (fd_ < 0) {
        error = QStringLiteral("The output file is not open.");
        return false;
    }
    const QByteArray bytes = (report_lines(iniText) + kCrLf + kCrLf + log + kCrLf).toUtf8();
    if (!write_all(fd_, bytes) || (!temporary_.empty() && ::fsync(fd_) != 0)) {
        error = reason(errno);
        discard();
        return false;
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) {
        error = reason(errno);
        discard();
        return false;
    }
    if (!temporary_.empty()) {
        if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
            error = reason(errno);
            discard();
            return false;
        }
        temporary_.clear();
    }
    return true;
}

bool write_output_file(const QString& path, const QString& iniText, const QString& log, QString& error)
{
    output_file file;
    return file.open(path, error) && file.commit(iniText, log, error);
}

} // namespace program
