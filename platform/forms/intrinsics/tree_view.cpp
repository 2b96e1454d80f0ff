#include "platform/forms/intrinsics/tree_view.h"

#include "platform/forms/intrinsics/image_list.h"
#include "platform/forms/core/vb_error.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <vector>

namespace forms {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kTagRole = Qt::UserRole + 1;
constexpr int kImageRole = Qt::UserRole + 2;
constexpr int kSelectedImageRole = Qt::UserRole + 3;

// Hands the text of a finished in-place edit to the tree instead of writing it into the
// item: the tree raises AfterLabelEdit first, and its handler may rebuild every node. The
// hand-over waits for the view to close its editor.
class LabelEditDelegate : public QStyledItemDelegate {
public:
    explicit LabelEditDelegate(TreeView& view) : QStyledItemDelegate(&view), view_(&view) {}

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        const auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line)
            return;
        const QString key = index.data(kKeyRole).toString();
        const QString text = line->text();
        QPointer<TreeView> view = view_;
        QTimer::singleShot(0, view_, [view, key, text] {
            if (view)
                view->finish_label_edit(key, text);
        });
    }

private:
    TreeView* view_;
};

} // namespace

TreeView::TreeView(QWidget* container, const QString& name)
    : IntrinsicControl(container, name, QAccessible::Tree), tree_(new QTreeWidget(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree_);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setRootIsDecorated(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    tree_->setItemDelegate(new LabelEditDelegate(*this));
    tree_->viewport()->installEventFilter(this);
    tree_->installEventFilter(this);
    setFocusProxy(tree_);
    connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { emit Expand(key_of(item)); });
    connect(tree_, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) { emit Collapse(key_of(item)); });
}

TreeView::~TreeView() = default;

QTreeWidgetItem* TreeView::find(const QString& key) const
{
    return key.isEmpty() ? nullptr : nodes_.value(key, nullptr);
}

QTreeWidgetItem* TreeView::item(const QString& key) const
{
    QTreeWidgetItem* found = find(key);
    if (!found)
        forms::raise(kTreeElementNotFound, QStringLiteral("TreeView"),
                     QStringLiteral("Element not found: \"%1\"").arg(key));
    return found;
}

QString TreeView::key_of(const QTreeWidgetItem* item) const
{
    return item ? item->data(0, kKeyRole).toString() : QString();
}

void TreeView::Add(const QString& relative, TreeRelationship relationship, const QString& key, const QString& text,
                   const QString& image, const QString& selected_image)
{
    if (key.isEmpty() || find(key))
        forms::raise(kTreeKeyNotUnique, QStringLiteral("TreeView"),
                     QStringLiteral("Key is not unique in collection: \"%1\"").arg(key));
    if (relationship < tvwFirst || relationship > tvwChild)
        forms::raise(vberr::InvalidProcedureCall, QStringLiteral("TreeView"));
    QTreeWidgetItem* anchor = relative.isEmpty() ? nullptr : item(relative);
    auto* node = new QTreeWidgetItem;
    node->setText(0, text);
    node->setData(0, kKeyRole, key);
    node->setData(0, kImageRole, image);
    node->setData(0, kSelectedImageRole, selected_image);
    node->setFlags(node->flags() | (label_edit_ ? Qt::ItemIsEditable : Qt::NoItemFlags));
    apply_icon(node);
    nodes_.insert(key, node);
    if (!anchor) {
        if (relationship == tvwFirst)
            tree_->insertTopLevelItem(0, node);
        else
            tree_->addTopLevelItem(node);
        return;
    }
    if (relationship == tvwNext || relationship == tvwPrevious) {
        QTreeWidgetItem* parent = anchor->parent();
        const int at = parent ? parent->indexOfChild(anchor) : tree_->indexOfTopLevelItem(anchor);
        const int position = relationship == tvwNext ? at + 1 : at;
        if (parent)
            parent->insertChild(position, node);
        else
            tree_->insertTopLevelItem(position, node);
    } else if (relationship == tvwFirst) {
        anchor->insertChild(0, node);
    } else {
        anchor->addChild(node);
    }
}

void TreeView::Remove(const QString& key)
{
    QTreeWidgetItem* node = item(key);
    std::vector<QTreeWidgetItem*> subtree{node};
    while (!subtree.empty()) {
        QTreeWidgetItem* next = subtree.back();
        subtree.pop_back();
        nodes_.remove(key_of(next));
        for (int i = 0; i < next->childCount(); ++i)
            subtree.push_back(next->child(i));
    }
    delete node;
}

void TreeView::Clear()
{
    tree_->clear();
    nodes_.clear();
}

int TreeView::Count() const { return static_cast<int>(nodes_.size()); }

bool TreeView::Exists(const QString& key) const { return find(key) != nullptr; }

QString TreeView::Text(const QString& key) const { return item(key)->text(0); }
void TreeView::setText(const QString& key, const QString& text) { item(key)->setText(0, text); }
QVariant TreeView::Tag(const QString& key) const { return item(key)->data(0, kTagRole); }
void TreeView::setTag(const QString& key, const QVariant& tag) { item(key)->setData(0, kTagRole, tag); }
QString TreeView::Image(const QString& key) const { return item(key)->data(0, kImageRole).toString(); }
QString TreeView::SelectedImage(const QString& key) const { return item(key)->data(0, kSelectedImageRole).toString(); }

void TreeView::setImage(const QString& key, const QString& image)
{
    QTreeWidgetItem* node = item(key);
    node->setData(0, kImageRole, image);
    apply_icon(node);
}

void TreeView::setSelectedImage(const QString& key, const QString& image)
{
    QTreeWidgetItem* node = item(key);
    node->setData(0, kSelectedImageRole, image);
    apply_icon(node);
}

// The picture of the image shows normally; the selected image (else the image) while the
// node is selected.
void TreeView::apply_icon(QTreeWidgetItem* node) const
{
    if (!images_) {
        node->setIcon(0, QIcon());
        return;
    }
    QPixmap blank(images_->ImageSize());
    blank.fill(Qt::transparent);
    const QImage normal = images_->image(node->data(0, kImageRole).toString());
    QImage selected = images_->image(node->data(0, kSelectedImageRole).toString());
    if (selected.isNull())
        selected = normal;
    QIcon icon;
    icon.addPixmap(normal.isNull() ? blank : QPixmap::fromImage(normal), QIcon::Normal);
    icon.addPixmap(selected.isNull() ? blank : QPixmap::fromImage(selected), QIcon::Selected);
    node->setIcon(0, icon);
}

bool TreeView::Expanded(const QString& key) const { return item(key)->isExpanded(); }
void TreeView::setExpanded(const QString& key, bool expanded) { item(key)->setExpanded(expanded); }

void TreeView::EnsureVisible(const QString& key)
{
    QTreeWidgetItem* node = item(key);
    for (QTreeWidgetItem* up = node->parent(); up; up = up->parent())
        up->setExpanded(true);
    tree_->scrollToItem(node);
}

QString TreeView::ParentKey(const QString& key) const { return key_of(item(key)->parent()); }

QString TreeView::PreviousKey(const QString& key) const
{
    QTreeWidgetItem* node = item(key);
    QTreeWidgetItem* parent = node->parent();
    const int at = parent ? parent->indexOfChild(node) : tree_->indexOfTopLevelItem(node);
    if (at == 0)
        return {};
    return key_of(parent ? parent->child(at - 1) : tree_->topLevelItem(at - 1));
}

QString TreeView::NextKey(const QString& key) const
{
    QTreeWidgetItem* node = item(key);
    QTreeWidgetItem* parent = node->parent();
    const int at = parent ? parent->indexOfChild(node) : tree_->indexOfTopLevelItem(node);
    return key_of(parent ? parent->child(at + 1) : tree_->topLevelItem(at + 1));
}

QString TreeView::FirstKey() const { return key_of(tree_->topLevelItem(0)); }

QStringList TreeView::ChildKeys(const QString& key) const
{
    QStringList keys;
    if (key.isEmpty()) {
        for (int i = 0; i < tree_->topLevelItemCount(); ++i)
            keys << key_of(tree_->topLevelItem(i));
        return keys;
    }
    QTreeWidgetItem* node = item(key);
    for (int i = 0; i < node->childCount(); ++i)
        keys << key_of(node->child(i));
    return keys;
}

QString TreeView::SelectedKey() const
{
    const auto selected = tree_->selectedItems();
    return selected.isEmpty() ? QString() : key_of(selected.first());
}

void TreeView::Select(const QString& key)
{
    if (key.isEmpty()) {
        tree_->clearSelection();
        tree_->setCurrentItem(nullptr);
        return;
    }
    QTreeWidgetItem* node = item(key);
    tree_->setCurrentItem(node);
    node->setSelected(true);
}

void TreeView::setImageList(const ImageList* images)
{
    images_ = images;
    if (images_)
        tree_->setIconSize(images_->ImageSize());
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        apply_icon(*it);
}

void TreeView::setLabelEdit(bool value)
{
    label_edit_ = value;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        (*it)->setFlags(value ? (*it)->flags() | Qt::ItemIsEditable : (*it)->flags() & ~Qt::ItemIsEditable);
}

void TreeView::StartLabelEdit(const QString& key)
{
    QTreeWidgetItem* node = item(key);
    if (label_edit_)
        tree_->editItem(node, 0);
}

void TreeView::click_node(const QString& key)
{
    Select(key);
    // The host's NodeClick handler may unload the form, this tree with it.
    const QPointer<TreeView> alive(this);
    emit NodeClick(key);
    if (alive)
        emit Click();
}

void TreeView::click_empty() { emit Click(); }

void TreeView::finish_label_edit(const QString& key, const QString& text)
{
    if (!find(key))
        return;
    bool cancel = false;
    QString new_text = text;
    edited_key_ = key;
    emit AfterLabelEdit(cancel, new_text);
    edited_key_.clear();
    if (!cancel && find(key))
        setText(key, new_text);
}

// A mouse click on a node's row (not on its expand sign) is a node click; a click below the
// last node is a click on the empty area. A key that moves the selection to another node is a
// node click too (without Click).
bool TreeView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            const QString before = SelectedKey();
            QTimer::singleShot(0, this, [this, before] {
                const QString now = SelectedKey();
                if (!now.isEmpty() && now != before)
                    emit NodeClick(now);
            });
            break;
        }
        default: break;
        }
    }
    if (watched == tree_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        QTreeWidgetItem* hit = tree_->itemAt(mouse->position().toPoint());
        if (!hit) {
            click_empty();
        } else if (mouse->position().x() >= tree_->visualItemRect(hit).left()) {
            const QString key = key_of(hit);
            QTimer::singleShot(0, this, [this, key] {
                if (find(key))
                    click_node(key);
            });
        }
    }
    return IntrinsicControl::eventFilter(watched, event);
}

} // namespace forms
