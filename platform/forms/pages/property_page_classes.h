#pragma once
// The process-wide table of property page classes and of the pages each control class lists.
// A module declares each page class it provides with OSTREL_FORMS_PROPERTY_PAGE_CLASS and the
// pages of each of its control classes, in the order the sheet shows them, with
// OSTREL_FORMS_CONTROL_PAGES; both run when the module loads. The runtime declares its stock
// pages StandardColor, StandardPicture and StandardFont the same way.

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace forms {

class PropertyPage;

class PropertyPageClasses {
public:
    using Factory = std::function<std::unique_ptr<PropertyPage>()>;

    // A second declaration of one name replaces the first.
    static void add_page(const QString& page_name, Factory create);
    static void set_pages_of(const QString& control_type, const QStringList& page_names);

    // The page names of a control class (its type name, without regard to case), in order;
    // none for a class that lists no pages.
    static QStringList pages_of(const QString& control_type);
    // A new page of the named class; 429 naming the page when no module declares it.
    static std::unique_ptr<PropertyPage> create(const QString& page_name);
};

namespace detail {
struct PropertyPageDeclaration {
    PropertyPageDeclaration(const QString& page_name, PropertyPageClasses::Factory create)
    {
        PropertyPageClasses::add_page(page_name, std::move(create));
    }
};
struct ControlPagesDeclaration {
    ControlPagesDeclaration(const QString& control_type, const QStringList& page_names)
    {
        PropertyPageClasses::set_pages_of(control_type, page_names);
    }
};
} // namespace detail

} // namespace forms

// Declares property page class `Type` (a forms::PropertyPage with a default constructor).
#define OSTREL_FORMS_PROPERTY_PAGE_CLASS(Type)                                                                         \
    static const ::forms::detail::PropertyPageDeclaration OSTREL_FORMS_CONCAT(ostrel_property_page_, __LINE__)(        \
        QStringLiteral(#Type), [] { return std::unique_ptr<::forms::PropertyPage>(new Type()); })

// Names the pages of control class `Type`, in the order its property sheet shows them.
#define OSTREL_FORMS_CONTROL_PAGES(Type, ...)                                                                          \
    static const ::forms::detail::ControlPagesDeclaration OSTREL_FORMS_CONCAT(ostrel_control_pages_, __LINE__)(        \
        QStringLiteral(#Type), QStringList{__VA_ARGS__})

#ifndef OSTREL_FORMS_CONCAT
#define OSTREL_FORMS_CONCAT2(a, b) a##b
#define OSTREL_FORMS_CONCAT(a, b) OSTREL_FORMS_CONCAT2(a, b)
#endif
