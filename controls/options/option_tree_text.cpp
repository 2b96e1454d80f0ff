#include "controls/options/option_tree_text.h"

#include "controls/options/ky_tree_functions.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/core/vb_error.h"

#include <QHash>
#include <QStringList>

#include <vector>

namespace options {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QChar kTab = QLatin1Char('\t');

[[noreturn]] void refuse(std::int32_t number, int line, const QString& what)
{
    forms::raise(number, QStringLiteral("ParseOptionList"),
                 QStringLiteral("Option tree line %1: %2").arg(line).arg(what));
}

// A numeric field, converted as the runtime converts it; its errors (13, 6) name the line.
template <typename Convert>
auto number_field(Convert convert, const QString& field, int line, const char* name)
{
    try {
        return convert(QVariant(field));
    } catch (const forms::VbError& error) {
        refuse(error.number(), line,
               QStringLiteral("%1 \"%2\": %3").arg(QLatin1String(name), field, error.description()));
    }
}

OptionPtr read_record(const QString& text, int line)
{
    const QStringList fields = text.split(kTab);
    if (fields.size() < 5)
        refuse(forms::vberr::SubscriptOutOfRange, line,
               QStringLiteral("%1 fields, a record has at least 5").arg(fields.size()));
    auto option = std::make_shared<COption>();
    option->strParentKey = fields[0];
    option->strKey = fields[1];
    if (is_blank_key(option->strKey))
        refuse(forms::vberr::InvalidPropertyValue, line, QStringLiteral("a record without a key"));
    option->eOptionType = number_field(forms::CLng, fields[2], line, "type");
    option->strName = fields[3];
    option->iTabIndex = number_field(forms::CInt, fields[4], line, "page index");
    if (option->is_container()) {
        if (fields.size() < 6)
            refuse(forms::vberr::SubscriptOutOfRange, line,
                   QStringLiteral("a container record has 6 fields, this one %1").arg(fields.size()));
        option->strSelectedProperty = fields[5];
    }
    return option;
}

// Every parent is the root (containers only) or a container of the text and every parent
// chain reaches the root within kMaxOptionNesting levels: otherwise the tree could not be
// shown and walks up the parent chain would not end. A remembered page that is no page
// inside its container (one removed since: the editor re-points nothing) is none. Each
// record's depth is found once, so the check is linear in the number of records.
void check_structure(const forms::Collection& list)
{
    struct Record {
        OptionPtr option;
        int line = 0;
        int depth = 0; // 0 while not known, -1 while its chain is being walked
    };
    QHash<QString, Record> by_key;
    int line = 0;
    for (const auto& entry : list) {
        const OptionPtr option = entry.item.value<OptionPtr>();
        by_key.insert(upper_key(option->strKey), Record{option, ++line, 0});
    }
    line = 0;
    for (const auto& entry : list) {
        ++line;
        const OptionPtr option = entry.item.value<OptionPtr>();
        // Up the chain to the root or to a record of known depth, then back down.
        std::vector<Record*> chain{&by_key[upper_key(option->strKey)]};
        while (chain.back()->depth == 0) {
            Record* record = chain.back();
            record->depth = -1;
            if (record->option->strParentKey == kRootKey)
                break;
            const auto parent = by_key.find(upper_key(record->option->strParentKey));
            if (parent == by_key.end() || !parent->option->is_container() || parent->depth == -1)
                refuse(kElementNotFound, parent != by_key.end() && parent->depth == -1 ? line : record->line,
                       QStringLiteral("the parent \"%1\" of \"%2\" is no container of the tree")
                           .arg(record->option->strParentKey, record->option->strKey));
            chain.push_back(&*parent);
        }
        int depth = chain.back()->depth > 0 ? chain.back()->depth : 0;
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            if ((*it)->depth > 0)
                continue;
            (*it)->depth = ++depth;
            if (depth > kMaxOptionNesting)
                refuse(forms::vberr::InvalidPropertyValue, (*it)->line,
                       QStringLiteral("\"%1\" is nested deeper than %2 levels")
                           .arg((*it)->option->strKey)
                           .arg(kMaxOptionNesting));
        }
        if (!option->is_container() && option->strParentKey == kRootKey)
            refuse(kElementNotFound, line,
                   QStringLiteral("the page \"%1\" stands at the root, outside every container").arg(option->strKey));
        if (option->is_container() && !is_blank_key(option->strSelectedProperty)) {
            const auto page = by_key.constFind(upper_key(option->strSelectedProperty));
            const QString inside = upper_key(option->strKey) + QLatin1Char('\\');
            if (page == by_key.cend() || page->option->is_container() ||
                !upper_key(page->option->strKey).startsWith(inside))
                option->strSelectedProperty = kRootKey;
        }
    }
}

} // namespace

OptionCollection ParseOptionList(const QString& text)
{
    OptionCollection list = new_option_list();
    QStringList lines = text.split(kCrLf);
    lines.removeLast(); // the empty tail of a text that ends with CR LF
    int line = 0;
    for (const QString& record : lines) {
        ++line;
        OptionPtr option = read_record(record, line);
        try {
            add_option(*list, option);
        } catch (const forms::VbError& error) {
            refuse(error.number(), line,
                   QStringLiteral("the key \"%1\" is already in the tree (keys ignore case)").arg(option->strKey));
        }
    }
    check_structure(*list);
    return list;
}

QString BuildOptionList(const forms::Collection* list)
{
    QString text;
    if (!list)
        return text;
    for (const auto& entry : *list) {
        const OptionPtr option = entry.item.value<OptionPtr>();
        text += option->strParentKey + kTab + option->strKey + kTab + QString::number(option->eOptionType) + kTab +
                option->strName + kTab + QString::number(option->iTabIndex);
        if (option->is_container())
            text += kTab + option->strSelectedProperty;
        text += kCrLf;
    }
    return text;
}

} // namespace options
