#pragma once
// What a click on the options tree does: which page is shown, which page each container
// remembers, where the arrow stands, and the page-change events around it. The tree host
// owns one; the option pages hear the outcome through the host's CTabManager.

#include "controls/options/c_option.h"

#include <QString>

#include <cstdint>
#include <functional>

class CTabManager;

namespace forms {
class TreeView;
}

namespace options {

class OptionTreeNavigation {
public:
    OptionTreeNavigation(forms::TreeView& tree, CTabManager& tabs);

    // The collection the tree shows (the host's own).
    void set_options(OptionCollection list) { list_ = std::move(list); }
    // The registry the host tells its pages through.
    void set_tabs(CTabManager& tabs) { tabs_ = &tabs; }
    // Before a node click leaves the page shown: (shown index, target index, Cancel).
    std::function<void(std::int16_t, std::int16_t, bool&)> before_page_change;
    // After a node click changed the page, before the pages are told: (shown index, target).
    std::function<void(std::int16_t, std::int16_t)> after_page_change;

    // The tree selected the node `key` (a user's click).
    void node_click(const QString& key);
    // Shows the first page under the first node of the tree (at load, after new options),
    // without events.
    void show_first_page();
    // Forgets the current option (the tree was refilled from another collection).
    void reset();
    // The page to show for the node `key`: its own page, the page its container chain
    // remembers, or the first page below it in collection order; "" for none.
    QString find_page_to_show(const QString& key);
    // Tree notifications: a container's folder opens or closes.
    void expanded(const QString& key, bool open);

    const QString& CurrentKey() const { return current_key_; }
    const QString& FromKey() const { return from_key_; }
    const QString& ToKey() const { return to_key_; }
    const QString& TargetKey() const { return target_key_; }
    std::int16_t current_tab_index() const { return current_tab_index_; }
    QString current_name() const { return current_name_; }

private:
    OptionPtr option(const QString& key) const;
    void activate(const QString& key);
    bool open_container(const QString& key);
    void arrow_on(const QString& key);
    void arrow_off(const QString& key);
    bool current_is_page() const { return has_current_ && current_type_ != Container; }
    // The page the current option stands for: itself when a page, else what it remembers.
    QString page_left() const;

    forms::TreeView& tree_;
    CTabManager* tabs_;
    OptionCollection list_;

    bool has_current_ = false;
    std::int32_t current_type_ = Container;
    QString current_key_;
    QString current_name_;
    QString current_parent_;
    QString current_selected_;
    std::int16_t current_tab_index_ = 0;
    QString from_key_;
    QString to_key_;
    QString target_key_;
};

} // namespace options
