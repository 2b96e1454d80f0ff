#include "controls/options/ky_tree_functions.h"

#include "platform/forms/conversions.h"
#include "platform/forms/tree_view.h"
#include "platform/forms/vb_error.h"

namespace options {

void FillOptionTree(forms::TreeView& tree, const forms::Collection& list, bool editor_mode)
{
    tree.Clear();
    AddOptionNodes(tree, list, editor_mode, kRootKey);
}

void AddOptionNodes(forms::TreeView& tree, const forms::Collection& list, bool editor_mode, const QString& parent_key)
{
    for (const auto& entry : list) {
        const OptionPtr option = entry.item.value<OptionPtr>();
        if (option->strParentKey.compare(parent_key, Qt::CaseInsensitive) != 0)
            continue;
        const QString key = option->strKey.toUpper();
        const QString parent = option->strParentKey.toUpper();
        if (!option->is_container()) {
            tree.Add(parent, forms::tvwChild, key, option->strName, QString(), editor_mode ? kArrow : QString());
        } else if (tree.Count() == 0 || option->strParentKey == kRootKey) {
            tree.Add(QString(), forms::tvwLast, key, option->strName, kClosedFolder, kClosedFolder);
        } else {
            tree.Add(parent, forms::tvwChild, key, option->strName, kClosedFolder, kClosedFolder);
        }
        tree.setTag(key, editor_mode ? QVariant(option->eOptionType) : QVariant(option->iTabIndex));
        AddOptionNodes(tree, list, editor_mode, key);
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
