#pragma once
// The four-column button editor both button-set pages share (the page control's ButtonsSet and
// the navigator's default button set): per button Left, Left Middle, Right Middle and Right a
// preview button framed by four lines, its caption, rule, Visible, Enabled, Default and Cancel,
// all inside one frame of the page. It keeps the editing rules: a rule other than None shows
// on one button only (choosing None marks nothing), one Default and one Cancel box at most,
// and the previews follow the caption, Visible and Enabled fields. Each page loads and writes
// the columns from its own control's members.

#include <QObject>
#include <QString>

#include <array>

namespace forms {
class CheckBox;
class ComboBox;
class CommandButton;
class Frame;
class Line;
class PropertyPage;
class TextBox;
} // namespace forms

class ButtonSetEditor : public QObject {
    Q_OBJECT
public:
    static constexpr int kButtons = 4;

    // The tops (twips within the frame) of the field rows below the previews, per column
    // where the rows do not run straight.
    struct Rows {
        double caption;
        double rule;
        double visible;
        std::array<double, kButtons> enabled;
        double is_default;
        std::array<double, kButtons> cancel;
    };

    // Builds the columns in `frame`; `page` is the page they mark changed. The preview buttons
    // take the names of the control's button properties, given from left to right.
    ButtonSetEditor(forms::PropertyPage& page, forms::Frame& frame, const std::array<QString, kButtons>& buttons,
                    const Rows& rows);

    forms::CommandButton& preview(int button) const { return *columns_[button].preview; }
    forms::TextBox& caption(int button) const { return *columns_[button].caption; }
    forms::ComboBox& rule(int button) const { return *columns_[button].rule; }
    forms::CheckBox& visible(int button) const { return *columns_[button].visible; }
    forms::CheckBox& enabled(int button) const { return *columns_[button].enabled; }
    forms::CheckBox& isDefault(int button) const { return *columns_[button].is_default; }
    forms::CheckBox& cancel(int button) const { return *columns_[button].cancel; }
    // Side 0 left, 1 top, 2 right, 3 bottom of a preview's frame.
    forms::Line& frame_line(int button, int side) const { return *columns_[button].lines[side]; }

    // Loading a column goes through the fields' notifications, as a user's edit does: the
    // preview follows, and a loaded rule, Default or Cancel keeps its column unique.
    void show_visible(int button, bool on);
    void show_enabled(int button, bool on);
    // The column whose Default (Cancel) box is checked, or -1 when none is.
    int default_column() const { return checked_column(&Column::is_default); }
    int cancel_column() const { return checked_column(&Column::cancel); }
    // Places the frame lines around the previews at the screen's twips per pixel.
    void place_frame_lines() const;
    // Keys on a closed rule list walk its items one by one; only the item the designer ends
    // on is a choice. That choice keeps its rule unique when the list loses the focus, or here
    // (the pages call it before they write), never for the items walked past.
    void commit_rule();

private:
    struct Column {
        forms::CommandButton* preview;
        forms::TextBox* caption;
        forms::ComboBox* rule;
        forms::CheckBox* visible;
        forms::CheckBox* enabled;
        forms::CheckBox* is_default;
        forms::CheckBox* cancel;
        std::array<forms::Line*, 4> lines;
    };
    void build_column(forms::Frame& frame, int button, const QString& code, double left, const Rows& rows);
    void rule_clicked(int button);
    void exclusive_clicked(forms::CheckBox* Column::*box, int button);
    int checked_column(forms::CheckBox* Column::*box) const;

    forms::PropertyPage& page_;
    std::array<QString, kButtons> buttons_;
    // The rule list a key is being handled on, and the one whose walked-to item is not yet
    // committed; -1 for none.
    int stepping_rule_ = -1;
    int pending_rule_ = -1;
    std::array<Column, kButtons> columns_{};
};
