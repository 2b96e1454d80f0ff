#pragma once
// One form file open for design: the form loaded in design mode (UserMode False, so controls
// show their design-time face and every control is visible), the property sheet of a chosen
// control, and saving the form back to its file. Errors are the runtime's VbError; the window
// shows them, the session loses nothing (a file that does not load leaves no form open, a
// save that fails leaves the file and the form as they were).
//
// A save changes in the file only what changed in the form since it was opened (see
// form_file_rewrite.h): opening and saving, or OK on a sheet that changed nothing, leaves the
// file byte for byte as it was, comments and all.

#include "platform/forms/core/form_file.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

namespace forms {
class Form;
class PropertySheet;
} // namespace forms

class DesignSession {
public:
    DesignSession();
    ~DesignSession();

    // Loads `path` into a new design-mode form, replacing any form open before.
    void open(const QString& path);
    // Writes the form to its file (or to `path`, which then becomes its file).
    void save(const QString& path = {});
    // Whether a save would change the file.
    bool has_changes() const;

    bool is_open() const { return form_ != nullptr; }
    QString path() const { return path_; }
    forms::Form& form() const;
    // The names of the form's controls, in the order of its Controls collection.
    QStringList control_names() const;
    // A property sheet showing the named control's pages, loaded from it; 380 for a name
    // the form does not hold.
    std::unique_ptr<forms::PropertySheet> sheet_for(const QString& control_name) const;

private:
    // The form as a save would write it, and that as the file's text.
    forms::FormData form_now() const;
    QByteArray text_for(const forms::FormData& now) const;

    std::unique_ptr<forms::Form> form_;
    QString path_;
    // The file as read or last saved, and what the form wrote of itself then.
    QByteArray file_bytes_;
    forms::FormData loaded_;
};
