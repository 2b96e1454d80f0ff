#include "controls/options/c_tab_manager.h"

#include "controls/options/ky_tree_functions.h"
#include "controls/options/option_tree_text.h"

#include <limits>

CTabManager::CTabManager() : options_(options::new_option_list()) {}

CTabManager::~CTabManager() = default;

QString CTabManager::strTreeContainment()
{
    if (!options_) {
        options_ = options::new_option_list();
        tree_containment_.clear();
        return tree_containment_;
    }
    tree_containment_ = options::BuildOptionList(options_.get());
    return tree_containment_;
}

QString CTabManager::registry_key(std::int16_t index) { return QString::number(index) + QLatin1Char('_'); }

bool CTabManager::IsRegistered(std::int16_t index) const { return registry_.Exists(registry_key(index)); }

std::int16_t CTabManager::FindFreePageIndex() const
{
    std::int16_t candidate = 1;
    while (IsRegistered(candidate) && candidate < std::numeric_limits<std::int16_t>::max())
        ++candidate;
    return candidate;
}

std::int16_t CTabManager::RegisterPage(std::int16_t index)
{
    if (index < 1 || IsRegistered(index))
        index = FindFreePageIndex();
    registry_.Add(QVariant(index), registry_key(index));
    return index;
}

void CTabManager::UnregisterPage(std::int16_t index)
{
    if (IsRegistered(index))
        registry_.Remove(QVariant(registry_key(index)));
}

bool CTabManager::ChangePageIndex(std::int16_t old_index, std::int16_t new_index)
{
    if (!options::IsPositiveInteger(QString::number(old_index)) ||
        !options::IsPositiveInteger(QString::number(new_index)))
        return false;
    if (IsRegistered(new_index))
        return false;
    registry_.Remove(QVariant(registry_key(old_index)));
    registry_.Add(QVariant(new_index), registry_key(new_index));
    return true;
}

void CTabManager::ChangeTab(std::int16_t index)
{
    current_ = index;
    emit OnChangeTab(index);
}
