#include "controls/wizard/button_set_editor.h"

#include "controls/display/page_fields.h"
#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/line.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/pages/property_page.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/intrinsics/text_box.h"

#include <QApplication>

namespace {

constexpr double kColumnWidth = 1065;

const char* const kRules[] = {"None", "Back", "Next", "Cancel", "Help", "Exit", "Finish"};

} // namespace

ButtonSetEditor::ButtonSetEditor(forms::PropertyPage& page, forms::Frame& frame,
                                 const std::array<QString, kButtons>& buttons, const Rows& rows)
    : QObject(&page), page_(page), buttons_(buttons)
{
    auto row_label = [&frame](const QString& name, const QString& text, double top) {
        auto* label = new forms::Label(&frame, name, text);
        label->Move(120, top + 30, 700, 255);
    };
    row_label(QStringLiteral("lblCaption"), QStringLiteral("Caption"), rows.caption);
    row_label(QStringLiteral("lblRule"), QStringLiteral("Rule:"), rows.rule);
    const char* const codes[] = {"LB", "LMB", "RMB", "RB"};
    const double lefts[] = {840, 2100, 3180, 4470};
    for (int b = 0; b < kButtons; ++b)
        build_column(frame, b, QString::fromLatin1(codes[b]), lefts[b], rows);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (pending_rule_ < 0)
            return;
        const forms::ComboBox* list = columns_[pending_rule_].rule;
        const auto inside = [list](const QWidget* w) {
            return w != nullptr && (w == static_cast<const QWidget*>(list) || list->isAncestorOf(w));
        };
        if (inside(old) && !inside(now))
            commit_rule();
    });
}

void ButtonSetEditor::build_column(forms::Frame& frame, int b, const QString& code, double left, const Rows& rows)
{
    Column& c = columns_[b];
    c.preview = new forms::CommandButton(&frame, buttons_[b], QStringLiteral("Command1"));
    c.preview->Move(left, 240, kColumnWidth, 345);
    // The preview shows the button as it will look; it is not a control of the page.
    c.preview->setFocusPolicy(Qt::NoFocus);
    c.caption = new forms::TextBox(&frame, QStringLiteral("txt%1Caption").arg(code));
    c.caption->Move(left, rows.caption, kColumnWidth, 285);
    c.caption->set_label_name(QStringLiteral("%1 caption").arg(buttons_[b]));
    c.rule = new forms::ComboBox(&frame, QStringLiteral("cbo%1Rule").arg(code), forms::ComboBox::DropdownList);
    c.rule->Move(left, rows.rule, kColumnWidth, 315);
    c.rule->set_label_name(QStringLiteral("%1 rule").arg(buttons_[b]));
    for (const char* rule : kRules)
        c.rule->AddItem(QString::fromLatin1(rule));
    auto check = [&](const char* what, double top) {
        auto* box = new forms::CheckBox(&frame, QStringLiteral("chk%1%2").arg(code, QLatin1String(what)),
                                        QString::fromLatin1(what));
        box->Move(left, top, kColumnWidth, 255);
        box->setAccessibleName(QStringLiteral("%1 %2").arg(buttons_[b], QLatin1String(what)));
        return box;
    };
    c.visible = check("Visible", rows.visible);
    c.enabled = check("Enabled", rows.enabled[b]);
    c.is_default = check("Default", rows.is_default);
    c.cancel = check("Cancel", rows.cancel[b]);

    // The frame lines are named after two letters of the button: LL, LM, RM, RR.
    const QString letters = code.left(1) + code.mid(code.size() - 2, 1);
    const char* const sides[] = {"Left", "Top", "Right", "Bottom"};
    for (int s = 0; s < 4; ++s) {
        c.lines[s] = new forms::Line(&frame, QStringLiteral("L%1%2").arg(letters, QLatin1String(sides[s])));
        c.lines[s]->setBorderColor(forms::syscolor::ButtonDarkShadow);
    }

    connect(c.caption, &forms::TextBox::Change, this, [this, b] {
        columns_[b].preview->setCaption(columns_[b].caption->Text());
        page_.setChanged(true);
    });
    connect(c.rule, &forms::IntrinsicControl::Click, this, [this, b] { rule_clicked(b); });
    connect(c.rule, &forms::IntrinsicControl::KeyDown, this, [this, b](short&, short&) { stepping_rule_ = b; });
    connect(c.rule, &forms::IntrinsicControl::KeyUp, this, [this](short&, short&) { stepping_rule_ = -1; });
    connect(c.visible, &forms::IntrinsicControl::Click, this, [this, b] {
        columns_[b].preview->setVisible(page_fields::checked(*columns_[b].visible));
        page_.setChanged(true);
    });
    connect(c.enabled, &forms::IntrinsicControl::Click, this, [this, b] {
        columns_[b].preview->setEnabled(page_fields::checked(*columns_[b].enabled));
        page_.setChanged(true);
    });
    connect(c.is_default, &forms::IntrinsicControl::Click, this,
            [this, b] { exclusive_clicked(&Column::is_default, b); });
    connect(c.cancel, &forms::IntrinsicControl::Click, this, [this, b] { exclusive_clicked(&Column::cancel, b); });
}

void ButtonSetEditor::rule_clicked(int b)
{
    const int index = columns_[b].rule->ListIndex();
    if (b == stepping_rule_) {
        // A key walked the list to this item: an edit, but not yet the designer's choice.
        pending_rule_ = b;
        if (index > 0)
            page_.setChanged(true);
        return;
    }
    // None may show on several buttons, and choosing it is no edit.
    if (index <= 0)
        return;
    for (int other = 0; other < kButtons; ++other)
        if (other != b && columns_[other].rule->ListIndex() == index)
            columns_[other].rule->setListIndex(0);
    page_.setChanged(true);
}

void ButtonSetEditor::commit_rule()
{
    // The focus can leave on the very key that is being handled (Tab).
    const int b = pending_rule_;
    pending_rule_ = -1;
    stepping_rule_ = -1;
    if (b >= 0)
        rule_clicked(b);
}

void ButtonSetEditor::exclusive_clicked(forms::CheckBox* Column::*box, int b)
{
    if (page_fields::checked(*(columns_[b].*box)))
        for (int other = 0; other < kButtons; ++other)
            if (other != b)
                (columns_[other].*box)->setValue(forms::CheckBox::Unchecked);
    page_.setChanged(true);
}

void ButtonSetEditor::show_visible(int b, bool on)
{
    columns_[b].preview->setVisible(on);
    columns_[b].visible->setValue(on ? forms::CheckBox::Checked : forms::CheckBox::Unchecked);
}

void ButtonSetEditor::show_enabled(int b, bool on)
{
    columns_[b].preview->setEnabled(on);
    columns_[b].enabled->setValue(on ? forms::CheckBox::Checked : forms::CheckBox::Unchecked);
}

int ButtonSetEditor::checked_column(forms::CheckBox* Column::*box) const
{
    for (int b = 0; b < kButtons; ++b)
        if (page_fields::checked(*(columns_[b].*box)))
            return b;
    return -1;
}

void ButtonSetEditor::place_frame_lines() const
{
    for (const Column& c : columns_) {
        const double px = forms::Screen::TwipsPerPixelX();
        const double py = forms::Screen::TwipsPerPixelY();
        const double l = c.preview->Left(), t = c.preview->Top(), w = c.preview->Width(), h = c.preview->Height();
        forms::Line& left = *c.lines[0];
        forms::Line& top = *c.lines[1];
        forms::Line& right = *c.lines[2];
        forms::Line& bottom = *c.lines[3];
        left.set_ends(l - px, t, l - px, t + h);
        top.set_ends(l, left.Y1() - py, l + w, left.Y1() - py);
        right.set_ends(top.X2(), top.Y2(), top.X2(), t + h);
        bottom.set_ends(left.X1(), left.Y1() + h, top.X2(), right.Y2());
    }
}
