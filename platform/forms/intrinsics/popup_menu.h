#pragma once
// PopupMenu: a menu that is not on a menu bar, popped up as a context menu (the runtime's
// PopupMenu statement). Its items are counted from 0 like a menu control array; choosing one
// raises Click(index). Popup opens the menu at the mouse pointer when it lies over `near`,
// else at that control's top left corner, and returns at once: the choice arrives later.

#include <QObject>
#include <QString>

#include <memory>

class QMenu;
class QWidget;

namespace forms {

class PopupMenu : public QObject {
    Q_OBJECT

public:
    explicit PopupMenu(const QString& name, QObject* parent = nullptr);
    ~PopupMenu() override;

    QString Name() const { return objectName(); }
    // The words assistive tools announce the menu by ("&" marks an access key, dropped there);
    // a menu without one is announced by nothing rather than by its Name.
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    // Adds an item ("&" marks its access key) and returns its index.
    int AddItem(const QString& caption);
    int Count() const;
    QString Caption(int index) const;

    void Popup(QWidget* near);
    bool is_open() const;
    // What a user does: chooses the item (the menu closes first).
    void choose(int index);
    // How many times the menu was popped up.
    int popups() const { return popups_; }

signals:
    void Click(int index);

private:
    std::unique_ptr<QMenu> menu_;
    int popups_ = 0;
    QString caption_;
};

} // namespace forms
