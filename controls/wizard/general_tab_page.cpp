#include "controls/wizard/general_tab_page.h"

#include "controls/display/page_fields.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/intrinsics/image.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/option_button.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/intrinsics/text_box.h"

#include <QImage>
#include <QPainter>

namespace {

QImage page_icon(bool banner)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QColor(96, 96, 96));
    painter.setBrush(Qt::white);
    painter.drawRect(4, 2, 23, 27);
    if (banner)
        painter.fillRect(5, 3, 22, 7, QColor(49, 106, 197));
    painter.setPen(QColor(160, 160, 160));
    for (int y = banner ? 14 : 8; y < 26; y += 4)
        painter.drawLine(8, y, 23, y);
    return image;
}

} // namespace

GeneralTab::GeneralTab(QWidget* parent) : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("General"), 5925, 3495);

    auto text = [this](const QString& name, const QString& label, double left, double label_top, double box_top) {
        auto* box = new forms::TextBox(this, name);
        box->Move(left, box_top, 2700, 330);
        page_fields::caption(*this, *box, label, left, label_top, 2700);
        return box;
    };
    txt_page_index_ = text(QStringLiteral("txtPageIndex"), QStringLiteral("&PageIndex:"), 1530, 390, 645);
    txt_page_back_ = text(QStringLiteral("txtPageBack"), QStringLiteral("Page&Back:"), 180, 1155, 1410);
    txt_page_next_ = text(QStringLiteral("txtPageNext"), QStringLiteral("Page&Next:"), 3060, 1155, 1395);

    auto* state = new forms::Frame(this, QStringLiteral("fraPageState"), QStringLiteral(" Page State "));
    state->Move(180, 2100, 2715, 945);
    minimize_ = new forms::OptionButton(state, QStringLiteral("Minimize"), QStringLiteral("M&inimize Tab"));
    minimize_->Move(270, 330, 2300, 255);
    maximize_ = new forms::OptionButton(state, QStringLiteral("Maximize"), QStringLiteral("Ma&ximize Tab"));
    maximize_->Move(270, 630, 2300, 255);

    auto* mode = new forms::Frame(this, QStringLiteral("fraPageMode"), QStringLiteral(" Page Mode "));
    mode->Move(3000, 2100, 2715, 945);
    cbo_page_mode_ = new forms::ComboBox(mode, QStringLiteral("cboPageMode"), forms::ComboBox::DropdownList);
    cbo_page_mode_->Move(210, 360, 2325, 315);
    cbo_page_mode_->set_label_name(QStringLiteral("Page Mode"));
    for (const char* item : {"0 - WelcomePage", "1 - InteriorPage", "2 - CompletePage"})
        cbo_page_mode_->AddItem(QString::fromLatin1(item));

    // Two small decorative pictures beside the page index: a wizard page, plain and with
    // its banner.
    auto icon = [this](const QString& name, bool banner, double left, double top) {
        auto* image = new forms::Image(this, name);
        image->Move(left, top, 480, 480);
        image->setStretch(true);
        image->setPicture(forms::StdPicture::create(page_icon(banner)));
    };
    icon(QStringLiteral("Image1"), false, 750, 540);
    icon(QStringLiteral("Image2"), true, 4500, 570);

    page_fields::mark_changed_by(
        *this, {txt_page_index_, txt_page_back_, txt_page_next_, cbo_page_mode_, minimize_, maximize_});
}

void GeneralTab::SelectionChanged()
{
    txt_page_next_->setText(forms::CStr(get(QStringLiteral("PageNext"))));
    txt_page_back_->setText(forms::CStr(get(QStringLiteral("PageBack"))));
    txt_page_index_->setText(forms::CStr(get(QStringLiteral("PageIndex"))));
    cbo_page_mode_->setListIndex(forms::CInt(get(QStringLiteral("PageMode"))));
    loaded_page_mode_ = cbo_page_mode_->ListIndex();
    const std::int32_t state = forms::CLng(get(QStringLiteral("PageState")));
    if (state == 0)
        maximize_->setValue(true);
    else if (state == 1)
        minimize_->setValue(true);
}

void GeneralTab::ApplyChanges()
{
    let(QStringLiteral("PageNext"), txt_page_next_->Text());
    let(QStringLiteral("PageBack"), txt_page_back_->Text());
    let(QStringLiteral("PageIndex"), txt_page_index_->Text());
    // A PageIndex that another page holds exchanges mode and links with it. The mode as it
    // was loaded, unedited, would undo that exchange and leave both pages in one mode: the
    // page writes the mode its control holds now, and a mode the designer chose as chosen.
    const qint16 mode = cbo_page_mode_->ListIndex() == loaded_page_mode_
                            ? static_cast<qint16>(forms::CInt(get(QStringLiteral("PageMode"))))
                            : static_cast<qint16>(cbo_page_mode_->ListIndex());
    let(QStringLiteral("PageMode"), mode);
    if (maximize_->Value())
        page_state_ = 0;
    if (minimize_->Value())
        page_state_ = 1;
    let(QStringLiteral("PageState"), page_state_);
}
