#include "platform/forms/intrinsics/label.h"

#include "platform/forms/intrinsics/captioned_control.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/hosting/user_control.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace forms {

Label::Label(QWidget* container, const QString& name, const QString& caption)
    : IntrinsicControl(container, name, QAccessible::StaticText)
{
    setCaption(caption);
}

void Label::setCaption(const QString& caption)
{
    caption_ = caption;
    shown_text_changed();
}

// The caption or the mnemonic rule changed: the words shown, the name of the label and of the
// control it names, and the access key all follow.
void Label::shown_text_changed()
{
    setAccessibleName(shown_text());
    give_name();
    set_access_key(use_mnemonic_ ? caption_ : QString());
    appearance_changed();
}

void Label::access_key_pressed()
{
    // The control this label names is the one it stands for, wherever a form built in code
    // put it in the focus chain.
    if (named_ && named_->isVisible() && named_->isEnabled() && named_->window() == window()) {
        named_->setFocus(Qt::ShortcutFocusReason);
        if (named_->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == named_)
            return;
    }
    for (QWidget* w = nextInFocusChain(); w != nullptr && w != this; w = w->nextInFocusChain())
        if (w->window() == window() && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) {
            w->setFocus(Qt::ShortcutFocusReason);
            return;
        }
}

void Label::name_next(QWidget* next)
{
    auto* control = qobject_cast<IntrinsicControl*>(next);
    if (qobject_cast<Label*>(control) || qobject_cast<CaptionedControl*>(control) || qobject_cast<Frame*>(control))
        control = nullptr;
    auto* user_control = qobject_cast<UserControl*>(next);
    if (control == named_ && user_control == named_control_)
        return;
    if (named_)
        named_->set_label_name(QString());
    named_ = control;
    named_control_ = user_control;
    give_name();
}

void Label::give_name()
{
    if (!named_ && !named_control_)
        return;
    QString words = shown_text().trimmed();
    if (words.endsWith(u':'))
        words.chop(1);
    if (named_)
        named_->set_label_name(words);
    if (named_control_)
        named_control_->set_label_name(words);
}

void Label::setAutoSize(bool on)
{
    auto_size_ = on;
    appearance_changed();
}

void Label::setWordWrap(bool on)
{
    word_wrap_ = on;
    appearance_changed();
}

void Label::setBackStyle(int style)
{
    back_style_ = style == Transparent ? Transparent : Opaque;
    update();
}

void Label::setAlignment(int alignment)
{
    alignment_ = alignment;
    update();
}

void Label::setBorderStyle(int style)
{
    border_style_ = style;
    appearance_changed();
}

void Label::setUseMnemonic(bool on)
{
    use_mnemonic_ = on;
    shown_text_changed();
}

QString Label::shown_text() const { return use_mnemonic_ ? strip_mnemonic(caption_) : caption_; }

int Label::text_flags() const
{
    int flags = Qt::AlignTop;
    flags |= alignment_ == RightJustify ? Qt::AlignRight : alignment_ == Center ? Qt::AlignHCenter : Qt::AlignLeft;
    if (word_wrap_)
        flags |= Qt::TextWordWrap;
    // The caption is drawn as stored: with its marks, Qt underlines the access key's letter
    // and shows "&&" as one "&".
    if (use_mnemonic_)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

void Label::appearance_changed()
{
    if (auto_size_) {
        // The size the caption needs, in twips; a border adds its pixel each side.
        const QFontMetrics metrics(QWidget::font());
        const int border = border_style_ != 0 ? 2 : 0;
        const int width_px = word_wrap_ ? std::max(1, Screen::to_pixels_x(Width()) - border) : 100000;
        QRect needed = metrics.boundingRect(QRect(0, 0, width_px, 100000), text_flags(), caption_);
        if (caption_.isEmpty())
            needed.setHeight(metrics.height());
        const double width = word_wrap_ ? Width() : (needed.width() + border) * Screen::TwipsPerPixelX();
        const double height = (needed.height() + border) * Screen::TwipsPerPixelY();
        set_twips_rect(QRectF(Left(), Top(), width, height));
    }
    update();
}

void Label::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    if (back_style_ == Opaque)
        painter.fillRect(rect(), back_qcolor());
    QRect inner = rect();
    if (border_style_ != 0) {
        painter.setPen(resolve_color(syscolor::WindowFrame, palette()));
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
        inner.adjust(1, 1, -1, -1);
    }
    painter.setPen(Enabled() ? fore_qcolor() : resolve_color(syscolor::GrayText, palette()));
    painter.setFont(QWidget::font());
    painter.drawText(inner, text_flags(), caption_);
}

} // namespace forms
