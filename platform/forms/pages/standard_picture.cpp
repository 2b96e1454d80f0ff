#include "platform/forms/pages/standard_picture.h"

#include "platform/forms/pages/property_page_classes.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/services/common_dialog.h"
#include "platform/forms/intrinsics/image.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/vb_error.h"

namespace forms {

StandardPicture::StandardPicture(QWidget* parent)
    : StockPropertyPage(QStringLiteral("Picture"), QMetaType::fromType<PictureRef>(), parent)
{
    auto* label = new Label(this, QStringLiteral("lblPreview"), QStringLiteral("Preview:"));
    label->Move(2880, 240, 2640, 255);
    preview_ = new Image(this, QStringLiteral("imgPreview"));
    preview_->Move(2880, 540, 2760, 2160);
    preview_->setBorderStyle(1);
    preview_->setStretch(false);
    browse_ = new CommandButton(this, QStringLiteral("cmdBrowse"), QStringLiteral("&Browse..."));
    browse_->Move(240, 1080, 1215, 375);
    clear_ = new CommandButton(this, QStringLiteral("cmdClear"), QStringLiteral("&Clear"));
    clear_->Move(1560, 1080, 960, 375);
    connect(browse_, &IntrinsicControl::Click, this, [this] { browse(); });
    connect(clear_, &IntrinsicControl::Click, this, [this] { take(StdPicture::create()); });
}

void StandardPicture::show_value(const QVariant& value)
{
    shown_ = value.value<PictureRef>();
    preview_->setPicture(shown_ ? shown_ : StdPicture::create());
}

QVariant StandardPicture::field_value() const { return QVariant::fromValue(shown_ ? shown_ : StdPicture::create()); }

void StandardPicture::write(const QString& property, const QVariant& value)
{
    set(property, value);
}

void StandardPicture::browse()
{
    CommonDialog dialog;
    dialog.setDialogTitle(QStringLiteral("Load Picture"));
    dialog.setFilter(QStringLiteral("Pictures|*.png;*.bmp;*.jpg;*.jpeg;*.gif;*.ico|All Files|*.*"));
    dialog.ShowOpen();
    if (dialog.FileName().isEmpty())
        return;
    try {
        take(StdPicture::load_file(dialog.FileName()));
    } catch (const VbError& e) {
        MsgBox(e.description(), vbExclamation, QStringLiteral("Load Picture"));
    }
}

void StandardPicture::take(PictureRef picture)
{
    show_value(QVariant::fromValue(std::move(picture)));
    field_edited();
}

OSTREL_FORMS_PROPERTY_PAGE_CLASS(StandardPicture);

} // namespace forms
