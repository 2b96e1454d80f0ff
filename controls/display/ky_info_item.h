#pragma once
// KyInfoItem: one line of the information panel, private to the library: a bold name in a
// column of fixed width and a bold value to its right. A value too wide for the line is cut
// short and followed by an underlined blue "Full info..." link that opens the whole value in
// the detail window frmInfo. The panel places the line in twips (Move) and drives it only
// through the members below.

#include "platform/forms/core/ole_color.h"
#include "platform/forms/hosting/user_control.h"

#include <QRectF>
#include <QString>

namespace forms {
class Label;
}

class KyInfoItem : public forms::UserControl {
    Q_OBJECT
    Q_PROPERTY(uint TitleColor READ TitleColor WRITE setTitleColor)
    Q_PROPERTY(uint ValueColor READ ValueColor WRITE setValueColor)
    Q_PROPERTY(QString AttributeName READ AttributeName WRITE setAttributeName)
    Q_PROPERTY(QString Value READ Value WRITE setValue)
    Q_PROPERTY(float Indentation READ Indentation WRITE setIndentation)
    Q_PROPERTY(float MinAvailableWidth READ MinAvailableWidth)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)

public:
    KyInfoItem();
    ~KyInfoItem() override;

    OLE_COLOR TitleColor() const;
    void setTitleColor(OLE_COLOR color);
    OLE_COLOR ValueColor() const;
    void setValueColor(OLE_COLOR color);
    QString AttributeName() const;
    void setAttributeName(const QString& name);
    QString Value() const;
    // The value text, measured as one line (each CR LF as two spaces).
    void setValue(const QString& value);
    float Indentation() const { return indentation_; }
    // Moves the value column; the value is not arranged again until the next Refresh or resize.
    void setIndentation(float twips);
    Q_INVOKABLE void Refresh();
    // The narrowest line that still shows the link: the value's Left, the link and 3 px.
    float MinAvailableWidth() const;
    OLE_COLOR BackColor() const { return back_color_; }
    void setBackColor(OLE_COLOR color);

    // The line's place in its panel, in twips kept exactly as set (a Top of 937.5 stays).
    void Move(double left, double top, double width, double height);
    double Left() const { return twips_.left(); }
    double Top() const { return twips_.top(); }
    double Width() const { return twips_.width(); }
    double Height() const { return twips_.height(); }

    forms::Label& lblAttribute() const { return *lbl_attribute_; }
    forms::Label& lblValue() const { return *lbl_value_; }
    forms::Label& lblFullInfo() const { return *lbl_full_info_; }
    forms::Label& lblCheck() const { return *lbl_check_; }

protected:
    void ReadProperties(forms::PropertyBag& bag) override;
    void WriteProperties(forms::PropertyBag& bag) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ArrangeValue();
    void show_full_info();

    float indentation_ = 0;
    OLE_COLOR back_color_ = forms::syscolor::ButtonFace;
    QRectF twips_;
    forms::Label* lbl_attribute_;
    forms::Label* lbl_value_;
    forms::Label* lbl_full_info_;
    forms::Label* lbl_check_;
};
