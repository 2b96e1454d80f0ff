#include "controls/options/option_tree_text.h"

#include "platform/forms/conversions.h"
#include "platform/forms/vb_error.h"

#include <QHash>
#include <QStringList>

namespace options {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QChar kTab = QLatin1Char('\t');
const QString kRootKey = QStringLiteral(" ");

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

// Every parent is the root (containers only) or a container of the text, every parent chain
// reaches the root, and a remembered page is blank or a page inside its container: otherwise
// the tree could not be shown and walks up the parent chain would not end.
void check_structure(const forms::Collection& list)
{
    QHash<QString, OptionPtr> by_key;
    QHash<QString, int> line_of;
    int line = 0;
    for (const auto& entry : list) {
        const OptionPtr option = entry.item.value<OptionPtr>();
        by_key.insert(option->strKey.toUpper(), option);
        line_of.insert(option->strKey.toUpper(), ++line);
    }
    line = 0;
    for (const auto& entry : list) {
        ++line;
        const OptionPtr option = entry.item.value<OptionPtr>();
        OptionPtr walker = option;
        for (int steps = 0; walker->strParentKey != kRootKey; ++steps) {
            const OptionPtr parent = by_key.value(walker->strParentKey.toUpper());
            if (!parent || !parent->is_container() || steps > list.Count())
                refuse(kElementNotFound, line_of.value(walker->strKey.toUpper()),
                       QStringLiteral("the parent \"%1\" of \"%2\" is no container of the tree")
                           .arg(walker->strParentKey, walker->strKey));
            walker = parent;
        }
        if (!option->is_container() && option->strParentKey == kRootKey)
            refuse(kElementNotFound, line,
                   QStringLiteral("the page \"%1\" stands at the root, outside every container").arg(option->strKey));
        if (option->is_container() && !is_blank_key(option->strSelectedProperty)) {
            const OptionPtr page = by_key.value(option->strSelectedProperty.toUpper());
            const QString inside = option->strKey.toUpper() + QLatin1Char('\\');
            if (!page || page->is_container() || !page->strKey.toUpper().startsWith(inside))
                refuse(kElementNotFound, line,
                       QStringLiteral("the container \"%1\" remembers \"%2\", which is no page inside it")
                           .arg(option->strKey, option->strSelectedProperty));
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
