#include "tools/design/design_session.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/file_save.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/core/form_file_rewrite.h"
#include "platform/forms/pages/property_sheet.h"
#include "platform/forms/core/vb_error.h"
#include "tools/design/docking_outcome.h"

namespace {

void write_form_file(const QString& path, const QByteArray& bytes)
{
    QString reason;
    if (!forms::save_file(path, bytes, reason))
        forms::raise(75, QStringLiteral("ostrel-design"), QStringLiteral("%1 cannot be saved: %2").arg(path, reason));
}

} // namespace

DesignSession::DesignSession() = default;

DesignSession::~DesignSession()
{
    if (form_)
        form_->unload();
}

void DesignSession::open(const QString& path)
{
    // Read and load into a new form first: a file that fails leaves the open form as it was.
    // The runtime's one reader: its bounds, its kind check and its UTF-8 check, so the bytes
    // kept for the save are the file's own.
    QByteArray bytes;
    const forms::FormData data = forms::FormFile::read(path, &bytes);
    auto form = std::make_unique<forms::Form>(false);
    form->load(data);
    forms::FormData loaded = form->save();
    if (form_)
        form_->unload();
    form_ = std::move(form);
    path_ = path;
    file_bytes_ = bytes;
    loaded_ = std::move(loaded);
}

forms::FormData DesignSession::form_now() const
{
    // What the file holds after a save: the docking outcome stays as the file had it.
    forms::FormData now = form().save();
    keep_docking_outcome(loaded_, now);
    return now;
}

QByteArray DesignSession::text_for(const forms::FormData& now) const
{
    const QString original = QString::fromUtf8(file_bytes_);
    const QString text = forms::rewrite_form_text(original, loaded_, now);
    // Nothing changed: the file's own bytes, whatever they were.
    return text == original ? file_bytes_ : text.toUtf8();
}

void DesignSession::save(const QString& path)
{
    const QString target = path.isEmpty() ? path_ : path;
    forms::FormData now = form_now();
    const QByteArray bytes = text_for(now);
    write_form_file(target, bytes);
    path_ = target;
    file_bytes_ = bytes;
    loaded_ = std::move(now);
    form_->clear_dirty();
}

bool DesignSession::has_changes() const { return form_ && text_for(form_now()) != file_bytes_; }

forms::Form& DesignSession::form() const
{
    if (!form_)
        forms::raise(forms::vberr::ObjectVariableNotSet, QStringLiteral("ostrel-design"),
                     QStringLiteral("No form file is open"));
    return *form_;
}

QStringList DesignSession::control_names() const
{
    QStringList names;
    if (form_)
        for (const forms::ControlSite* site : form_->sites())
            names << site->Name();
    return names;
}

std::unique_ptr<forms::PropertySheet> DesignSession::sheet_for(const QString& control_name) const
{
    forms::ControlSite* site = form().site(control_name);
    if (!site)
        forms::raise(forms::vberr::InvalidPropertyValue, QStringLiteral("ostrel-design"),
                     QStringLiteral("The form has no control named %1").arg(control_name));
    auto sheet = std::make_unique<forms::PropertySheet>();
    sheet->setWindowTitle(QStringLiteral("%1 Property Pages").arg(site->Name()));
    sheet->open_for({site});
    return sheet;
}
