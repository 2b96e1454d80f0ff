#pragma once
// TreeView: the runtime's tree of keyed nodes, an intrinsic control (Name, twips, its own
// Visible and Enabled flags). Every node has a unique key (compared exactly),
// a text, a tag, an image and a selected image named by their keys in the bound ImageList (a
// key the list does not hold shows no picture), and may be expanded or collapsed. Nodes are
// reached by key, so a caller never holds a node that the tree has removed.
//
// Events, as a user causes them: a click on a node selects it and raises NodeClick, then
// Click; a key that selects another node raises NodeClick; a click on an empty area raises
// Click only; expanding and collapsing (by the user or
// by setExpanded) raise Expand and Collapse; an in-place edit of a node's text (LabelEdit on,
// F2 or a click on the selected node) raises AfterLabelEdit(Cancel, NewString) when the user
// ends it, and the node takes the new text unless Cancel is set.
//
// Errors: a key that no node has is 35601 "Element not found"; adding a key already in use is
// 35602 "Key is not unique in collection".

#include "platform/forms/intrinsics/intrinsic_control.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>

class QTreeWidget;
class QTreeWidgetItem;

namespace forms {

class ImageList;

enum TreeRelationship : std::int32_t { tvwFirst = 0, tvwLast = 1, tvwNext = 2, tvwPrevious = 3, tvwChild = 4 };

inline constexpr std::int32_t kTreeElementNotFound = 35601;
inline constexpr std::int32_t kTreeKeyNotUnique = 35602;

class TreeView : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(bool LabelEdit READ LabelEdit WRITE setLabelEdit)
    Q_PROPERTY(int Count READ Count)

public:
    TreeView(QWidget* container, const QString& name);
    ~TreeView() override;

    // A top-level node when `relative` is empty (first or last by `relationship`); else the
    // first or last child (tvwFirst, tvwChild or tvwLast) or the next or previous sibling of
    // the node `relative`.
    void Add(const QString& relative, TreeRelationship relationship, const QString& key, const QString& text,
             const QString& image = {}, const QString& selected_image = {});
    // Removes the node with its subtree.
    void Remove(const QString& key);
    void Clear();
    int Count() const;
    bool Exists(const QString& key) const;

    QString Text(const QString& key) const;
    void setText(const QString& key, const QString& text);
    QVariant Tag(const QString& key) const;
    void setTag(const QString& key, const QVariant& tag);
    QString Image(const QString& key) const;
    void setImage(const QString& key, const QString& image);
    QString SelectedImage(const QString& key) const;
    void setSelectedImage(const QString& key, const QString& image);
    bool Expanded(const QString& key) const;
    void setExpanded(const QString& key, bool expanded);
    // Expands the node's ancestors and scrolls the node into view.
    void EnsureVisible(const QString& key);

    // Neighbours by key; "" when there is none.
    QString ParentKey(const QString& key) const;
    QString PreviousKey(const QString& key) const;
    QString NextKey(const QString& key) const;
    // The first top-level node; "" for an empty tree.
    QString FirstKey() const;
    // Children of a node (top-level nodes for ""), in order.
    QStringList ChildKeys(const QString& key) const;

    // The selected node; "" when none is selected.
    QString SelectedKey() const;
    // Selects a node, or none for "".
    void Select(const QString& key);

    void setImageList(const ImageList* images);
    bool LabelEdit() const { return label_edit_; }
    void setLabelEdit(bool value);
    // Opens the in-place editor on a node.
    void StartLabelEdit(const QString& key);

    // What a user does, for hosts and tests that drive the tree as a user would.
    void click_node(const QString& key);
    void click_empty();
    // Ends an in-place edit of the node `key` with the text typed.
    void finish_label_edit(const QString& key, const QString& text);
    // While AfterLabelEdit runs: the key of the node being edited.
    QString EditedKey() const { return edited_key_; }

    QTreeWidget& widget() const { return *tree_; }

signals:
    void NodeClick(const QString& key);
    void Expand(const QString& key);
    void Collapse(const QString& key);
    void AfterLabelEdit(bool& Cancel, QString& NewString);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidgetItem* item(const QString& key) const;
    QTreeWidgetItem* find(const QString& key) const;
    QString key_of(const QTreeWidgetItem* item) const;
    void apply_icon(QTreeWidgetItem* item) const;

    QTreeWidget* tree_;
    // Every node by key: finding a node does not walk the tree.
    QHash<QString, QTreeWidgetItem*> nodes_;
    const ImageList* images_ = nullptr;
    bool label_edit_ = false;
    QString edited_key_;
};

} // namespace forms
