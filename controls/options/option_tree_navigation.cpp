#include "controls/options/option_tree_navigation.h"

#include "controls/options/c_tab_manager.h"
#include "controls/options/ky_tree_functions.h"
#include "platform/forms/core/key_case.h"
#include "platform/forms/intrinsics/tree_view.h"

#include <QPointer>

namespace options {

namespace {

// A remembered page in one spelling: upper case, and "" for none (blank).
QString page_key(const QString& key) { return is_blank_key(key) ? QString() : upper_key(key); }

} // namespace

OptionTreeNavigation::OptionTreeNavigation(forms::TreeView& tree, CTabManager& tabs) : tree_(tree), tabs_(&tabs) {}

OptionPtr OptionTreeNavigation::option(const QString& key) const { return option_at(*list_, key); }

void OptionTreeNavigation::reset()
{
    has_current_ = false;
    current_type_ = Container;
    current_key_.clear();
    current_name_.clear();
    current_parent_.clear();
    current_selected_.clear();
    current_tab_index_ = 0;
}

void OptionTreeNavigation::arrow_on(const QString& key)
{
    tree_.setImage(key, kArrow);
    tree_.setSelectedImage(key, kArrow);
}

void OptionTreeNavigation::arrow_off(const QString& key)
{
    if (key.isEmpty() || !tree_.Exists(key))
        return;
    tree_.setImage(key, kNoArrow);
    tree_.setSelectedImage(key, kNoArrow);
}

QString OptionTreeNavigation::page_left() const
{
    return current_is_page() ? current_key_ : page_key(current_selected_);
}

void OptionTreeNavigation::activate(const QString& key)
{
    const OptionPtr o = option(key);
    if (!o->is_container() && !forms::same_key(o->strKey, current_key_)) {
        SetSelectedProperty(*list_, upper_key(o->strKey), o->strParentKey);
        arrow_on(upper_key(o->strKey));
    }
    has_current_ = true;
    current_type_ = o->eOptionType;
    current_key_ = upper_key(o->strKey);
    current_name_ = o->strName;
    current_parent_ = upper_key(o->strParentKey);
    current_selected_ = upper_key(o->strSelectedProperty);
    current_tab_index_ = o->iTabIndex;
}

bool OptionTreeNavigation::open_container(const QString& key)
{
    const OptionPtr o = option(key);
    if (!o->is_container() || is_blank_key(o->strSelectedProperty))
        return false;
    const QString page = page_key(o->strSelectedProperty);
    tree_.Select(page);
    activate(page);
    tree_.setImage(upper_key(option(page)->strParentKey), kOpenedFolder);
    return true;
}

QString OptionTreeNavigation::find_page_to_show(const QString& key)
{
    const OptionPtr o = option(key);
    if (!o->is_container()) {
        activate(key);
        tree_.setImage(upper_key(o->strParentKey), kOpenedFolder);
        return current_key_;
    }
    if (open_container(key))
        return current_key_;
    for (const auto& entry : *list_) {
        const OptionPtr child = entry.item.value<OptionPtr>();
        if (!forms::same_key(child->strParentKey, key))
            continue;
        const QString found = find_page_to_show(child->strKey);
        if (!found.isEmpty())
            return upper_key(found);
    }
    return {};
}

void OptionTreeNavigation::show_first_page()
{
    if (!list_ || tree_.Count() == 0)
        return;
    find_page_to_show(tree_.FirstKey());
    tabs_->ChangeTab(current_tab_index_);
}

void OptionTreeNavigation::node_click(const QString& key)
{
    const OptionPtr o = option(key);
    const QString remembered = page_key(o->strSelectedProperty);
    std::int16_t target = 0;
    if (!o->is_container())
        target = o->iTabIndex;
    else if (!remembered.isEmpty())
        target = option(remembered)->iTabIndex;

    from_key_ = page_left();
    to_key_ = upper_key(key);
    bool raised = false;
    // The host's handlers may unload the form (a message box lets events run, or Unload in
    // the handler): the tree and this navigation then go with it, and the click ends.
    const QPointer<forms::TreeView> alive(&tree_);
    if (to_key_ != from_key_) {
        raised = true;
        bool cancel = false;
        if (before_page_change)
            before_page_change(tabs_->CurrentTabIndex(), target, cancel);
        if (!alive)
            return;
        if (cancel) {
            if (!from_key_.isEmpty() && tree_.Exists(from_key_))
                tree_.Select(from_key_);
            return;
        }
    }

    bool changed = false;
    const QString left = page_left();
    if (!o->is_container()) {
        const QString own = upper_key(o->strKey);
        if (left != own) {
            arrow_off(left);
            arrow_on(own);
            changed = true;
        }
        SetSelectedProperty(*list_, own, o->strParentKey);
    } else if (left != remembered) {
        arrow_off(left);
        if (!remembered.isEmpty()) {
            arrow_on(remembered);
            SetSelectedProperty(*list_, remembered, o->strKey);
        } else {
            target = -1;
        }
        changed = true;
    }

    target_key_ = remembered;
    activate(key);

    if (raised && changed) {
        if (after_page_change)
            after_page_change(tabs_->CurrentTabIndex(), target);
        if (!alive)
            return;
        tabs_->ChangeTab(target);
        if (!alive)
            return;
    }

    if (o->is_container()) {
        // The container of the page left folds up, unless it holds the node being selected:
        // folding that away would take the selection out of sight and out of the keys' reach.
        const int cut = from_key_.lastIndexOf(QLatin1Char('\\'));
        const QString left_container = cut > 0 ? from_key_.left(cut) : QString();
        const QString selected = upper_key(key);
        const bool holds_selected = selected == left_container ||
                                    selected.startsWith(left_container + QLatin1Char('\\'));
        if (from_key_ != target_key_ && cut > 0 && !holds_selected && tree_.Exists(left_container))
            tree_.setExpanded(left_container, false);
        if (!target_key_.isEmpty())
            tree_.EnsureVisible(target_key_);
        tree_.Select(upper_key(key));
    }
}

void OptionTreeNavigation::expanded(const QString& key, bool open)
{
    if (!list_ || !list_->Exists(key) || !option(key)->is_container())
        return;
    tree_.setImage(key, open ? kOpenedFolder : kClosedFolder);
    tree_.setSelectedImage(key, open ? kOpenedFolder : kClosedFolder);
}

} // namespace options
