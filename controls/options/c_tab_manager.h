#pragma once
// CTabManager: one per tree host. The registry of the page indexes of the option pages on
// the host, the notifier that tells them which page is current (OnChangeTab) and that the
// page area moved (OnResizeBase), the holder of that area (twips) and of the host's option
// collection (OptionList). Pages and host never reference each other directly.

#include "controls/options/c_option.h"
#include "platform/forms/core/collection.h"

#include <QObject>
#include <QString>

#include <cstdint>

class CTabManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString strTreeContainment READ strTreeContainment)

public:
    CTabManager();
    ~CTabManager() override;

    // The option-tree text of OptionList; with no collection there, the empty text, and
    // OptionList gets a new empty collection.
    QString strTreeContainment();

    // --- The library's own operations ---------------------------------------------------
    // Registers `index`; one below 1 or already registered is replaced by the smallest free
    // index. Returns the index registered.
    std::int16_t RegisterPage(std::int16_t index);
    // An index that is not registered is ignored.
    void UnregisterPage(std::int16_t index);
    // Moves a registration; False (registry unchanged) when either index is below 1 or the
    // new one is registered (moving to its own index included). With the new index free and
    // the old one not registered, the collection's error reaches the caller.
    bool ChangePageIndex(std::int16_t old_index, std::int16_t new_index);
    // The smallest index from 1 up that is not registered.
    std::int16_t FindFreePageIndex() const;
    bool IsRegistered(std::int16_t index) const;
    // Makes `index` current and raises OnChangeTab, also for the index already current and
    // for one that no page holds (-1: none shown).
    void ChangeTab(std::int16_t index);
    std::int16_t CurrentTabIndex() const { return current_; }
    void ResizeBase() { emit OnResizeBase(); }

    std::int32_t AreaLeft = 0;
    std::int32_t AreaTop = 0;
    std::int32_t AreaWidth = 0;
    std::int32_t AreaHeight = 0;

    const OptionCollection& OptionList() const { return options_; }
    void setOptionList(const OptionCollection& list) { options_ = list; }

signals:
    void OnChangeTab(short Index);
    void OnResizeBase();

private:
    static QString registry_key(std::int16_t index);

    forms::Collection registry_;
    std::int16_t current_ = 0;
    OptionCollection options_;
    QString tree_containment_;
};
