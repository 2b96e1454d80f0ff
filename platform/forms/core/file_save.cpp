#include "platform/forms/core/file_save.h"

#include "platform/win32/file_writer.h"

#include <QFile>

#include <string>
#include <string_view>

namespace forms {

bool save_file(const QString& path, const QByteArray& bytes, QString& reason)
{
    std::string error;
    if (win32::write_file(QFile::encodeName(path).toStdString(),
                          std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), error))
        return true;
    reason = QString::fromLocal8Bit(error);
    return false;
}

} // namespace forms
