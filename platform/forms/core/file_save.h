#pragma once
// Saving bytes a person asked to keep (a form file, a captions file) through the one file
// writer of win32/file_writer.h: what is at the path (a link, a device, a hard-linked or another
// user's file) stays what it was, only its content changes. The caller turns a failure into its
// own error, naming the path and the reason.

#include <QByteArray>
#include <QString>

namespace forms {

// Writes `bytes` as the whole content of `path`; false with the system's reason in `reason`.
bool save_file(const QString& path, const QByteArray& bytes, QString& reason);

} // namespace forms
