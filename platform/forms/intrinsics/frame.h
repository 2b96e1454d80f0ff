#pragma once
// Frame: a container drawn as an etched rectangle with its caption over the top edge (no
// caption: an unbroken edge; a frame only a few pixels high is an etched separator line).
// BorderStyle 0 draws no edge.

#include "platform/forms/intrinsics/intrinsic_control.h"

namespace forms {

class Frame : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)

public:
    Frame(QWidget* container, const QString& name, const QString& caption = {});

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    int BorderStyle() const { return border_style_; }
    void setBorderStyle(int style);
    // A frame without a caption or controls is a separator line, no node for assistive tools.
    bool accessible_hidden() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    int border_style_ = 1;
};

} // namespace forms
