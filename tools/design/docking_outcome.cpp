#include "tools/design/docking_outcome.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/form_file.h"

#include <QStringList>

namespace {

int align_of(const forms::FormControlData& control)
{
    return control.extender.ReadProperty(QStringLiteral("Align"), 0).toInt();
}

const forms::FormControlData* named(const forms::FormData& form, const QString& name)
{
    for (const forms::FormControlData& control : form.controls)
        if (control.name.compare(name, Qt::CaseInsensitive) == 0)
            return &control;
    return nullptr;
}

QStringList docking_sets(int align)
{
    if (align == forms::vbAlignTop || align == forms::vbAlignBottom)
        return {QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Width")};
    if (align == forms::vbAlignLeft || align == forms::vbAlignRight)
        return {QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Height")};
    return {};
}

} // namespace

void keep_docking_outcome(const forms::FormData& loaded, forms::FormData& now)
{
    // Only the form's own controls dock; a control inside a container keeps its place.
    for (forms::FormControlData& control : now.controls) {
        const forms::FormControlData* before = named(loaded, control.name);
        const int align = align_of(control);
        if (before == nullptr || align != align_of(*before))
            continue;
        for (const QString& key : docking_sets(align)) {
            if (before->extender.contains(key))
                control.extender.set(key, before->extender.ReadProperty(key));
            else
                control.extender.remove(key);
        }
    }
}
