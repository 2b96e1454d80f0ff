#include "controls/display/ky_label.h"

#include "controls/display/accessible_role.h"
#include "controls/display/error_handling.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/stored_value.h"
#include "platform/forms/core/vb_error.h"

#include <QCursor>
#include <QEvent>
#include <QPainter>
#include <QPixmap>

#include <cmath>
#include <limits>

using display_errors::ignoring_errors;
using forms::Screen;

namespace {

constexpr OLE_COLOR stored_fore_color = forms::syscolor::ButtonText;

// The system's pointers 0 to 15, or 99 for the label's own MouseIcon: the reader takes only
// these, and a design host keeps a designer's value to them (the Let itself takes any number).
constexpr forms::StoredChoice kStoredChoices[] = {{"MousePointer", 0, 15, 99}};

// The runtime's mouse-pointer numbers as cursors; 0 is the container's default and 99 the
// custom MouseIcon.
Qt::CursorShape cursor_shape(std::int32_t pointer)
{
    switch (pointer) {
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 6: return Qt::SizeBDiagCursor;
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor;
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    case 15: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

std::int16_t as_integer(std::int32_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        forms::raise(forms::vberr::Overflow);
    return static_cast<std::int16_t>(value);
}

} // namespace

KyLabel::KyLabel()
    : offset_x_(static_cast<std::int32_t>(std::lround(Screen::TwipsPerPixelX()))),
      offset_y_(static_cast<std::int32_t>(std::lround(Screen::TwipsPerPixelY())))
{
    give_accessible_role(*this, QAccessible::StaticText);
    setAccessibleName(QStringLiteral("Label"));
    // A label is never a Tab stop.
    setCanGetFocus(false);
    lbl_back_ = new forms::Label(this, QStringLiteral("lblBack"));
    lbl_back_->setBackStyle(forms::Label::Transparent);
    lbl_back_->setForeColor(forms::syscolor::ButtonHighlight);
    lbl_back_->Move(0, 0, 1335, 495);
    lbl_front_ = new forms::Label(this, QStringLiteral("lblFront"));
    lbl_front_->setBackStyle(forms::Label::Transparent);
    lbl_front_->Move(0, 0, 1515, 270);
    lbl_front_->raise();
    // The back label is only a picture: the front one takes the mouse.
    lbl_back_->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto forward = [this](void (KyLabel::*event)(short&, short&, float&, float&)) {
        return [this, event](short button, short shift, float x, float y) { emit(this->*event)(button, shift, x, y); };
    };
    connect(lbl_front_, &forms::Label::MouseDown, this, forward(&KyLabel::MouseDown));
    connect(lbl_front_, &forms::Label::MouseMove, this, forward(&KyLabel::MouseMove));
    connect(lbl_front_, &forms::Label::MouseUp, this, forward(&KyLabel::MouseUp));
    connect(lbl_front_, &forms::Label::Click, this, &KyLabel::Click);
    connect(lbl_front_, &forms::Label::DblClick, this, &KyLabel::DblClick);
}

KyLabel::~KyLabel() = default;

void KyLabel::setCaption(const QString& value)
{
    caption_ = value;
    lbl_front_->setCaption(caption_);
    lbl_back_->setCaption(caption_);
    // A label without words is still a control a person can reach: it is named for what it is.
    setAccessibleName(caption_.isEmpty() ? QStringLiteral("Label") : caption_);
    if (auto_size_)
        AdjustSize();
    PropertyChanged(QStringLiteral("Caption"));
}

void KyLabel::setEnabled(bool value)
{
    enabled_ = value;
    show_front_color();
    lbl_back_->setVisible(!enabled_);
    QWidget::setEnabled(value);
    PropertyChanged(QStringLiteral("Enabled"));
}

void KyLabel::show_front_color() { lbl_front_->setForeColor(enabled_ ? fore_color_ : forms::syscolor::ButtonShadow); }

void KyLabel::setBackColor(OLE_COLOR color)
{
    back_color_ = color;
    update();
    PropertyChanged(QStringLiteral("BackColor"));
}

void KyLabel::setForeColor(OLE_COLOR color)
{
    display_errors::shown_in_error_box([&] {
        fore_color_ = color;
        show_front_color();
        PropertyChanged(QStringLiteral("ForeColor"));
    });
}

forms::FontRef KyLabel::Font() const { return lbl_front_->Font(); }

void KyLabel::setFont(const forms::FontRef& font)
{
    display_errors::shown_in_error_box([&] {
        if (!font)
            forms::raise(forms::vberr::ObjectVariableNotSet);
        font_changing_ = true;
        lbl_front_->setFont(font);
        lbl_back_->setFont(font);
        PropertyChanged(QStringLiteral("Font"));
        if (auto_size_)
            AdjustSize();
        font_changing_ = false;
    });
    font_changing_ = false;
}

void KyLabel::setAutoSize(bool value)
{
    auto_size_ = value;
    lbl_front_->setAutoSize(value);
    if (auto_size_)
        AdjustSize();
    lbl_back_->setAutoSize(value);
    PropertyChanged(QStringLiteral("AutoSize"));
}

std::int32_t KyLabel::Alignment() const { return lbl_front_->Alignment(); }

void KyLabel::setAlignment(std::int32_t value)
{
    const std::int16_t alignment = as_integer(value);
    if (alignment < kyLeftJustify || alignment > kyCenter)
        forms::raise(forms::vberr::InvalidPropertyValue);
    lbl_front_->setAlignment(alignment);
    lbl_back_->setAlignment(alignment);
    PropertyChanged(QStringLiteral("Alignment"));
}

void KyLabel::setMousePointer(std::int32_t value)
{
    mouse_pointer_ = value;
    ignoring_errors([&] { apply_cursor(); });
    PropertyChanged(QStringLiteral("MousePointer"));
}

void KyLabel::setMouseIcon(const forms::PictureRef& picture)
{
    mouse_icon_ = picture;
    ignoring_errors([&] { apply_cursor(); });
    PropertyChanged(QStringLiteral("MouseIcon"));
}

void KyLabel::apply_cursor()
{
    for (forms::Label* label : {lbl_front_, lbl_back_}) {
        if (mouse_pointer_ == 0)
            label->unsetCursor();
        else if (mouse_pointer_ == 99 && mouse_icon_ && !mouse_icon_->empty())
            label->setCursor(QCursor(QPixmap::fromImage(mouse_icon_->image())));
        else
            label->setCursor(cursor_shape(mouse_pointer_));
    }
}

bool KyLabel::visible_property() const { return Extender().Visible(); }

void KyLabel::set_visible_property(bool value)
{
    Extender().setVisible(value);
    PropertyChanged(QStringLiteral("Visible"));
}

void KyLabel::AdjustSize()
{
    forms::ControlSite& extender = Extender();
    extender.setVisible(false);
    extender.setHeight(lbl_front_->Height() + offset_y_);
    extender.setWidth(lbl_front_->Width() + offset_x_);
    extender.setVisible(true);
}

void KyLabel::Resize()
{
    ignoring_errors([&] {
        if (auto_size_ || font_changing_) {
            lbl_front_->Move(0, 0, lbl_front_->Width(), lbl_front_->Height());
            lbl_back_->Move(offset_x_, offset_y_, lbl_back_->Width(), lbl_back_->Height());
        } else {
            lbl_front_->Move(0, 0, ScaleWidth(), ScaleHeight());
            lbl_back_->Move(offset_x_, offset_y_, ScaleWidth(), ScaleHeight());
        }
    });
}

void KyLabel::changeEvent(QEvent* event)
{
    UserControl::changeEvent(event);
    const bool own = !testAttribute(Qt::WA_ForceDisabled);
    if (event->type() == QEvent::EnabledChange && own != enabled_)
        setEnabled(own);
}

void KyLabel::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    painter.fillRect(rect(), forms::resolve_color(back_color_, palette()));
}

void KyLabel::InitProperties()
{
    setCaption(Ambient().DisplayName());
    setEnabled(true);
    setFont(ambient_font());
    setBackColor(ambient_back_color());
    // Sized to the caption once, then kept at that size.
    setAutoSize(true);
    setAutoSize(false);
    setAlignment(kyLeftJustify);
    setMousePointer(0);
    set_visible_property(true);
}

std::span<const forms::StoredChoice> KyLabel::stored_choices() const { return kStoredChoices; }

void KyLabel::ReadProperties(forms::PropertyBag& bag)
{
    setCaption(forms::CStr(bag.ReadProperty(QStringLiteral("Caption"), QString())));
    setForeColor(bag.ReadProperty(QStringLiteral("ForeColor"), stored_fore_color).toUInt());
    setEnabled(forms::CBool(bag.ReadProperty(QStringLiteral("Enabled"), true)));
    setAutoSize(forms::CBool(bag.ReadProperty(QStringLiteral("AutoSize"), false)));
    setFont(bag.ReadProperty(QStringLiteral("Font"), QVariant::fromValue(ambient_font())).value<forms::FontRef>());
    setBackColor(bag.ReadProperty(QStringLiteral("BackColor"), ambient_back_color()).toUInt());
    setAlignment(forms::CLng(bag.ReadProperty(QStringLiteral("Alignment"), 0)));
    setMouseIcon(bag.ReadProperty(QStringLiteral("MouseIcon"), QVariant::fromValue(forms::PictureRef()))
                     .value<forms::PictureRef>());
    setMousePointer(forms::stored_choice(bag, kStoredChoices, QStringLiteral("MousePointer"), 0));
    set_visible_property(forms::CBool(bag.ReadProperty(QStringLiteral("Visible"), true)));
}

void KyLabel::WriteProperties(forms::PropertyBag& bag)
{
    bag.WriteProperty(QStringLiteral("Caption"), caption_, QString());
    bag.WriteProperty(QStringLiteral("Enabled"), enabled_, true);
    bag.WriteProperty(QStringLiteral("Font"), QVariant::fromValue(Font()), QVariant::fromValue(ambient_font()));
    bag.WriteProperty(QStringLiteral("AutoSize"), auto_size_, false);
    bag.WriteProperty(QStringLiteral("ForeColor"), fore_color_, stored_fore_color);
    bag.WriteProperty(QStringLiteral("BackColor"), back_color_, ambient_back_color());
    bag.WriteProperty(QStringLiteral("Alignment"), Alignment(), 0);
    bag.WriteProperty(QStringLiteral("MouseIcon"), QVariant::fromValue(mouse_icon_),
                      QVariant::fromValue(forms::PictureRef()));
    bag.WriteProperty(QStringLiteral("MousePointer"), mouse_pointer_, 0);
    bag.WriteProperty(QStringLiteral("Visible"), visible_property(), true);
}

forms::FontRef KyLabel::ambient_font() const
{
    try {
        if (auto font = Ambient().Font())
            return font;
    } catch (const forms::VbError&) {
    }
    return lbl_front_->Font();
}

OLE_COLOR KyLabel::ambient_back_color() const
{
    try {
        return Ambient().BackColor();
    } catch (const forms::VbError&) {
        return forms::syscolor::ButtonFace;
    }
}
