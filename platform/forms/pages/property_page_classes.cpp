#include "platform/forms/pages/property_page_classes.h"

#include "platform/forms/pages/property_page.h"
#include "platform/forms/core/vb_error.h"

#include <map>
#include <mutex>

namespace forms {

namespace {

struct Caseless {
    bool operator()(const QString& a, const QString& b) const { return a.compare(b, Qt::CaseInsensitive) < 0; }
};

// Declarations run as modules load, possibly while another thread opens a sheet.
struct Tables {
    std::mutex mutex;
    std::map<QString, PropertyPageClasses::Factory, Caseless> pages;
    std::map<QString, QStringList, Caseless> pages_of;
};

Tables& tables()
{
    static Tables t;
    return t;
}

} // namespace

void PropertyPageClasses::add_page(const QString& page_name, Factory create)
{
    std::lock_guard lock(tables().mutex);
    tables().pages[page_name] = std::move(create);
}

void PropertyPageClasses::set_pages_of(const QString& control_type, const QStringList& page_names)
{
    std::lock_guard lock(tables().mutex);
    tables().pages_of[control_type] = page_names;
}

QStringList PropertyPageClasses::pages_of(const QString& control_type)
{
    std::lock_guard lock(tables().mutex);
    const auto it = tables().pages_of.find(control_type);
    return it == tables().pages_of.end() ? QStringList{} : it->second;
}

std::unique_ptr<PropertyPage> PropertyPageClasses::create(const QString& page_name)
{
    Factory create;
    {
        std::lock_guard lock(tables().mutex);
        const auto it = tables().pages.find(page_name);
        if (it != tables().pages.end())
            create = it->second;
    }
    if (!create)
        raise(vberr::CantCreateObject, QStringLiteral("PropertySheet"),
              QStringLiteral("Property page %1 is not provided by any loaded module").arg(page_name));
    return create();
}

} // namespace forms
