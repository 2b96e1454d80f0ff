#include "controls/options/ky_tree_functions.h"

#include "platform/forms/core/conversions.h"
#include "platform/forms/intrinsics/tree_view.h"
#include "platform/forms/core/vb_error.h"

#include <QHash>

#include <utility>
#include <vector>

namespace options {

void FillOptionTree(forms::TreeView& tree, const forms::Collection& list, bool editor_mode)
{
    tree.Clear();
    AddOptionNodes(tree, list, editor_mode, kRootKey);
}

void AddOptionNodes(forms::TreeView& tree, const forms::Collection& list, bool editor_mode, const QString& parent_key)
{
    // The children of each key in collection order, found in one pass, and the nodes added
    // depth first from a stack of their own: no scan per node, no recursion per level.
    QHash<QString, std::vector<OptionPtr>> children;
    for (const auto& entry : list) {
        const OptionPtr option = entry.item.value<OptionPtr>();
        children[upper_key(option->strParentKey)].push_back(option);
    }
    std::vector<std::pair<const std::vector<OptionPtr>*, std::size_t>> open;
    const auto push = [&](const QString& key) {
        const auto it = children.constFind(upper_key(key));
        if (it != children.cend())
            open.emplace_back(&*it, 0);
    };
    push(parent_key);
    while (!open.empty()) {
        auto& [siblings, next] = open.back();
        if (next == siblings->size()) {
            open.pop_back();
            continue;
        }
        const OptionPtr option = (*siblings)[next++];
        const QString key = upper_key(option->strKey);
        const QString parent = upper_key(option->strParentKey);
        if (!option->is_container()) {
            tree.Add(parent, forms::tvwChild, key, option->strName, QString(), editor_mode ? kArrow : QString());
        } else if (tree.Count() == 0 || option->strParentKey == kRootKey) {
            tree.Add(QString(), forms::tvwLast, key, option->strName, kClosedFolder, kClosedFolder);
        } else {
            tree.Add(parent, forms::tvwChild, key, option->strName, kClosedFolder, kClosedFolder);
        }
        tree.setTag(key, editor_mode ? QVariant(option->eOptionType) : QVariant(option->iTabIndex));
        // A record that is its own parent is not visited again.
        if (upper_key(key) != parent)
            push(key);
    }
}

void SetSelectedProperty(forms::Collection& list, const QString& value, const QString& key)
{
    // The parent chain of a collection read from text or built by the editor reaches the root;
    // the count bounds the walk for any other.
    QString current = key;
    for (int32_t steps = 0; steps <= list.Count(); ++steps) {
        const OptionPtr option = option_at(list, current);
        option->strSelectedProperty = value;
        if (option->strParentKey == kRootKey)
            return;
        current = option->strParentKey;
    }
}

bool IsPositiveInteger(const QString& text)
{
    try {
        return forms::CInt(QVariant(text)) >= 1;
    } catch (const forms::VbError&) {
        return false;
    }
}

} // namespace options
