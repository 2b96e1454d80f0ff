#pragma once
// KyLabel: a label whose disabled state is drawn engraved: the text in the button-shadow grey
// with a copy in the 3-D highlight colour one pixel right and below. Two transparent labels
// stacked in the control draw it, lblFront (the text and the source of every mouse event)
// over lblBack (the highlight copy, shown only while disabled).

#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/hosting/user_control.h"

#include <QString>

#include <cstdint>

namespace forms {
class Label;
}

enum en_Alignment : std::int32_t { kyLeftJustify = 0, kyRightJustify = 1, kyCenter = 2 };

class KyLabel : public forms::UserControl {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "KyComCtl.KyLabel")
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(forms::FontRef Font READ Font WRITE setFont)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(forms::PictureRef MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(bool Visible READ visible_property WRITE set_visible_property)

public:
    KyLabel();
    ~KyLabel() override;

    QString Caption() const { return caption_; }
    void setCaption(const QString& value);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool value);
    OLE_COLOR BackColor() const { return back_color_; }
    void setBackColor(OLE_COLOR color);
    OLE_COLOR ForeColor() const { return fore_color_; }
    void setForeColor(OLE_COLOR color);
    forms::FontRef Font() const;
    void setFont(const forms::FontRef& font);
    bool AutoSize() const { return auto_size_; }
    void setAutoSize(bool value);
    std::int32_t Alignment() const;
    void setAlignment(std::int32_t value);
    std::int32_t MousePointer() const { return mouse_pointer_; }
    void setMousePointer(std::int32_t value);
    forms::PictureRef MouseIcon() const { return mouse_icon_; }
    void setMouseIcon(const forms::PictureRef& picture);
    // The extender's Visible (QWidget::setVisible stays the widget's own).
    bool visible_property() const;
    void set_visible_property(bool value);

    forms::Label& lblFront() const { return *lbl_front_; }
    forms::Label& lblBack() const { return *lbl_back_; }

    std::span<const forms::StoredChoice> stored_choices() const override;

signals:
    void MouseDown(short& Button, short& Shift, float& X, float& Y);
    void Click();
    void DblClick();
    void MouseMove(short& Button, short& Shift, float& X, float& Y);
    void MouseUp(short& Button, short& Shift, float& X, float& Y);

protected:
    void InitProperties() override;
    void ReadProperties(forms::PropertyBag& bag) override;
    void WriteProperties(forms::PropertyBag& bag) override;
    void Resize() override;
    void paintEvent(QPaintEvent* event) override;
    // The extender's Enabled reaches the widget directly: take it through the setter.
    void changeEvent(QEvent* event) override;

private:
    void show_front_color();
    void apply_cursor();
    void AdjustSize();
    forms::FontRef ambient_font() const;
    OLE_COLOR ambient_back_color() const;

    QString caption_;
    bool enabled_ = false;
    std::int32_t offset_x_;
    std::int32_t offset_y_;
    bool auto_size_ = false;
    bool font_changing_ = false;
    std::int32_t mouse_pointer_ = 0;
    forms::PictureRef mouse_icon_;
    OLE_COLOR fore_color_ = 0;
    OLE_COLOR back_color_ = forms::syscolor::ButtonFace;

    forms::Label* lbl_back_;
    forms::Label* lbl_front_;
};
