#pragma once
// KyUpDown: a numeric entry box, a text box with a pair of spin buttons at its right edge.
// The spin buttons hold the number (Value within Min..Max, Increment, Wrap); the text box
// shows it. Up and Down arrow keys step the value, a typed text is checked when the user
// leaves the box (kept within the range, rounded half to even), and Change is raised when
// the value differs from the one last seen. Errors are shown in the box's own message
// ("Class: KyUpDown", "Procedure: ...") and never reach the host.

#include "platform/forms/core/std_font.h"
#include "platform/forms/hosting/user_control.h"

#include <QString>

#include <cstdint>

class SpinButtons;
namespace forms {
class TextBox;
}

class KyUpDown : public forms::UserControl {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "KyComCtl.KyUpDown")
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(int Increment READ Increment WRITE setIncrement)
    Q_PROPERTY(forms::FontRef Font READ Font WRITE setFont)
    Q_PROPERTY(bool Wrap READ Wrap WRITE setWrap)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)

public:
    KyUpDown();
    ~KyUpDown() override;

    std::int32_t Value() const;
    void setValue(std::int32_t value);
    std::int32_t Min() const;
    void setMin(std::int32_t value);
    std::int32_t Max() const;
    void setMax(std::int32_t value);
    std::int32_t Alignment() const;
    void setAlignment(std::int32_t value);
    std::int32_t Increment() const;
    // Stores the absolute value.
    void setIncrement(std::int32_t value);
    forms::FontRef Font() const;
    void setFont(const forms::FontRef& font);
    bool Wrap() const;
    void setWrap(bool value);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool value);

    forms::TextBox& txtSpin() const { return *txt_spin_; }
    // The label before the box names it; the text box, which takes the focus, is read so.
    void set_label_name(const QString& words) override;
    SpinButtons& spinCtl() const { return *spin_ctl_; }

signals:
    void Change();
    void DownClick();
    void UpClick();
    void MouseDown(short& Button, short& Shift, float& x, float& y);
    void MouseMove(short& Button, short& Shift, float& x, float& y);
    void MouseUp(short& Button, short& Shift, float& x, float& y);

protected:
    void InitProperties() override;
    void ReadProperties(forms::PropertyBag& bag) override;
    void WriteProperties(forms::PropertyBag& bag) override;
    void Resize() override;
    // The text box taking the focus: the tool tip and the whole text selected.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // A disabled up-down keeps its widget enabled, so its text stays readable and
    // selectable; a widget disabled directly is taken through the setter the same way.
    void changeEvent(QEvent* event) override;

private:
    void spin_changed();
    void key_down(short key_code);
    void check_text();
    void take_tool_tip();
    void update_max_length();
    forms::FontRef ambient_font() const;

    std::int32_t last_value_ = 0;
    QString trimmed_text_;
    bool loading_ = false;
    bool enabled_ = true;
    QString layout_step_;

    forms::TextBox* txt_spin_;
    SpinButtons* spin_ctl_;
};
