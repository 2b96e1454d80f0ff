#pragma once
// The common dialog control's file dialogs (ShowOpen, ShowSave) over Qt. The filter is the
// runtime's "Description|pattern|Description|pattern" text. Cancelling clears nothing but
// raises 32755 when CancelError is True; otherwise FileName is left empty. The chooser is a
// replaceable service (tests answer it); without a display the default chooser cancels and
// says so on stderr, so nothing blocks.

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace forms {

struct FileDialogRequest {
    bool save = false;
    QString title;
    QString filter; // the runtime's form, see above
    QString init_dir;
    QString file_name;
    QString default_ext;
    int32_t flags = 0;
};

// Returns the chosen path, or nothing for Cancel.
using FileDialogService = std::function<std::optional<QString>(const FileDialogRequest&)>;
// Installs a chooser (empty restores Qt's) and returns the one before.
FileDialogService set_file_dialog_service(FileDialogService service);

// "Text files (*.txt)|*.txt|All files (*.*)|*.*" as a Qt name filter list.
QString qt_name_filters(const QString& filter);

class CommonDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
    Q_PROPERTY(QString Filter READ Filter WRITE setFilter)
    Q_PROPERTY(int Flags READ Flags WRITE setFlags)
    Q_PROPERTY(QString InitDir READ InitDir WRITE setInitDir)
    Q_PROPERTY(QString DialogTitle READ DialogTitle WRITE setDialogTitle)
    Q_PROPERTY(QString DefaultExt READ DefaultExt WRITE setDefaultExt)
    Q_PROPERTY(bool CancelError READ CancelError WRITE setCancelError)

public:
    explicit CommonDialog(QObject* parent = nullptr);

    QString FileName() const { return file_name_; }
    void setFileName(const QString& v) { file_name_ = v; }
    QString Filter() const { return filter_; }
    void setFilter(const QString& v);
    int Flags() const { return flags_; }
    void setFlags(int v) { flags_ = v; }
    QString InitDir() const { return init_dir_; }
    void setInitDir(const QString& v) { init_dir_ = v; }
    QString DialogTitle() const { return title_; }
    void setDialogTitle(const QString& v) { title_ = v; }
    QString DefaultExt() const { return default_ext_; }
    void setDefaultExt(const QString& v) { default_ext_ = v; }
    bool CancelError() const { return cancel_error_; }
    void setCancelError(bool v) { cancel_error_ = v; }

    Q_INVOKABLE void ShowOpen() { show(false); }
    Q_INVOKABLE void ShowSave() { show(true); }

private:
    void show(bool save);

    QString file_name_, filter_, init_dir_, title_, default_ext_;
    int flags_ = 0;
    bool cancel_error_ = false;
};

} // namespace forms
