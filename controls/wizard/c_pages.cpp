#include "controls/wizard/c_pages.h"

#include "controls/message_box.h"
#include "controls/wizard/c_page.h"
#include "controls/wizard/mod_base.h"
#include "platform/forms/core/vb_error.h"

namespace {

std::shared_ptr<CPage> page_of(const QVariant& item) { return item.value<std::shared_ptr<CPage>>(); }

bool is_key(const QVariant& index) { return index.typeId() == QMetaType::QString; }

void report(const forms::VbError& error)
{
    if (modBase::SharedShowErrorMsg())
        kycomctl::show_message(kycomctl::error_text(error.number(), error.description()),
                               kycomctl::vbOKOnly | kycomctl::vbCritical, QString());
}

} // namespace

CPages::CPages() = default;

CPages::~CPages() = default;

QObject* CPages::Item(const QVariant& vntIndexKey) const { return page(vntIndexKey).get(); }

std::shared_ptr<CPage> CPages::page(const QVariant& vntIndexKey) const
{
    try {
        return page_of(col_.Item(vntIndexKey));
    } catch (const forms::VbError& error) {
        if (!is_key(vntIndexKey))
            report(error);
        return nullptr;
    }
}

std::int32_t CPages::Count() const { return col_.Count(); }

QVariantList CPages::NewEnum() const
{
    QVariantList list;
    for (const auto& entry : col_)
        list.push_back(QVariant::fromValue(static_cast<QObject*>(page_of(entry.item).get())));
    return list;
}

std::vector<std::shared_ptr<CPage>> CPages::pages() const
{
    std::vector<std::shared_ptr<CPage>> pages;
    pages.reserve(static_cast<std::size_t>(col_.Count()));
    for (const auto& entry : col_)
        pages.push_back(page_of(entry.item));
    return pages;
}

std::shared_ptr<CPage> CPages::Add(const std::shared_ptr<CPage>& Page, const QString& Key)
{
    const QVariant item = QVariant::fromValue(Page);
    if (!Page)
        forms::raise(forms::vberr::ObjectVariableNotSet);
    const std::int32_t index = Page->PageIndex();
    std::int32_t position = 1;
    for (const auto& entry : col_) {
        const auto registered = page_of(entry.item);
        if (registered && registered->PageIndex() > index) {
            col_.Add(item, Key, QVariant(position));
            return Page;
        }
        ++position;
    }
    col_.Add(item, Key);
    return Page;
}

void CPages::Remove(const QVariant& vntIndexKey) { col_.Remove(vntIndexKey); }

std::shared_ptr<CPage> CPages::entry(std::int32_t position) const
{
    if (position < 1 || position > col_.Count())
        return nullptr;
    return page_of(col_.Item(QVariant(position)));
}
