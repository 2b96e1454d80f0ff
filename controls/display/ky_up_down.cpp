#include "controls/display/ky_up_down.h"

#include "controls/display/accessible_role.h"
#include "controls/display/error_handling.h"
#include "controls/display/miscellaneous.h"
#include "controls/display/spin_buttons.h"
#include "controls/display/up_down_rules.h"
#include "controls/message_box.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>

#include <cstdlib>
#include <limits>

using forms::Screen;

namespace {

constexpr double spin_width = 255; // 17 pixels at 15 twips per pixel

// The box's error handler: a failing procedure shows its error with the class and the
// procedure's name (and the layout step under way, if any), and ends; nothing reaches the host.
template <typename Procedure>
bool reported(const char* procedure_name, Procedure&& procedure, const QString& step = {})
{
    try {
        procedure();
        return true;
    } catch (const forms::VbError& error) {
        if (error.number() == 0)
            return false;
        QString text = error.description() + QStringLiteral("\r\nClass: KyUpDown\r\nProcedure: ") +
                       QLatin1String(procedure_name);
        if (!step.isEmpty())
            text += QStringLiteral("\r\nStep: ") + step;
        kycomctl::show_message(text, kycomctl::vbCritical, QString());
        return false;
    }
}

std::int16_t as_integer(std::int32_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        forms::raise(forms::vberr::Overflow);
    return static_cast<std::int16_t>(value);
}

} // namespace

KyUpDown::KyUpDown()
{
    give_accessible_value(*this, QAccessible::SpinBox, true);
    setAccessibleName(QStringLiteral("Up-down box"));
    txt_spin_ = new forms::TextBox(this, QStringLiteral("txtSpin"));
    spin_ctl_ = new SpinButtons(this, QStringLiteral("spinCtl"));
    spin_ctl_->Move(0, 0, spin_width, 285);
    txt_spin_->setText(QStringLiteral("0"));
    // The text box is what takes the focus, so it is what a screen reader announces.
    txt_spin_->set_label_name(accessibleName());
    update_max_length();

    connect(spin_ctl_, &SpinButtons::Change, this, &KyUpDown::spin_changed);
    connect(spin_ctl_, &SpinButtons::UpClick, this, &KyUpDown::UpClick);
    connect(spin_ctl_, &SpinButtons::DownClick, this, &KyUpDown::DownClick);
    connect(txt_spin_, &forms::TextBox::KeyDown, this, [this](short& key_code, short&) { key_down(key_code); });
    // Leaving the text box is leaving the control: the spin buttons take no focus.
    connect(txt_spin_, &forms::TextBox::Validate, this, [this](bool&) { check_text(); });
    txt_spin_->focusProxy()->installEventFilter(this);

    // Mouse events of either part in the control's coordinates.
    using Event = void (KyUpDown::*)(short&, short&, float&, float&);
    const auto forward = [this](Event event, bool from_spin) {
        return [this, event, from_spin](short button, short shift, float x, float y) {
            float left = from_spin ? static_cast<float>(x + spin_ctl_->Left()) : x;
            emit(this->*event)(button, shift, left, y);
        };
    };
    for (bool from_spin : {false, true}) {
        forms::IntrinsicControl* part = from_spin ? static_cast<forms::IntrinsicControl*>(spin_ctl_)
                                                  : static_cast<forms::IntrinsicControl*>(txt_spin_);
        connect(part, &forms::IntrinsicControl::MouseDown, this, forward(&KyUpDown::MouseDown, from_spin));
        connect(part, &forms::IntrinsicControl::MouseMove, this, forward(&KyUpDown::MouseMove, from_spin));
        connect(part, &forms::IntrinsicControl::MouseUp, this, forward(&KyUpDown::MouseUp, from_spin));
    }
}

KyUpDown::~KyUpDown() = default;

std::int32_t KyUpDown::Value() const { return spin_ctl_->Value(); }

void KyUpDown::setValue(std::int32_t value)
{
    if (reported("Value (Let)", [&] { spin_ctl_->setValue(value); }))
        PropertyChanged(QStringLiteral("Value"));
}

std::int32_t KyUpDown::Min() const { return spin_ctl_->Min(); }

void KyUpDown::setMin(std::int32_t value)
{
    if (reported("Min (Let)", [&] {
            spin_ctl_->setMin(value);
            update_max_length();
        }))
        PropertyChanged(QStringLiteral("Min"));
}

std::int32_t KyUpDown::Max() const { return spin_ctl_->Max(); }

void KyUpDown::setMax(std::int32_t value)
{
    if (reported("Max (Let)", [&] {
            spin_ctl_->setMax(value);
            update_max_length();
        }))
        PropertyChanged(QStringLiteral("Max"));
}

void KyUpDown::update_max_length()
{
    // Every number of the range fits, the negative end's sign included.
    txt_spin_->setMaxLength(up_down::max_length(spin_ctl_->Min(), spin_ctl_->Max()));
}

std::int32_t KyUpDown::Alignment() const { return txt_spin_->Alignment(); }

void KyUpDown::setAlignment(std::int32_t value)
{
    if (reported("Alignment (Let)", [&] { txt_spin_->setAlignment(as_integer(value)); }))
        PropertyChanged(QStringLiteral("Alignment"));
}

std::int32_t KyUpDown::Increment() const { return spin_ctl_->Increment(); }

void KyUpDown::setIncrement(std::int32_t value)
{
    if (reported("Increment (Let)", [&] {
            if (value == std::numeric_limits<std::int32_t>::min())
                forms::raise(forms::vberr::Overflow);
            spin_ctl_->setIncrement(std::abs(value));
        }))
        PropertyChanged(QStringLiteral("Increment"));
}

forms::FontRef KyUpDown::Font() const
{
    forms::FontRef font;
    reported("Font (Get)", [&] { font = txt_spin_->Font(); });
    return font;
}

void KyUpDown::setFont(const forms::FontRef& font)
{
    if (reported("Font (Set)", [&] {
            if (!font)
                forms::raise(forms::vberr::ObjectVariableNotSet);
            txt_spin_->setFont(font);
        }))
        PropertyChanged(QStringLiteral("Font"));
}

bool KyUpDown::Wrap() const { return spin_ctl_->Wrap(); }

void KyUpDown::setWrap(bool value)
{
    if (reported("Wrap (Let)", [&] { spin_ctl_->setWrap(value); }))
        PropertyChanged(QStringLiteral("Wrap"));
}

void KyUpDown::setEnabled(bool value)
{
    if (reported("Enabled (Let)", [&] {
            enabled_ = value;
            SetControlEnabled(txt_spin_, value);
            SetControlEnabled(spin_ctl_, value);
            update();
        }))
        PropertyChanged(QStringLiteral("Enabled"));
}

void KyUpDown::changeEvent(QEvent* event)
{
    UserControl::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && testAttribute(Qt::WA_ForceDisabled)) {
        QWidget::setEnabled(true);
        setEnabled(false);
    }
}

void KyUpDown::set_label_name(const QString& words)
{
    const QString name = words.isEmpty() ? QStringLiteral("Up-down box") : words;
    setAccessibleName(name);
    txt_spin_->set_label_name(name);
    spin_ctl_->setAccessibleName(name);
}

void KyUpDown::spin_changed()
{
    const std::int32_t value = spin_ctl_->Value();
    accessible_value_changed(*this, value);
    accessible_value_changed(*spin_ctl_, value);
    if (value != last_value_)
        emit Change();
    last_value_ = value;
    txt_spin_->setText(QString::number(value));
}

void KyUpDown::key_down(short key_code)
{
    // A disabled box shows its value and lets it be selected, but takes no input.
    if ((key_code != 38 && key_code != 40) || !enabled_)
        return;
    reported("txtSpin (KeyDown)", [&] {
        spin_ctl_->setValue(up_down::stepped(spin_ctl_->Value(), spin_ctl_->Min(), spin_ctl_->Max(),
                                             spin_ctl_->Increment(), spin_ctl_->Wrap(), key_code == 38));
    });
}

void KyUpDown::check_text()
{
    if (loading_)
        return;
    reported("txtSpin (Validate)", [&] {
        trimmed_text_ = txt_spin_->Text().trimmed();
        const QString checked = up_down::checked_text(txt_spin_->Text(), spin_ctl_->Value(), spin_ctl_->Min(),
                                                      spin_ctl_->Max());
        if (checked != txt_spin_->Text())
            txt_spin_->setText(checked);
        spin_ctl_->setValue(forms::CLng(txt_spin_->Text()));
    });
}

bool KyUpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txt_spin_->focusProxy() && event->type() == QEvent::FocusIn) {
        take_tool_tip();
        txt_spin_->setSelStart(0);
        txt_spin_->setSelLength(static_cast<int>(txt_spin_->Text().size()));
    }
    return UserControl::eventFilter(watched, event);
}

void KyUpDown::take_tool_tip()
{
    display_errors::ignoring_errors([&] {
        const QString tip = Extender().ToolTipText();
        txt_spin_->setToolTip(tip);
        spin_ctl_->setToolTip(tip);
    });
}

void KyUpDown::Resize()
{
    const double px = Screen::TwipsPerPixelX(), py = Screen::TwipsPerPixelY();
    layout_step_ = QStringLiteral("txtSpin (Move)");
    if (!reported(
            "Resize",
            [&] {
                spin_ctl_->setHeight(ScaleHeight());
                txt_spin_->Move(px, py, ScaleWidth() - spin_ctl_->Width() - 3 * px, ScaleHeight());
            },
            layout_step_))
        return;
    layout_step_ = QStringLiteral("spinCtl (Move)");
    reported(
        "Resize", [&] { spin_ctl_->Move(ScaleWidth() - spin_ctl_->Width(), 0, spin_ctl_->Width(), ScaleHeight()); },
        layout_step_);
}

void KyUpDown::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    painter.fillRect(
        rect(),
        forms::resolve_color(Enabled() ? forms::syscolor::WindowBackground : forms::syscolor::ButtonFace, palette()));
}

void KyUpDown::InitProperties()
{
    txt_spin_->setText(QString::number(spin_ctl_->Value()));
    txt_spin_->setFont(ambient_font());
    txt_spin_->setAlignment(1);
    setEnabled(true);
}

void KyUpDown::ReadProperties(forms::PropertyBag& bag)
{
    loading_ = true;
    setMin(forms::CLng(bag.ReadProperty(QStringLiteral("Min"), 0)));
    setMax(forms::CLng(bag.ReadProperty(QStringLiteral("Max"), 10)));
    loading_ = false;
    // A Value a file holds outside its range (written before Min and Max kept Value inside)
    // loads at the nearest end, so the form opens.
    spin_ctl_->setValue(spin_ctl_->clamped(forms::CLng(bag.ReadProperty(QStringLiteral("Value"), 0))));
    txt_spin_->setAlignment(forms::CInt(bag.ReadProperty(QStringLiteral("Alignment"), QVariant::fromValue<short>(0))));
    txt_spin_->setFont(
        bag.ReadProperty(QStringLiteral("Font"), QVariant::fromValue(ambient_font())).value<forms::FontRef>());
    spin_ctl_->setIncrement(forms::CLng(bag.ReadProperty(QStringLiteral("Increment"), 1)));
    spin_ctl_->setWrap(forms::CBool(bag.ReadProperty(QStringLiteral("Wrap"), false)));
    setEnabled(forms::CBool(bag.ReadProperty(QStringLiteral("Enabled"), true)));
}

void KyUpDown::WriteProperties(forms::PropertyBag& bag)
{
    bag.WriteProperty(QStringLiteral("Min"), spin_ctl_->Min(), 0);
    bag.WriteProperty(QStringLiteral("Max"), spin_ctl_->Max(), 10);
    bag.WriteProperty(QStringLiteral("Value"), spin_ctl_->Value(), 0);
    bag.WriteProperty(QStringLiteral("Alignment"), txt_spin_->Alignment(), 0);
    bag.WriteProperty(QStringLiteral("Font"), QVariant::fromValue(txt_spin_->Font()),
                      QVariant::fromValue(ambient_font()));
    bag.WriteProperty(QStringLiteral("Increment"), spin_ctl_->Increment(), 1);
    bag.WriteProperty(QStringLiteral("Wrap"), spin_ctl_->Wrap(), false);
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
}

forms::FontRef KyUpDown::ambient_font() const
{
    try {
        if (auto font = Ambient().Font())
            return font;
    } catch (const forms::VbError&) {
    }
    return txt_spin_->Font();
}
