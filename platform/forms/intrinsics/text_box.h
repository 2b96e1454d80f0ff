#pragma once
// TextBox: one line of editable text. Change follows every change of Text, typed or set by
// code; KeyPress hands KeyAscii by reference (0 swallows the character, another code types
// that one instead); Validate(Cancel) runs when the focus leaves, and Cancel keeps the focus.
// Locked makes the text read-only, MaxLength 0 means no limit. Alignment 0 left, 1 right,
// 2 centre (another value is error 380). A MultiLine box (chosen when it is made) holds lines
// (CR LF between them in Text) and wraps them, with a vertical scroll bar as it needs. SelStart, SelLength and SelText
// work on the selection.

#include "platform/forms/intrinsics/intrinsic_control.h"

class QLineEdit;
class QPlainTextEdit;

namespace forms {

class TextBox : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)
    Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool MultiLine READ MultiLine)
    Q_PROPERTY(int SelStart READ SelStart WRITE setSelStart STORED false)
    Q_PROPERTY(int SelLength READ SelLength WRITE setSelLength STORED false)
    Q_PROPERTY(QString SelText READ SelText WRITE setSelText STORED false)

public:
    TextBox(QWidget* container, const QString& name, bool multi_line = false);

    QString Text() const;
    void setText(const QString& text);
    int MaxLength() const { return max_length_; }
    // Text longer than a new limit is cut to it. Below 0 is error 380.
    void setMaxLength(int length);
    bool Locked() const;
    void setLocked(bool on);
    int Alignment() const { return alignment_; }
    bool MultiLine() const { return lines_ != nullptr; }
    void setAlignment(int alignment);
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString& text);

signals:
    void Change();
    void Validate(bool& Cancel);

protected:
    void appearance_changed() override;
    void retype(short key_ascii) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The edit field: one line, or several (then edit_ is null).
    QWidget* field() const;
    QLineEdit* edit_ = nullptr;
    QPlainTextEdit* lines_ = nullptr;
    int max_length_ = 0;
    int alignment_ = 0;
};

} // namespace forms
