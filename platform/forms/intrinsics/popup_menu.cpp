#include "platform/forms/intrinsics/popup_menu.h"

#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/core/vb_error.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace forms {

PopupMenu::PopupMenu(const QString& name, QObject* parent) : QObject(parent), menu_(std::make_unique<QMenu>())
{
    setObjectName(name);
    menu_->setObjectName(name);
}

void PopupMenu::setCaption(const QString& caption)
{
    caption_ = caption;
    menu_->setAccessibleName(strip_mnemonic(caption));
}

PopupMenu::~PopupMenu() = default;

int PopupMenu::AddItem(const QString& caption)
{
    const int index = Count();
    QAction* action = menu_->addAction(caption);
    connect(action, &QAction::triggered, this, [this, index] { emit Click(index); });
    return index;
}

int PopupMenu::Count() const { return static_cast<int>(menu_->actions().size()); }

QString PopupMenu::Caption(int index) const
{
    if (index < 0 || index >= Count())
        forms::raise(vberr::SubscriptOutOfRange, Name());
    return menu_->actions().at(index)->text();
}

void PopupMenu::Popup(QWidget* near)
{
    QPoint at = QCursor::pos();
    if (near != nullptr && !near->rect().contains(near->mapFromGlobal(at)))
        at = near->mapToGlobal(QPoint(0, 0));
    ++popups_;
    menu_->popup(at);
}

bool PopupMenu::is_open() const { return menu_->isVisible(); }

void PopupMenu::choose(int index)
{
    if (index < 0 || index >= Count())
        forms::raise(vberr::SubscriptOutOfRange, Name());
    menu_->hide();
    menu_->actions().at(index)->trigger();
}

} // namespace forms
