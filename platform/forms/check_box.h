#pragma once
// CheckBox: Value 0 unchecked, 1 checked, 2 grayed. A click or Space moves 0 to 1 and 1 or 2
// to 0; every change of Value, by the user or by code, raises Click. A Value outside 0..2 is
// error 380.

#include "platform/forms/intrinsic_control.h"

namespace forms {

class CheckBox : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int Value READ Value WRITE setValue)

public:
    enum { Unchecked = 0, Checked = 1, Grayed = 2 };

    CheckBox(QWidget* container, const QString& name, const QString& caption = {});

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    int Value() const { return value_; }
    void setValue(int value);

protected:
    void access_key_pressed() override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void toggle() { setValue(value_ == Unchecked ? Checked : Unchecked); }

    QString caption_;
    int value_ = Unchecked;
};

} // namespace forms
