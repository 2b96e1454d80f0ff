#include "controls/options/c_option.h"

#include "platform/forms/core/key_case.h"

namespace options {

OptionCollection new_option_list() { return std::make_shared<forms::Collection>(); }

OptionPtr option_at(const forms::Collection& list, const QVariant& index_or_key)
{
    return list.Item(index_or_key).value<OptionPtr>();
}

void add_option(forms::Collection& list, const OptionPtr& option, const QVariant& before, const QVariant& after)
{
    list.Add(QVariant::fromValue(option), option->strKey, before, after);
}

QString upper_key(const QString& key) { return forms::key_upper(key); }

bool is_blank_key(const QString& key) { return key.trimmed().isEmpty(); }

std::int32_t position_of(const forms::Collection& list, const QString& key)
{
    std::int32_t position = 0;
    for (const auto& entry : list) {
        ++position;
        if (forms::same_key(entry.key, key))
            return position;
    }
    return 0;
}

} // namespace options
