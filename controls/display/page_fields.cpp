#include "controls/display/page_fields.h"

#include "controls/display/accessible_role.h"
#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/pages/property_page.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/intrinsics/text_box.h"

#include <QPalette>

namespace page_fields {

void prepare(forms::PropertyPage& page, const QString& caption, double width, double height)
{
    page.setCaption(caption);
    give_accessible_role(page, QAccessible::PropertyPage);
    page.setAccessibleName(caption);
    page.setMinimumSize(forms::Screen::to_pixels_x(width), forms::Screen::to_pixels_y(height));
    QPalette palette = page.palette();
    palette.setColor(QPalette::Window, forms::resolve_color(forms::syscolor::ButtonFace, palette));
    page.setPalette(palette);
    page.setAutoFillBackground(true);
}

int check_value(const QVariant& property) { return forms::CLng(property) & 1; }

bool checked(const forms::CheckBox& box) { return box.Value() == forms::CheckBox::Checked; }

void caption(forms::PropertyPage& page, forms::IntrinsicControl& field, const QString& text, double left, double top,
             double width, double height)
{
    auto* label = new forms::Label(&page, QStringLiteral("lbl") + field.Name().mid(3), text);
    label->Move(left, top, width, height);
    label->name_next(&field);
}

forms::TextBox* text_field(forms::PropertyPage& page, const QString& name, const QString& text, double left, double top,
                           double width)
{
    auto* box = new forms::TextBox(&page, name);
    box->Move(left, top + 270, width, 315);
    caption(page, *box, text, left, top, width);
    return box;
}

void mark_changed_by(forms::PropertyPage& page, std::initializer_list<forms::IntrinsicControl*> fields)
{
    for (forms::IntrinsicControl* field : fields)
        marks_changed(page, *field);
}

void marks_changed(forms::PropertyPage& page, forms::IntrinsicControl& field)
{
    auto changed = [&page] { page.setChanged(true); };
    if (auto* text = qobject_cast<forms::TextBox*>(&field))
        QObject::connect(text, &forms::TextBox::Change, &page, changed);
    else
        QObject::connect(&field, &forms::IntrinsicControl::Click, &page, changed);
}

} // namespace page_fields
