#include "platform/forms/text_box.h"

#include "platform/forms/vb_error.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace forms {

TextBox::TextBox(QWidget* container, const QString& name)
    : IntrinsicControl(container, name, QAccessible::EditableText)
    , edit_(new QLineEdit(this))
{
    setBackColor(syscolor::WindowBackground);
    setForeColor(syscolor::WindowText);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_);
    edit_->setAccessibleName(name);
    connect(edit_, &QLineEdit::textChanged, this, [this] { emit Change(); });
    forward_input_of(edit_);
}

QString TextBox::Text() const { return edit_->text(); }
void TextBox::setText(const QString& text) { edit_->setText(text); }

void TextBox::setMaxLength(int length)
{
    if (length < 0)
        forms::raise(vberr::InvalidPropertyValue, QStringLiteral("TextBox"));
    max_length_ = length;
    edit_->setMaxLength(length == 0 ? 32767 : length);
}

bool TextBox::Locked() const { return edit_->isReadOnly(); }
void TextBox::setLocked(bool on) { edit_->setReadOnly(on); }

int TextBox::SelStart() const
{
    return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
}

void TextBox::setSelStart(int start)
{
    edit_->setCursorPosition(std::clamp(start, 0, static_cast<int>(edit_->text().size())));
}

int TextBox::SelLength() const { return edit_->hasSelectedText() ? edit_->selectionLength() : 0; }

void TextBox::setSelLength(int length)
{
    const int start = SelStart();
    edit_->setSelection(start, std::clamp(length, 0, static_cast<int>(edit_->text().size()) - start));
}

QString TextBox::SelText() const { return edit_->selectedText(); }
void TextBox::setSelText(const QString& text) { edit_->insert(text); }

void TextBox::appearance_changed()
{
    QPalette colours = edit_->palette();
    colours.setColor(QPalette::Base, back_qcolor());
    colours.setColor(QPalette::Text, fore_qcolor());
    edit_->setPalette(colours);
    edit_->setFont(QWidget::font());
}

void TextBox::retype(short key_ascii)
{
    if (!Locked() && key_ascii >= 32)
        edit_->insert(QString(QChar(key_ascii)));
}

bool TextBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            bool cancel = false;
            emit Validate(cancel);
            if (cancel)
                QTimer::singleShot(0, edit_, [edit = edit_] { edit->setFocus(Qt::OtherFocusReason); });
        }
    }
    return IntrinsicControl::eventFilter(watched, event);
}

} // namespace forms
