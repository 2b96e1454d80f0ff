#pragma once
// Label: a caption painted on the container. BackStyle 0 leaves the container showing through
// (transparent), 1 fills BackColor. AutoSize fits the control to its caption: with WordWrap
// the width stays and the height grows to the wrapped lines, without it both fit the text.
// Alignment 0 left, 1 right, 2 centre; "&" marks an access key unless UseMnemonic is False:
// its letter is underlined, and Alt with it moves the focus to the next control in tab order
// that can take it.
// A label names the control that follows it in tab order for assistive tools, when that
// control shows no caption of its own (a list, a box, a grid).

#include "platform/forms/intrinsics/intrinsic_control.h"

#include <QPointer>

namespace forms {

class UserControl;

class Label : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)
    Q_PROPERTY(int BackStyle READ BackStyle WRITE setBackStyle)
    Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool UseMnemonic READ UseMnemonic WRITE setUseMnemonic)

public:
    enum { Transparent = 0, Opaque = 1 };
    enum { LeftJustify = 0, RightJustify = 1, Center = 2 };

    Label(QWidget* container, const QString& name, const QString& caption = {});

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool AutoSize() const { return auto_size_; }
    void setAutoSize(bool on);
    bool WordWrap() const { return word_wrap_; }
    void setWordWrap(bool on);
    int BackStyle() const { return back_style_; }
    void setBackStyle(int style);
    int Alignment() const { return alignment_; }
    void setAlignment(int alignment);
    int BorderStyle() const { return border_style_; }
    void setBorderStyle(int style);
    bool UseMnemonic() const { return use_mnemonic_; }
    void setUseMnemonic(bool on);

    // Names `next` with this label's words from now on (none: no control); a control that
    // shows a caption of its own keeps its name.
    void name_next(QWidget* next);

protected:
    void access_key_pressed() override;
    void appearance_changed() override;
    void paintEvent(QPaintEvent* event) override;

private:
    int text_flags() const;
    QString shown_text() const;
    void give_name();
    void shown_text_changed();

    QString caption_;
    QPointer<IntrinsicControl> named_;
    QPointer<UserControl> named_control_; // a user control placed next (an up-down box)
    bool auto_size_ = false;
    bool word_wrap_ = false;
    int back_style_ = Opaque;
    int alignment_ = LeftJustify;
    int border_style_ = 0;
    bool use_mnemonic_ = true;
};

} // namespace forms
