#include "controls/display/frm_info.h"

#include "platform/forms/hosting/input_events.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/picture_box.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/intrinsics/text_box.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

using forms::Screen;

namespace {

constexpr double client_width = 6690;
constexpr double client_height = 1620;

// The small cross of the close glyph, 8 x 9 pixels.
QImage close_glyph()
{
    QImage image(8, 9, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawLine(0, 1, 6, 7);
    painter.drawLine(1, 1, 7, 7);
    painter.drawLine(6, 1, 0, 7);
    painter.drawLine(7, 1, 1, 7);
    return image;
}

} // namespace

frmInfo::frmInfo(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmInfo"));
    setAccessibleName(QStringLiteral("Information"));
    setWindowIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    setSizeGripEnabled(true);

    txt_info_ = new forms::TextBox(this, QStringLiteral("txtInfo"), true);
    txt_info_->setText(QStringLiteral("Info"));
    txt_info_->Move(-30, 60, 6685, 1590);

    picture1_ = new forms::PictureBox(this, QStringLiteral("Picture1"));
    picture1_->setBorderStyle(0);
    picture1_->setBackColor(forms::syscolor::WindowBackground);
    picture1_->setForeColor(forms::syscolor::WindowText);
    picture1_->Move(0, 0, 6690, 285);
    lbl_title_ = new forms::Label(picture1_, QStringLiteral("lblTitle"), QStringLiteral("Attribute"));
    lbl_title_->setBackStyle(forms::Label::Transparent);
    lbl_title_->setForeColor(forms::syscolor::WindowText);
    auto title_font = forms::StdFont::create();
    title_font->setName(QStringLiteral("MS Sans Serif"));
    title_font->setSize(8.25);
    title_font->setBold(true);
    lbl_title_->setFont(title_font);
    lbl_title_->Move(60, 30, 5715, 195);
    pic_close_ = new forms::PictureBox(picture1_, QStringLiteral("picClose"));
    pic_close_->setBorderStyle(0);
    pic_close_->setAccessibleName(QStringLiteral("Close"));
    pic_close_->setPicture(forms::StdPicture::create(close_glyph()));
    pic_close_->Move(6480, 60, 165, 165);
    picture1_->setVisible(false);
    connect(pic_close_, &forms::PictureBox::Click, this, &QDialog::close);

    resize(Screen::to_pixels_x(client_width), Screen::to_pixels_y(client_height));
    // Key preview: the window sees every key of its controls first.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void frmInfo::ShowInfo(const QString& sTitle, const QString& sInfo, QWidget* mForm)
{
    setWindowTitle(sTitle);
    lbl_title_->setCaption(sTitle);
    txt_info_->setText(sInfo);
    if (mForm) {
        setParent(mForm->window(), windowFlags());
        // Centred on the owner.
        const QRect owner = mForm->window()->frameGeometry();
        move(owner.center() - rect().center());
    }
    setModal(true);
    exec();
}

void frmInfo::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const double px = Screen::TwipsPerPixelX(), py = Screen::TwipsPerPixelY();
    txt_info_->Move(px, py, Screen::to_twips_x(width()) - 2 * px, Screen::to_twips_y(height()) - 2 * py);
}

bool frmInfo::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        const short code = forms::key_code(key);
        if (code == forms::keycode::Escape ||
            (code == forms::keycode::F1 + 3 && forms::shift_state(key) == forms::shiftmask::Alt)) {
            close();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
