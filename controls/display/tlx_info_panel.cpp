#include "controls/display/tlx_info_panel.h"

#include "controls/display/accessible_role.h"
#include "controls/display/error_handling.h"
#include "controls/display/info_layout.h"
#include "controls/display/ky_info_item.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/hosting/input_events.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/line.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/intrinsics/shape.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/core/vb_error.h"

#include <QMouseEvent>
#include <QPainter>

#include <limits>

using display_errors::ignoring_errors;
using forms::Screen;

namespace {

constexpr OLE_COLOR default_title_color = 0x900000u; // RGB(0, 0, 144)
constexpr OLE_COLOR default_border_color = 0xFFFEFFu;
const char* const default_title = "Statistics";

// The host's Trim: spaces only.
bool blank(const QString& name)
{
    for (QChar c : name)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}

} // namespace

TlxInfoPanel::TlxInfoPanel()
{
    give_accessible_role(*this, QAccessible::Grouping);
    setAccessibleName(QStringLiteral("Information panel"));
    // The panel itself takes no focus; its "Full info..." links do.
    setCanGetFocus(false);
    resize(Screen::to_pixels_x(6360), Screen::to_pixels_y(1665));

    lbl_title_ = new forms::Label(this, QStringLiteral("lblTitle"));
    lbl_title_->setBackStyle(forms::Label::Transparent);
    lbl_title_->setUseMnemonic(false);
    auto title_font = forms::StdFont::create();
    title_font->setName(QStringLiteral("Arial Unicode MS"));
    title_font->setSize(15.75);
    lbl_title_->setFont(title_font);
    lbl_title_->Move(0, 0, 885, 420);
    lbl_title_->setAutoSize(true);
    lin_separator_ = new forms::Line(this, QStringLiteral("linSeparator"));
    lin_separator_->set_ends(0, 420, 5790, 420);
    shp_border_ = new forms::Shape(this, QStringLiteral("shpBorder"));
    shp_border_->Move(0, 510, 5805, 345);

    auto* item_template = new KyInfoItem();
    item_template->setParent(this);
    item_template->setObjectName(QStringLiteral("ctlInfoItem(0)"));
    item_template->Move(90, 510, 5655, 225);
    item_template->setVisible(false);
    lines_.push_back(item_template);
}

TlxInfoPanel::~TlxInfoPanel() = default;

KyInfoItem* TlxInfoPanel::ctlInfoItem(int index) const
{
    return index >= 0 && index < static_cast<int>(lines_.size()) ? lines_[static_cast<std::size_t>(index)] : nullptr;
}

OLE_COLOR TlxInfoPanel::TitleColor() const { return lbl_title_->ForeColor(); }

void TlxInfoPanel::setTitleColor(OLE_COLOR color)
{
    lbl_title_->setForeColor(color);
    lin_separator_->setBorderColor(color);
    for (KyInfoItem* line : lines_)
        line->setTitleColor(color);
    PropertyChanged(QStringLiteral("TitleColor"));
}

OLE_COLOR TlxInfoPanel::ValueColor() const { return lines_.front()->ValueColor(); }

void TlxInfoPanel::setValueColor(OLE_COLOR color)
{
    for (KyInfoItem* line : lines_)
        line->setValueColor(color);
    PropertyChanged(QStringLiteral("ValueColor"));
}

std::int32_t TlxInfoPanel::AddInfoLabel(const QString& sName, const QString& sValue)
{
    try {
        if (blank(sName))
            forms::raise(invalid_name_error, QStringLiteral("TlxInfoCtrl.TlxInfoPanel"),
                         QStringLiteral("Invalid InfoLabel Name"));
        add_line(*items_.Add(sName, sValue));
        return 0;
    } catch (const forms::VbError& error) {
        return error.number();
    }
}

void TlxInfoPanel::add_line(InfoItem& record)
{
    const int n = items_.Count();
    KyInfoItem* line = nullptr;
    try {
        line = load_line(n);
    } catch (const forms::VbError&) {
        // A record without its line would break the pairing of record k with line k.
        items_.Remove(n);
        throw;
    }
    line->setIndentation(indentation_);
    line->setAttributeName(record.Name());
    line->setValue(record.Value());
    const double h0 = lines_.front()->Height();
    const double top = info_layout::line_top(h0, lbl_title_->Height(), n);
    line->Move(3 * Screen::TwipsPerPixelX(), top, line->Width(), line->Height());
    line->Move(line->Left(), line->Top(), ScaleWidth() - 23 * Screen::TwipsPerPixelX(), line->Height());
    if (!redraw_)
        return;
    const auto grown = info_layout::grown_height(top, static_cast<float>(line->Height()),
                                                 static_cast<float>(panel_height()), Screen::TwipsPerPixelY());
    if (grown) {
        set_panel_height(*grown);
        fit_border();
        raise_resize();
    }
    line->setVisible(true);
}

KyInfoItem* TlxInfoPanel::load_line(int index)
{
    if (index > std::numeric_limits<std::int16_t>::max())
        forms::raise(forms::vberr::Overflow);
    const KyInfoItem& item_template = *lines_.front();
    auto* line = new KyInfoItem();
    line->setParent(this);
    line->setObjectName(QStringLiteral("ctlInfoItem(%1)").arg(index));
    line->setVisible(false);
    line->Move(item_template.Left(), item_template.Top(), item_template.Width(), item_template.Height());
    line->setTitleColor(item_template.TitleColor());
    // A new line shows the value colour the panel reports.
    line->setValueColor(item_template.ValueColor());
    line->setBackColor(back_color_);
    lines_.push_back(line);
    return line;
}

void TlxInfoPanel::ChangeValue(const QString& sName, const QString& sValue)
{
    ignoring_errors([&] {
        InfoItem* record = items_.Item(sName);
        record->setValue(sValue);
        if (KyInfoItem* line = ctlInfoItem(record->Index()))
            line->setValue(sValue);
    });
}

void TlxInfoPanel::ClearInfoLabels()
{
    ignoring_errors([&] {
        for (std::int32_t k = items_.Count(); k >= 1; --k) {
            const int index = items_.Item(k)->Index();
            KyInfoItem* line = ctlInfoItem(index);
            if (line && index > 0) {
                lines_.erase(lines_.begin() + index);
                delete line;
            }
            items_.Remove(k);
        }
        set_panel_height(0);
        raise_resize();
    });
}

QString TlxInfoPanel::Title() const { return lbl_title_->Caption(); }

void TlxInfoPanel::setTitle(const QString& title)
{
    ignoring_errors([&] {
        lbl_title_->setCaption(title);
        // Read by its title, as a person sees it.
        setAccessibleName(title.trimmed().isEmpty() ? QStringLiteral("Information panel") : title);
        PropertyChanged(QStringLiteral("Title"));
    });
}

OLE_COLOR TlxInfoPanel::InfoBorderColor() const { return shp_border_->BorderColor(); }

void TlxInfoPanel::setInfoBorderColor(OLE_COLOR color)
{
    ignoring_errors([&] {
        shp_border_->setBorderColor(color);
        PropertyChanged(QStringLiteral("InfoBorderColor"));
    });
}

void TlxInfoPanel::setRedraw(bool value)
{
    ignoring_errors([&] {
        redraw_ = value;
        PropertyChanged(QStringLiteral("Redraw"));
        if (!redraw_)
            return;
        RefreshLayout();
        raise_resize();
    });
}

void TlxInfoPanel::RefreshLayout()
{
    if (lines_.size() < 2)
        return;
    ignoring_errors([&] {
        const KyInfoItem& last = *lines_.back();
        set_panel_height(static_cast<float>(last.Height() + last.Top() + 5 * Screen::TwipsPerPixelY()));
        fit_border();
        for (std::size_t i = 1; i < lines_.size(); ++i) {
            lines_[i]->Refresh();
            lines_[i]->setVisible(true);
        }
    });
}

void TlxInfoPanel::setAutoRedraw(bool value)
{
    ignoring_errors([&] {
        auto_redraw_ = value;
        PropertyChanged(QStringLiteral("AutoRedraw"));
    });
}

void TlxInfoPanel::setIndentation(float twips)
{
    ignoring_errors([&] {
        indentation_ = twips;
        for (KyInfoItem* line : lines_)
            line->setIndentation(twips);
        PropertyChanged(QStringLiteral("Indentation"));
    });
}

float TlxInfoPanel::MinRecomendedWidth() const
{
    const KyInfoItem& item_template = *lines_.front();
    return static_cast<float>(item_template.Left() + item_template.MinAvailableWidth());
}

float TlxInfoPanel::GetItemTop(const QString& sName) const
{
    try {
        if (KyInfoItem* line = ctlInfoItem(items_.Item(sName)->Index()))
            return static_cast<float>(line->Top());
    } catch (const forms::VbError&) {
    }
    return -1;
}

void TlxInfoPanel::setBackColor(OLE_COLOR color)
{
    back_color_ = color;
    update();
    ignoring_errors([&] { PropertyChanged(QStringLiteral("BackColor")); });
    lbl_title_->setBackColor(color);
    shp_border_->setBackColor(color);
    for (KyInfoItem* line : lines_)
        line->setBackColor(color);
}

void TlxInfoPanel::Resize()
{
    ignoring_errors([&] {
        lin_separator_->set_ends(lin_separator_->X1(), lin_separator_->Y1(), ScaleWidth() - lin_separator_->X1(),
                                 lin_separator_->Y2());
    });
    ignoring_errors([&] {
        shp_border_->Move(lin_separator_->X1(), shp_border_->Top(), lin_separator_->X2() - lin_separator_->X1(),
                          ScaleHeight() - shp_border_->Top());
    });
    for (std::size_t i = 1; i < lines_.size(); ++i) {
        ignoring_errors([&] {
            KyInfoItem& line = *lines_[i];
            line.Move(line.Left(), line.Top(), ScaleWidth() - 10 * Screen::TwipsPerPixelX(), line.Height());
            line.Refresh();
        });
    }
    ignoring_errors([&] {
        if (!Ambient().UserMode())
            raise_resize();
    });
}

void TlxInfoPanel::fit_border() { shp_border_->setHeight(ScaleHeight() - shp_border_->Top()); }

double TlxInfoPanel::panel_height() const { return has_site() ? Extender().Height() : Screen::to_twips_y(height()); }

void TlxInfoPanel::set_panel_height(double twips)
{
    if (has_site())
        Extender().setHeight(twips);
    else
        resize(width(), Screen::to_pixels_y(twips));
}

void TlxInfoPanel::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    painter.fillRect(rect(), forms::resolve_color(back_color_, palette()));
}

void TlxInfoPanel::mouseMoveEvent(QMouseEvent* event)
{
    short button = forms::mouse_buttons_held(*event);
    short shift = forms::shift_state(*event);
    float x = forms::twips_x(event->position().toPoint());
    float y = forms::twips_y(event->position().toPoint());
    ignoring_errors([&] { emit MouseMove(button, shift, x, y); });
}

void TlxInfoPanel::InitProperties()
{
    setTitleColor(default_title_color);
    setValueColor(forms::syscolor::ButtonText);
    setInfoBorderColor(default_border_color);
    setTitle(QString::fromLatin1(default_title));
    setRedraw(true);
    setIndentation(0);
    setBackColor(back_color_);
}

void TlxInfoPanel::ReadProperties(forms::PropertyBag& bag)
{
    setTitleColor(bag.ReadProperty(QStringLiteral("TitleColor"), default_title_color).toUInt());
    setValueColor(bag.ReadProperty(QStringLiteral("ValueColor"), forms::syscolor::ButtonText).toUInt());
    setInfoBorderColor(bag.ReadProperty(QStringLiteral("InfoBorderColor"), default_border_color).toUInt());
    setTitle(forms::CStr(bag.ReadProperty(QStringLiteral("Title"), QString::fromLatin1(default_title))));
    setRedraw(forms::CBool(bag.ReadProperty(QStringLiteral("Redraw"), true)));
    auto_redraw_ = forms::CBool(bag.ReadProperty(QStringLiteral("AutoRedraw"), false));
    setIndentation(forms::CSng(bag.ReadProperty(QStringLiteral("Indentation"), 0.0f)));
    setBackColor(bag.ReadProperty(QStringLiteral("BackColor"), back_color_).toUInt());
}

void TlxInfoPanel::WriteProperties(forms::PropertyBag& bag)
{
    bag.WriteProperty(QStringLiteral("TitleColor"), TitleColor(), default_title_color);
    bag.WriteProperty(QStringLiteral("ValueColor"), ValueColor(), forms::syscolor::ButtonText);
    bag.WriteProperty(QStringLiteral("InfoBorderColor"), InfoBorderColor(), default_border_color);
    bag.WriteProperty(QStringLiteral("Title"), Title(), QString::fromLatin1(default_title));
    bag.WriteProperty(QStringLiteral("Redraw"), redraw_, true);
    bag.WriteProperty(QStringLiteral("AutoRedraw"), auto_redraw_, false);
    bag.WriteProperty(QStringLiteral("Indentation"), indentation_, 0.0f);
    bag.WriteProperty(QStringLiteral("BackColor"), back_color_, forms::syscolor::ButtonFace);
}
