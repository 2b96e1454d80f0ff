#pragma once
// OptionButton: the option buttons of one container form a group; setting Value True (by a
// click, Space or code) clears the others of the group and raises Click.

#include "platform/forms/intrinsic_control.h"

namespace forms {

class OptionButton : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Value READ Value WRITE setValue)

public:
    OptionButton(QWidget* container, const QString& name, const QString& caption = {});

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool Value() const { return value_; }
    void setValue(bool on);

protected:
    void access_key_pressed() override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString caption_;
    bool value_ = false;
};

} // namespace forms
