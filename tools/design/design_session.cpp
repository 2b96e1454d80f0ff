#include "tools/design/design_session.h"

#include "platform/forms/control_site.h"
#include "platform/forms/form.h"
#include "platform/forms/form_file.h"
#include "platform/forms/property_sheet.h"
#include "platform/forms/vb_error.h"

DesignSession::DesignSession() = default;

DesignSession::~DesignSession()
{
    if (form_)
        form_->unload();
}

void DesignSession::open(const QString& path)
{
    // Read and load into a new form first: a file that fails leaves the open form as it was.
    const forms::FormData data = forms::FormFile::read(path);
    auto form = std::make_unique<forms::Form>(false);
    form->load(data);
    if (form_)
        form_->unload();
    form_ = std::move(form);
    path_ = path;
}

void DesignSession::save(const QString& path)
{
    const QString target = path.isEmpty() ? path_ : path;
    forms::FormFile::save(form().save(), target);
    path_ = target;
    form_->clear_dirty();
}

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
