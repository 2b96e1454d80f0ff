#include "platform/forms/services/common_dialog.h"

#include "platform/forms/hosting/dialog_owner.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/vb_error.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace forms {

namespace {

FileDialogService g_service;

std::optional<QString> qt_chooser(const FileDialogRequest& r)
{
    if (!has_display()) {
        std::fprintf(stderr, "%s: no display for the file dialog; cancelled\n",
                     r.title.isEmpty() ? "File dialog" : r.title.toLocal8Bit().constData());
        return std::nullopt;
    }
    QFileDialog dialog;
    // Without a title of the caller's the dialog says what it does, as the system's does: its
    // title is also its name for assistive tools.
    const QString title = !r.title.isEmpty() ? r.title : r.save ? QStringLiteral("Save As") : QStringLiteral("Open");
    dialog.setWindowTitle(title);
    dialog.setAccessibleName(title);
    dialog.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!r.filter.isEmpty())
        dialog.setNameFilter(qt_name_filters(r.filter));
    if (!r.init_dir.isEmpty())
        dialog.setDirectory(r.init_dir);
    if (!r.file_name.isEmpty())
        dialog.selectFile(r.file_name);
    dialog.setDefaultSuffix(r.default_ext);
    // Overwrite prompt only when asked for (flag 2).
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (r.flags & 0x2) == 0);
    if (exec_owned(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace

FileDialogService set_file_dialog_service(FileDialogService service)
{
    auto previous = std::move(g_service);
    g_service = std::move(service);
    return previous;
}

QString qt_name_filters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out.push_back(parts[i] + QStringLiteral(" (") +
                      QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')'));
    return out.join(QStringLiteral(";;"));
}

CommonDialog::CommonDialog(QObject* parent) : QObject(parent) {}

void CommonDialog::setFilter(const QString& v)
{
    // A description without its pattern is not a filter.
    if (!v.isEmpty() && v.count(QLatin1Char('|')) % 2 == 0)
        raise(vberr::InvalidPropertyValue);
    filter_ = v;
}

void CommonDialog::show(bool save)
{
    const FileDialogRequest request{save, title_, filter_, init_dir_, file_name_, default_ext_, flags_};
    const std::optional<QString> chosen = g_service ? g_service(request) : qt_chooser(request);
    if (!chosen) {
        if (cancel_error_)
            raise(vberr::CancelSelected, QStringLiteral("CommonDialog"));
        file_name_.clear();
        return;
    }
    file_name_ = *chosen;
}

} // namespace forms
