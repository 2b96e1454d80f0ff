// KyWizardTab: the page's elements and its three looks (banner, watermark, the design-time
// minimized strip), laid out from the page's size, mode and state.

#include "controls/wizard/ky_wizard_tab.h"
#include "controls/wizard/wizard_navigator.h"
#include "controls/wizard/wizard_picture.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/intrinsics/image.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/line.h"
#include "platform/forms/intrinsics/picture_box.h"
#include "platform/forms/core/screen.h"

#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kBannerHeight = 875;
constexpr double kWatermarkRight = 2475;

// The library's page icon: a sheet with a folded corner and a few lines of text.
forms::PictureRef page_icon()
{
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    const QPoint sheet[] = {{2, 0}, {10, 0}, {13, 3}, {13, 15}, {2, 15}};
    p.drawPolygon(sheet, 5);
    p.drawLine(10, 0, 10, 3);
    p.drawLine(10, 3, 13, 3);
    p.setPen(QColor(0, 0, 128));
    for (int y = 6; y <= 12; y += 2)
        p.drawLine(4, y, 11, y);
    return forms::StdPicture::create(icon, forms::StdPicture::Icon);
}

forms::Label* make_label(QWidget* container, const char* name, const QString& caption, double left, double top,
                         double width, double height)
{
    auto* label = new forms::Label(container, QString::fromLatin1(name), caption);
    label->setBackStyle(forms::Label::Transparent);
    label->Move(left, top, width, height);
    return label;
}

forms::Line* make_line(QWidget* container, const char* name, OLE_COLOR color, int style = forms::Line::Solid)
{
    auto* line = new forms::Line(container, QString::fromLatin1(name));
    line->setBorderColor(color);
    line->setBorderStyle(style);
    return line;
}

double px_x(double pixels) { return pixels * forms::Screen::TwipsPerPixelX(); }
double px_y(double pixels) { return pixels * forms::Screen::TwipsPerPixelY(); }

} // namespace

void KyWizardTab::build_elements()
{
    using namespace forms;
    picBanner_ = new PictureBox(this, QStringLiteral("picBanner"));
    picBanner_->setBorderStyle(0);
    picBanner_->setBackColor(0xFFFFFFu);
    lblHeaderTitle_ = make_label(picBanner_, "lblHeaderTitle", QStringLiteral("Step Title"), 300, 150, 6030, 225);
    lblHeaderTitle_->setForeColor(0);
    // Two lines of description fit under the title, beside the banner picture.
    lblHeaderDescription_ = make_label(picBanner_, "lblHeaderDescription", QStringLiteral("Step Description"), 600, 375,
                                       5715, 450);
    lblHeaderDescription_->setForeColor(0);
    lblHeaderDescription_->setWordWrap(true);
    imgHeaderBanner_ = new Image(picBanner_, QStringLiteral("imgHeaderBanner"));
    // A wide banner picture lies under the title and description, not over them.
    imgHeaderBanner_->ZOrder(1);
    fraBanner_ = new Frame(this, QStringLiteral("fraBanner"));
    fraBanner_->Move(-30, kBannerHeight, 7575, 30);

    ImageWaterMark_ = new Image(this, QStringLiteral("ImageWaterMark"));
    lblWatermarkTitle_ = make_label(this, "lblWatermarkTitle", QStringLiteral("Welcome to ..."), 2595, 300, 4635, 315);
    lblWatermarkTitle_->setForeColor(0);
    lblWatermarkTitle_->setWordWrap(true);
    lblWatermarkTitle_->setAutoSize(true);
    lblWatermarkDescription_ = make_label(this, "lblWatermarkDescription", QStringLiteral("Description"), 2600, 1080,
                                          4575, 195);
    lblWatermarkDescription_->setForeColor(0);
    lblWatermarkDescription_->setWordWrap(true);
    lblWatermarkDescription_->setAutoSize(true);
    lblRule_ = make_label(this, "lblRule", QStringLiteral("To continue, click Next."), 2600, 4290, 1695, 195);
    lblRule_->setForeColor(0);
    lblRule_->setAutoSize(true);

    picMinimize_ = new PictureBox(this, QStringLiteral("picMinimize"));
    picMinimize_->setBorderStyle(0);
    picMinimize_->Move(0, 0, 7515, 375);
    LTop_ = make_line(picMinimize_, "LTop", syscolor::ButtonHighlight);
    LLeft_ = make_line(picMinimize_, "LLeft", syscolor::ButtonHighlight);
    LBottom_ = make_line(picMinimize_, "LBottom", syscolor::ButtonDarkShadow);
    LRight_ = make_line(picMinimize_, "LRight", syscolor::ButtonDarkShadow);
    struct Grip {
        const char* name;
        double x;
        OLE_COLOR color;
    };
    for (const Grip& g : {Grip{"LLHand", 60, syscolor::ButtonHighlight}, Grip{"LRHand", 90, syscolor::ButtonShadow},
                          Grip{"RLHand", 110, syscolor::ButtonHighlight}, Grip{"RRHand", 140, syscolor::ButtonShadow}})
        make_line(picMinimize_, g.name, g.color)->set_ends(g.x, 45, g.x, 255);
    imgLogo_ = new Image(picMinimize_, QStringLiteral("imgLogo"));
    imgLogo_->Move(195, 30, 240, 240);
    imgLogo_->setPicture(page_icon());
    lblPageIndex_ = make_label(picMinimize_, "lblPageIndex", QStringLiteral("1"), 450, 30, 195, 195);
    lblPageIndex_->setAutoSize(true);
    lblDisplayName_ = make_label(picMinimize_, "lblDisplayName", QStringLiteral("WizardTab"), 690, 30, 1000, 195);
    lblDisplayName_->setAutoSize(true);
    picMinimize_->setVisible(false);

    struct Outline {
        forms::Line** line;
        const char* name;
    };
    for (const Outline& o : {Outline{&LClientLeft_, "LClientLeft"}, Outline{&LClientTop_, "LClientTop"},
                             Outline{&LClientRight_, "LClientRight"}, Outline{&LClientBottom_, "LClientBottom"}}) {
        *o.line = make_line(this, o.name, syscolor::ButtonShadow, forms::Line::Dot);
        (*o.line)->setVisible(false);
    }
    LMark_ = make_line(this, "LMark", syscolor::ButtonShadow, forms::Line::Dot);
    LMark_->setVisible(false);
    lblImageSize_ = new Label(this, QStringLiteral("lblImageSize"));
    lblImageSize_->setAutoSize(true);
    lblImageSize_->setBackColor(syscolor::InfoBackground);
    lblImageSize_->setForeColor(syscolor::InfoText);
    lblImageSize_->setBorderStyle(1);
    lblImageSize_->setVisible(false);
}

QWidget* KyWizardTab::element(const QString& name) const { return findChild<QWidget*>(name); }

void KyWizardTab::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    painter.fillRect(rect(), forms::resolve_color(back_color_, palette()));
    if (border_style_ != 0) {
        painter.setPen(forms::resolve_color(forms::syscolor::WindowFrame, palette()));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void KyWizardTab::Resize() { relayout(); }

bool KyWizardTab::relayout()
{
    const QPointer<KyWizardTab> alive(this);
    name_page();
    handled(QStringLiteral("Resize"), [&] {
        if (user_mode() && page_state_ == Minimized)
            setPageState(Maximized);
        if (page_state_ == Minimized)
            layout_minimized();
        else
            layout_maximized();
    });
    return !alive.isNull();
}

void KyWizardTab::layout_minimized()
{
    SetWelcomeView(false, false, true);
    lblDisplayName_->setCaption(Ambient().DisplayName());
    forms::ControlSite& container = Extender();
    // Undocked first: a docked control keeps the width its container gives it.
    container.setAlign(forms::vbAlignNone);
    const double width = lblDisplayName_->Left() + lblDisplayName_->Width() + px_x(10);
    container.setWidth(width);
    container.setHeight(300);
    const double w = ScaleWidth(), h = ScaleHeight();
    LTop_->set_ends(0, 0, w, 0);
    LRight_->set_ends(w - px_x(1), 0, w - px_x(1), h);
    LLeft_->set_ends(0, 0, 0, h);
    LBottom_->set_ends(0, h - px_y(1), w, h - px_y(1));
    if (saved_left_.isValid() && saved_top_.isValid()) {
        container.Move(saved_left_.toDouble(), saved_top_.toDouble(), container.Width(), container.Height());
        return;
    }
    // No place of its own yet (never maximised since the form was opened): where docking
    // stacked the page may lie far below the form's edge, or under the navigator's bar. The
    // strip comes into the pages' area and in front of the pages, where a designer sees and
    // drags it; a place already there is kept, so a saved strip opens where it was.
    const forms::Form& form = ParentForm();
    const std::int32_t page_height = navigator().PageHeight();
    const double area_height = page_height > 0 ? std::min<double>(page_height, form.ScaleHeight()) : form.ScaleHeight();
    const double left = std::clamp(container.Left(), 0.0, std::max(0.0, form.ScaleWidth() - container.Width()));
    const double top = std::clamp(container.Top(), 0.0, std::max(0.0, area_height - container.Height()));
    container.Move(left, top, container.Width(), container.Height());
    container.ZOrder(0);
}

void KyWizardTab::layout_maximized()
{
    forms::ControlSite& container = Extender();
    container.setAlign(forms::vbAlignTop);
    container.setTop(0);
    const std::int32_t page_height = navigator().PageHeight();
    container.setHeight(page_height > 0 ? page_height : ParentForm().Height());
    const double w = ScaleWidth(), h = ScaleHeight();
    picBanner_->Move(0, 0, w, kBannerHeight);
    fraBanner_->Move(-30, kBannerHeight, w + 60, fraBanner_->Height());
    // On a screen other than 96 dots per inch (or one scaled to more device pixels) the
    // banner picture is stretched to the area it was drawn for; at 96 it shows at its own size.
    const bool stretch = !plain_pictures_screen();
    imgHeaderBanner_->setStretch(stretch);
    // The watermark fills its side of the page from top to bottom on every screen: the page
    // (the room above the navigator's bar) is taller than the picture drawn for it.
    ImageWaterMark_->setStretch(true);
    ImageWaterMark_->Move(0, 0, 2490, h);
    if (stretch) {
        // The banner picture covers the whole banner in the Kyrell style; in the win2k style it
        // takes the size it has at 96 dots per inch (15 twips a pixel), made smaller, in
        // proportion, where that would reach below the banner.
        if (banner_style_ != kyOSWindows2k) {
            imgHeaderBanner_->Move(imgHeaderBanner_->Left(), imgHeaderBanner_->Top(), w, kBannerHeight);
        } else {
            const QSize pixels = imgHeaderBanner_->Picture()->image().size();
            const double room = kBannerHeight - 2 * px_y(5);
            const double scale = pixels.height() * 15.0 > room ? room / (pixels.height() * 15.0) : 1.0;
            imgHeaderBanner_->Move(imgHeaderBanner_->Left(), imgHeaderBanner_->Top(), pixels.width() * 15.0 * scale,
                                   pixels.height() * 15.0 * scale);
        }
    }
    SetBannerImagePlace();
    ImageWaterMark_->Move(0, 0, ImageWaterMark_->Width(), ImageWaterMark_->Height());
    if (page_mode_ == InteriorPage)
        SetWelcomeView(true, false, false);
    else
        SetWelcomeView(false, true, false);
    // Paint, but start no page change inside this one. A host's timer may unload the form
    // meanwhile: the page is gone then, and nothing after this touches it (relayout tells).
    const forms::UserInputHold hold;
    forms::DoEvents();
}

void KyWizardTab::Show()
{
    handled(QStringLiteral("Show"), [&] {
        if (user_mode()) {
            if (!relayout())
                return;
            Extender().setVisible(navigator().CurrentPageIndex() == page_index_);
            return;
        }
        const bool watermark = page_mode_ != InteriorPage;
        if (watermark) {
            LMark_->set_ends(kWatermarkRight, 0, kWatermarkRight, ScaleHeight());
            LMark_->setVisible(true);
        }
        place_size_hint(watermark);
        lblImageSize_->setVisible(true);
        draw_client_outline();
    });
}

void KyWizardTab::SetWelcomeView(bool ShowBanner, bool ShowWatermark, bool ShowMinimized)
{
    handled(QStringLiteral("SetWelcomeView"), [&] {
        picBanner_->setVisible(ShowBanner);
        fraBanner_->setVisible(ShowBanner);
        for (QWidget* element :
             std::initializer_list<QWidget*>{ImageWaterMark_, lblWatermarkDescription_, lblWatermarkTitle_, lblRule_})
            element->setVisible(ShowWatermark);
        name_page();
        const bool design = !user_mode();
        if (design)
            LMark_->setVisible(ShowWatermark);
        if (ShowWatermark) {
            if (back_color_ == forms::syscolor::ButtonFace) {
                back_color_ = 0xFFFFFFu;
                update();
            }
            LMark_->set_ends(kWatermarkRight, 0, kWatermarkRight, ScaleHeight());
        } else if (back_color_ == 0xFFFFFFu) {
            back_color_ = forms::syscolor::ButtonFace;
            update();
        }
        place_size_hint(ShowWatermark);
        picMinimize_->setVisible(ShowMinimized);
        if (design)
            draw_client_outline();
    });
}

void KyWizardTab::place_size_hint(bool watermark)
{
    const double tpp_x = forms::Screen::TwipsPerPixelX(), tpp_y = forms::Screen::TwipsPerPixelY();
    const bool shown = lblImageSize_->Visible();
    if (watermark) {
        const auto w = static_cast<long>(std::floor(kWatermarkRight / tpp_x));
        const auto h = static_cast<long>(std::floor(ScaleHeight() / tpp_y));
        lblImageSize_->setParent(this);
        lblImageSize_->setCaption(QStringLiteral(" %1 X %2 ").arg(w).arg(h));
        lblImageSize_->Move(45, 45, lblImageSize_->Width(), lblImageSize_->Height());
    } else {
        const auto w = static_cast<long>(std::floor(picBanner_->ScaleWidth() / tpp_x));
        const auto h = static_cast<long>(std::floor(picBanner_->ScaleHeight() / tpp_y));
        lblImageSize_->setParent(picBanner_);
        lblImageSize_->setCaption(QStringLiteral(" %1 X %2 ").arg(w).arg(h));
        lblImageSize_->Move(picBanner_->ScaleWidth() - lblImageSize_->Width() - 45, 45, lblImageSize_->Width(),
                            lblImageSize_->Height());
    }
    lblImageSize_->setVisible(shown);
    lblImageSize_->ZOrder(0);
    // The strip stays in front of the hint: on a page shown minimised at design time the hint
    // would cover the strip's grip, icon and index.
    if (page_state_ == Minimized)
        picMinimize_->raise();
}

void KyWizardTab::draw_client_outline()
{
    const double cl = ClientLeft(), ct = ClientTop(), cw = ClientWidth();
    const std::int32_t bottom = ClientTop() + ClientHeight();
    LClientLeft_->set_ends(cl, ct, cl, bottom);
    LClientTop_->set_ends(cl, ct, cl + cw, ct);
    LClientRight_->set_ends(cl + cw, ct, cl + cw, bottom);
    LClientBottom_->set_ends(cl, bottom, cl + cw, bottom);
    for (forms::Line* line : {LClientLeft_, LClientTop_, LClientRight_, LClientBottom_})
        line->setVisible(true);
}

void KyWizardTab::SetBannerImagePlace()
{
    handled(QStringLiteral("SetBannerImagePlace"), [&] {
        const double inner = picBanner_->ScaleWidth();
        if (banner_style_ == kyOSWindows2k)
            imgHeaderBanner_->Move(inner - px_x(5) - imgHeaderBanner_->Width(), px_y(5), imgHeaderBanner_->Width(),
                                   imgHeaderBanner_->Height());
        else
            imgHeaderBanner_->Move(inner - imgHeaderBanner_->Width(), 0, imgHeaderBanner_->Width(),
                                   imgHeaderBanner_->Height());
    });
}

void KyWizardTab::setBannerStyle(std::int32_t style)
{
    handled(QStringLiteral("BannerStyle (Let)"), [&] {
        banner_style_ = style;
        PropertyChanged(QStringLiteral("BannerStyle"));
        if (page_mode_ == InteriorPage)
            SetBannerImagePlace();
    });
}

void KyWizardTab::show_pictures_for_mode()
{
    switch (page_mode_) {
    case WelcomePage:
    case CompletePage:
        ImageWaterMark_->setPicture(navigator().WaterMarkPicture());
        SetWelcomeView(false, true, false);
        imgHeaderBanner_->setPicture(nullptr);
        break;
    case InteriorPage:
        imgHeaderBanner_->setPicture(navigator().BannerPicture());
        SetBannerImagePlace();
        SetWelcomeView(true, false, false);
        ImageWaterMark_->setPicture(nullptr);
        break;
    default: break;
    }
}

void KyWizardTab::apply_watermark_title_rule()
{
    lblWatermarkTitle_->setWidth(ScaleWidth() - lblWatermarkTitle_->Left() - px_x(20));
    const double title_bottom = lblWatermarkTitle_->Top() + lblWatermarkTitle_->Height();
    lblWatermarkDescription_->setTop(static_cast<float>(title_bottom) >= 1380.0f ? title_bottom + 300 : 1080);
}
