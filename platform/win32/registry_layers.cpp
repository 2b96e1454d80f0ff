#include "platform/win32/registry_layers.h"

#include "platform/win32/win_errors.h"

namespace win32::registry_detail {

namespace {

void overlay_key(registry_key& into, const registry_key& from)
{
    into.name = from.name;
    for (const auto& [folded, value] : from.values)
        into.values.insert_or_assign(folded, value);
    for (const auto& [folded, child] : from.subkeys) {
        auto& slot = into.subkeys[folded];
        if (slot == nullptr)
            slot = std::make_unique<registry_key>();
        overlay_key(*slot, *child);
    }
}

const registry_key* child_of(const registry_key* key, const std::u16string& folded)
{
    if (key == nullptr)
        return nullptr;
    const auto it = key->subkeys.find(folded);
    return it == key->subkeys.end() ? nullptr : it->second.get();
}

// Every key and value of `lower` is still in `after`.
bool keeps_all_of(const registry_key& after, const registry_key& lower)
{
    for (const auto& [folded, value] : lower.values) {
        if (!after.values.contains(folded))
            return false;
    }
    for (const auto& [folded, child] : lower.subkeys) {
        const registry_key* kept = child_of(&after, folded);
        if (kept == nullptr || !keeps_all_of(*kept, *child))
            return false;
    }
    return true;
}

void upper_key(const registry_key& after, const registry_key* lower, const registry_key* upper, registry_key& result)
{
    result.name = after.name;
    for (const auto& [folded, value] : after.values) {
        const registry_value* beneath = nullptr;
        if (lower != nullptr) {
            const auto it = lower->values.find(folded);
            beneath = it == lower->values.end() ? nullptr : &it->second;
        }
        const bool held = upper != nullptr && upper->values.contains(folded);
        if (held || beneath == nullptr || beneath->type != value.type || beneath->data != value.data)
            result.values.emplace(folded, value);
    }
    for (const auto& [folded, child] : after.subkeys) {
        const registry_key* lower_child = child_of(lower, folded);
        const registry_key* upper_child = child_of(upper, folded);
        auto kept = std::make_unique<registry_key>();
        upper_key(*child, lower_child, upper_child, *kept);
        if (upper_child != nullptr || lower_child == nullptr || !kept->values.empty() || !kept->subkeys.empty())
            result.subkeys.emplace(folded, std::move(kept));
    }
}

} // namespace

void overlay(registry_tree& into, const registry_tree& from)
{
    for (std::size_t i = 0; i < into.roots.size(); ++i)
        overlay_key(into.roots[i], from.roots[i]);
}

LONG upper_after_change(const registry_tree& after, const registry_tree& lower, const registry_tree& upper,
                        registry_tree& result)
{
    registry_tree kept;
    for (std::size_t i = 0; i < after.roots.size(); ++i) {
        if (!keeps_all_of(after.roots[i], lower.roots[i]))
            return static_cast<LONG>(ERROR_ACCESS_DENIED);
        upper_key(after.roots[i], &lower.roots[i], &upper.roots[i], kept.roots[i]);
    }
    result = std::move(kept);
    return static_cast<LONG>(ERROR_SUCCESS);
}

} // namespace win32::registry_detail
