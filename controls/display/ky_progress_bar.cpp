#include "controls/display/ky_progress_bar.h"

#include "controls/display/accessible_role.h"
#include "controls/display/error_handling.h"
#include "controls/display/progress_picture.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/stored_value.h"
#include "platform/forms/core/vb_error.h"

#include <QPointer>

#include <cmath>
#include <limits>

using display_errors::ignoring_errors;
using forms::Screen;

namespace {

constexpr double design_width = 4275;
constexpr double design_height = 375;
constexpr double fill_left = 30;
constexpr double fill_top = 15;

// The caption's places the General page offers: the reader takes only these, and a design
// host keeps a designer's value to them (the Let itself takes any number).
constexpr forms::StoredChoice kStoredChoices[] = {{"Align", arAlignLeft, arAlignCenter}};

} // namespace

// A setter's check of its argument, under the bar's handler: a refused value raises `error`
// (so it shows the box) only while ErrorsNotify is on.
bool KyProgressBar::accepts(bool valid, std::int32_t error) const
{
    display_errors::shown_in_error_box([&] {
        if (!valid && errors_notify_)
            forms::raise(error);
    });
    return valid;
}

namespace {

std::int32_t rounded(double value) { return static_cast<std::int32_t>(std::lround(value)); }

} // namespace

KyProgressBar::KyProgressBar()
{
    pic_base_ = new ProgressPicture(this);
    pic_base_->setObjectName(QStringLiteral("picBase"));
    pic_fill_ = new ProgressPicture(pic_base_);
    pic_fill_->setObjectName(QStringLiteral("picFill"));
    pic_fill_->setBorderStyle(arNone);
    pic_fill_->setBackColor(forms::syscolor::Highlight);
    pic_fill_->setForeColor(forms::syscolor::HighlightText);
    pic_fill_->setFont(pic_base_->Font());
    resize(Screen::to_pixels_x(design_width), Screen::to_pixels_y(design_height));
    pic_base_->Move(0, 0, ScaleWidth(), ScaleHeight());
    pic_fill_->Move(fill_left, fill_top, 0, 0);
    pic_fill_->hide();
    give_accessible_value(*this, QAccessible::ProgressBar);
    name_bar();
    // The bar only shows: it is no Tab stop and takes no focus.
    setCanGetFocus(false);
}

void KyProgressBar::name_bar()
{
    // The caption the bar shows; a bar without one is read as the progress it is.
    setAccessibleName(caption_.isEmpty() ? QStringLiteral("Progress") : caption_);
}

KyProgressBar::~KyProgressBar() = default;

QString KyProgressBar::PercentPosition()
{
    if (range_ == 0)
        forms::raise(forms::vberr::DivisionByZero);
    const double ratio = static_cast<double>(value_ - min_) / static_cast<double>(range_);
    percent_digits_ = QString::number(static_cast<qint64>(std::floor(ratio * 100.0)));
    return percent_digits_ + QLatin1Char('%');
}

void KyProgressBar::setAlign(std::int32_t value)
{
    display_errors::shown_in_error_box([&] {
        align_ = value;
        if (!caption_.isEmpty())
            draw_caption();
        PropertyChanged(QStringLiteral("Align"));
    });
}

void KyProgressBar::setValue(std::int32_t value)
{
    if (!accepts(value >= min_ && value <= max_, forms::vberr::InvalidPropertyValue))
        return;
    value_ = value;
    accessible_value_changed(*this, value_);
    ignoring_errors([&] { set_fill_width((value_ - min_) * scale_); });
    // Let the host's pending events run, so that the bar repaints inside a long host loop;
    // the user's keys and clicks wait, so none of them acts while the bar is half drawn.
    // A host's timer may unload the form meanwhile: then the bar is gone and the setter ends.
    const QPointer<KyProgressBar> alive(this);
    ignoring_errors([] {
        const forms::UserInputHold hold;
        forms::DoEvents();
    });
    if (!alive)
        return;
    draw_caption();
    ignoring_errors([&] { PropertyChanged(QStringLiteral("Value")); });
}

void KyProgressBar::setMin(std::int32_t value)
{
    if (!accepts(value >= 0 && value < max_, forms::vberr::InvalidPropertyValue))
        return;
    min_ = value;
    ignoring_errors([&] { recompute_scale(); });
    ignoring_errors([&] { PropertyChanged(QStringLiteral("Min")); });
}

void KyProgressBar::setMax(std::int32_t value)
{
    if (!accepts(value > min_, forms::vberr::InvalidProcedureCall))
        return;
    max_ = value;
    ignoring_errors([&] { recompute_scale(); });
    ignoring_errors([&] { PropertyChanged(QStringLiteral("Max")); });
}

void KyProgressBar::setCaption(const QString& value)
{
    display_errors::shown_in_error_box([&] {
        caption_ = value;
        name_bar();
        draw_caption();
        PropertyChanged(QStringLiteral("Caption"));
    });
}

std::int32_t KyProgressBar::BorderStyle() const { return pic_base_->BorderStyle(); }

void KyProgressBar::setBorderStyle(std::int32_t value)
{
    display_errors::shown_in_error_box([&] {
        // The picture box takes a 16-bit integer.
        if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
            forms::raise(forms::vberr::Overflow);
        pic_base_->setBorderStyle(value);
        PropertyChanged(QStringLiteral("BorderStyle"));
        layout();
    });
}

void KyProgressBar::setErrorsNotify(bool value)
{
    display_errors::shown_in_error_box([&] {
        errors_notify_ = value;
        PropertyChanged(QStringLiteral("ErrorsNotify"));
    });
}

forms::FontRef KyProgressBar::DisplayFont() const { return pic_base_->Font(); }

void KyProgressBar::setDisplayFont(const forms::FontRef& font)
{
    display_errors::shown_in_error_box([&] {
        if (!font)
            forms::raise(forms::vberr::ObjectVariableNotSet);
        pic_base_->setFont(font);
        pic_fill_->setFont(font);
        PropertyChanged(QStringLiteral("DisplayFont"));
        if (!caption_.isEmpty())
            draw_caption();
    });
}

std::int32_t KyProgressBar::hWnd()
{
    // The low 32 bits of the native window id; a control without a native window answers 0.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(winId()));
}

void KyProgressBar::InitProperties()
{
    // A new instance keeps its designed border and font; the fields start as declared.
    layout();
}

std::span<const forms::StoredChoice> KyProgressBar::stored_choices() const { return kStoredChoices; }

void KyProgressBar::ReadProperties(forms::PropertyBag& bag)
{
    // Lay out first, so that the scale below rests on real geometry rather than on zeros.
    layout();
    max_ = forms::CLng(bag.ReadProperty(QStringLiteral("Max"), 100));
    min_ = forms::CLng(bag.ReadProperty(QStringLiteral("Min"), 0));
    value_ = forms::CLng(bag.ReadProperty(QStringLiteral("Value"), 0));
    caption_ = forms::CStr(bag.ReadProperty(QStringLiteral("Caption"), QString()));
    name_bar();
    align_ = forms::stored_choice(bag, kStoredChoices, QStringLiteral("Align"), arAlignLeft);
    errors_notify_ = forms::CBool(bag.ReadProperty(QStringLiteral("ErrorsNotify"), false));
    setDisplayFont(
        bag.ReadProperty(QStringLiteral("DisplayFont"), QVariant::fromValue(ambient_font())).value<forms::FontRef>());
    pic_base_->setBorderStyle(
        forms::CInt(bag.ReadProperty(QStringLiteral("BorderStyle"), QVariant::fromValue<short>(1))));
    recompute_scale();
    set_fill_width((value_ - min_) * scale_);
    draw_caption();
}

void KyProgressBar::WriteProperties(forms::PropertyBag& bag)
{
    bag.WriteProperty(QStringLiteral("Max"), max_, 100);
    bag.WriteProperty(QStringLiteral("Min"), min_, 0);
    bag.WriteProperty(QStringLiteral("Value"), value_, 0);
    bag.WriteProperty(QStringLiteral("Caption"), caption_, QString());
    bag.WriteProperty(QStringLiteral("Align"), align_, 0);
    bag.WriteProperty(QStringLiteral("BorderStyle"), pic_base_->BorderStyle(), 1);
    bag.WriteProperty(QStringLiteral("ErrorsNotify"), errors_notify_, false);
    bag.WriteProperty(QStringLiteral("DisplayFont"), QVariant::fromValue(pic_base_->Font()),
                      QVariant::fromValue(ambient_font()));
}

void KyProgressBar::Resize() { layout(); }

void KyProgressBar::resizeEvent(QResizeEvent* event)
{
    forms::UserControl::resizeEvent(event);
    if (!has_site())
        layout();
}

void KyProgressBar::layout()
{
    ignoring_errors([&] { pic_base_->Move(0, 0, ScaleWidth(), ScaleHeight()); });
    ignoring_errors([&] {
        pic_fill_->Move(pic_fill_->Left(), pic_fill_->Top(), pic_fill_->Width(),
                        pic_base_->ScaleHeight() - 2 * pic_fill_->Top());
        update_fill_visibility();
    });
    inner_width_ = rounded(pic_base_->ScaleWidth());
    fill_height_ = rounded(pic_fill_->ScaleHeight());
    inset_ = rounded(pic_fill_->Left());
    ignoring_errors([&] { recompute_scale(); });
    // The fill keeps its share of the bar at the new size: a fill left at the old width
    // would show a wrong progress under the caption until the next Value.
    ignoring_errors([&] { set_fill_width((value_ - min_) * scale_); });
    left_margin_ = rounded(3 * Screen::TwipsPerPixelX());
    right_margin_ = rounded(5 * Screen::TwipsPerPixelX());
    draw_caption();
}

void KyProgressBar::recompute_scale()
{
    range_ = max_ - min_;
    if (range_ <= 0) {
        // Only a stored form can bring Max down to Min: no usable scale, so the fill stays
        // empty rather than growing backwards or dividing by zero.
        scale_ = 0;
        return;
    }
    scale_ = static_cast<double>(inner_width_ - 2 * inset_) / static_cast<double>(range_);
}

void KyProgressBar::set_fill_width(double twips)
{
    pic_fill_->Move(pic_fill_->Left(), pic_fill_->Top(), std::max(0.0, twips), pic_fill_->Height());
    update_fill_visibility();
}

void KyProgressBar::update_fill_visibility()
{
    display_errors::shown_in_error_box([&] { pic_fill_->setVisible(value_ >= 1); });
}

void KyProgressBar::draw_caption()
{
    display_errors::shown_in_error_box([&] {
        const QString& s = caption_;
        const double y = std::floor((fill_height_ - pic_fill_->TextHeight(s)) / 2);
        const double w = pic_base_->TextWidth(s);
        double x = 0;
        double xf = 0;
        switch (align_) {
        case arAlignRight:
            x = inner_width_ - w - inset_ - right_margin_;
            xf = x - inset_;
            break;
        case arAlignCenter:
            x = (inner_width_ - w) / 2;
            xf = x - inset_;
            break;
        default:
            x = inset_ + left_margin_;
            xf = left_margin_;
            break;
        }
        pic_fill_->Cls();
        pic_base_->Cls();
        if (!s.isEmpty()) {
            pic_base_->Print(x, y + pic_fill_->Top(), s);
            pic_fill_->Print(xf, y, s);
        }
    });
}

forms::FontRef KyProgressBar::ambient_font() const
{
    try {
        if (auto font = Ambient().Font())
            return font;
    } catch (const forms::VbError&) {
    }
    return pic_base_->Font();
}
