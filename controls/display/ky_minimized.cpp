#include "controls/display/ky_minimized.h"

#include "controls/display/accessible_role.h"
#include "controls/display/minimize_coupling.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/intrinsics/image.h"
#include "platform/forms/intrinsics/line.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/hosting/type_name.h"
#include "platform/forms/core/vb_error.h"

#include <QPainter>

#include <cstddef>

using forms::Screen;

namespace {

constexpr int design_pixels = 28;
constexpr int icon_pixels = 23;
constexpr std::int32_t vbObjectError = static_cast<std::int32_t>(0x80040000u);

} // namespace

KyMinimized::KyMinimized()
{
    give_accessible_role(*this, QAccessible::Graphic);
    setAccessibleName(QStringLiteral("Minimise coupling"));
    setCanGetFocus(false);
    for (std::size_t i = 0; i < ln_.size(); ++i) {
        ln_[i] = new forms::Line(this, QStringLiteral("ln(%1)").arg(i));
        ln_[i]->setBorderColor(forms::syscolor::ButtonShadow);
    }
    img_ = new forms::Image(this, QStringLiteral("img"));
    img_->setPicture(forms::StdPicture::create(design_icon()));
}

KyMinimized::~KyMinimized() = default;

QImage KyMinimized::design_icon()
{
    QImage image(icon_pixels, icon_pixels, QImage::Format_RGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter p(&image);
    const int last = icon_pixels - 1;
    p.setPen(Qt::white);
    p.drawLine(0, 0, last - 1, 0);
    p.drawLine(0, 0, 0, last - 1);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawLine(0, last, last, last);
    p.drawLine(last, 0, last, last);
    p.fillRect(6, 15, 8, 2, Qt::black); // the minimise glyph
    return image;
}

bool KyMinimized::user_mode() const
{
    try {
        return Ambient().UserMode();
    } catch (const forms::VbError&) {
        return true; // without a site there is nothing to show at design time either
    }
}

void KyMinimized::InitProperties() { check_single_instance(); }

void KyMinimized::check_single_instance()
{
    const QString own_name = Ambient().DisplayName();
    for (forms::ControlSite* site : ParentForm().sites()) {
        if (forms::TypeName(site) == QLatin1String("KyMinimized") && site->Name() != own_name)
            forms::raise(vbObjectError, QStringLiteral("SystemMenu"), QStringLiteral("Control already exists."));
    }
}

void KyMinimized::Show()
{
    if (started_)
        return;
    LayoutDesignIcon();
    if (user_mode())
        install_coupling();
    started_ = true;
}

void KyMinimized::LayoutDesignIcon()
{
    const bool design = !user_mode();
    for (forms::Line* line : ln_)
        line->setVisible(design);
    img_->setVisible(design);
    // The frame's ends in pixels: top, left, bottom, right.
    constexpr int ends[4][4] = {{1, 1, 25, 1}, {1, 1, 1, 26}, {0, 27, 27, 27}, {27, 0, 27, 28}};
    const double x = Screen::TwipsPerPixelX(), y = Screen::TwipsPerPixelY();
    for (std::size_t i = 0; i < ln_.size(); ++i)
        ln_[i]->set_ends(ends[i][0] * x, ends[i][1] * y, ends[i][2] * x, ends[i][3] * y);
    img_->Move(2 * x, 2 * y, img_->Width(), img_->Height());
}

void KyMinimized::install_coupling()
{
    QWidget& dialog = ParentForm();
    // A dialog without an owner is not coupled: nothing could bring it back once minimised.
    if (QWidget* owner = MinimizeCoupling::owner_of(dialog))
        coupling_ = std::make_unique<MinimizeCoupling>(dialog, *owner);
}

void KyMinimized::Resize()
{
    const double width = user_mode() ? 0 : design_pixels * Screen::TwipsPerPixelX();
    const double height = user_mode() ? 0 : design_pixels * Screen::TwipsPerPixelY();
    forms::ControlSite& site = Extender();
    if (site.Width() != width || site.Height() != height)
        site.Move(site.Left(), site.Top(), width, height);
}

void KyMinimized::Terminate() { coupling_.reset(); }
