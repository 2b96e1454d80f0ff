#include "platform/forms/intrinsics/text_box.h"

#include "platform/forms/core/vb_error.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace forms {

namespace {

// Text holds CR LF between lines; the multi-line field holds LF.
QString to_field(const QString& text)
{
    QString lines = text;
    return lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

TextBox::TextBox(QWidget* container, const QString& name, bool multi_line)
    : IntrinsicControl(container, name, QAccessible::EditableText)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (multi_line) {
        lines_ = new QPlainTextEdit(this);
        lines_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lines_->setTabChangesFocus(true);
        connect(lines_, &QPlainTextEdit::textChanged, this, [this] {
            if (max_length_ > 0 && lines_->document()->characterCount() - 1 > max_length_) {
                QTextCursor cut(lines_->document());
                cut.setPosition(max_length_);
                cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
                cut.removeSelectedText();
                return;
            }
            emit Change();
        });
    } else {
        edit_ = new QLineEdit(this);
        connect(edit_, &QLineEdit::textChanged, this, [this] { emit Change(); });
    }
    layout->addWidget(field());
    forward_input_of(field());
    setBackColor(syscolor::WindowBackground);
    setForeColor(syscolor::WindowText);
}

QWidget* TextBox::field() const { return edit_ ? static_cast<QWidget*>(edit_) : static_cast<QWidget*>(lines_); }

QString TextBox::Text() const
{
    return edit_ ? edit_->text() : lines_->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void TextBox::setText(const QString& text)
{
    if (edit_)
        edit_->setText(text);
    else
        lines_->setPlainText(to_field(text));
}

void TextBox::setMaxLength(int length)
{
    if (length < 0)
        forms::raise(vberr::InvalidPropertyValue, QStringLiteral("TextBox"));
    max_length_ = length;
    if (edit_)
        edit_->setMaxLength(length == 0 ? 32767 : length);
    else if (length > 0 && lines_->document()->characterCount() - 1 > length)
        setText(Text().left(length));
}

bool TextBox::Locked() const { return edit_ ? edit_->isReadOnly() : lines_->isReadOnly(); }

void TextBox::setLocked(bool on)
{
    if (edit_)
        edit_->setReadOnly(on);
    else
        lines_->setReadOnly(on);
}

void TextBox::setAlignment(int alignment)
{
    static constexpr Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    if (alignment < 0 || alignment > 2)
        forms::raise(vberr::InvalidPropertyValue, QStringLiteral("TextBox"));
    alignment_ = alignment;
    if (edit_) {
        edit_->setAlignment(horizontal[alignment] | Qt::AlignVCenter);
        return;
    }
    QTextOption option = lines_->document()->defaultTextOption();
    option.setAlignment(horizontal[alignment]);
    lines_->document()->setDefaultTextOption(option);
}

// Selections of the multi-line field count positions in its own text, where a line break is
// one character; Text's CR LF is two, so the positions are given in the field's terms.
int TextBox::SelStart() const
{
    if (lines_)
        return lines_->textCursor().selectionStart();
    return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
}

void TextBox::setSelStart(int start)
{
    if (lines_) {
        QTextCursor cursor = lines_->textCursor();
        cursor.setPosition(std::clamp(start, 0, lines_->document()->characterCount() - 1));
        lines_->setTextCursor(cursor);
        return;
    }
    edit_->setCursorPosition(std::clamp(start, 0, static_cast<int>(edit_->text().size())));
}

int TextBox::SelLength() const
{
    if (lines_)
        return lines_->textCursor().selectionEnd() - lines_->textCursor().selectionStart();
    return edit_->hasSelectedText() ? edit_->selectionLength() : 0;
}

void TextBox::setSelLength(int length)
{
    const int start = SelStart();
    if (lines_) {
        QTextCursor cursor = lines_->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(start + std::clamp(length, 0, lines_->document()->characterCount() - 1 - start),
                           QTextCursor::KeepAnchor);
        lines_->setTextCursor(cursor);
        return;
    }
    edit_->setSelection(start, std::clamp(length, 0, static_cast<int>(edit_->text().size()) - start));
}

QString TextBox::SelText() const
{
    if (lines_)
        return lines_->textCursor().selection().toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return edit_->selectedText();
}

void TextBox::setSelText(const QString& text)
{
    if (edit_)
        edit_->insert(text);
    else
        lines_->insertPlainText(to_field(text));
}

void TextBox::appearance_changed()
{
    QWidget* edit = field();
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base, back_qcolor());
    colours.setColor(QPalette::Text, fore_qcolor());
    // A box that cannot be used (itself or its container disabled) must not look editable.
    colours.setColor(QPalette::Disabled, QPalette::Base, resolve_color(syscolor::ButtonFace, colours));
    colours.setColor(QPalette::Disabled, QPalette::Text, resolve_color(syscolor::GrayText, QGuiApplication::palette()));
    edit->setPalette(colours);
    edit->setFont(QWidget::font());
}

void TextBox::retype(short key_ascii)
{
    if (!Locked() && key_ascii >= 32)
        setSelText(QString(QChar(key_ascii)));
}

bool TextBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field() && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            bool cancel = false;
            emit Validate(cancel);
            if (cancel)
                QTimer::singleShot(0, field(), [edit = field()] { edit->setFocus(Qt::OtherFocusReason); });
        }
    }
    return IntrinsicControl::eventFilter(watched, event);
}

} // namespace forms
