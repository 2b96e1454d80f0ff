#include "controls/wizard/wizard_navigator.h"

#include "controls/wizard/c_page.h"
#include "controls/wizard/c_pages.h"

#include "platform/forms/core/vb_error.h"

#include <utility>

namespace {

// The registry operations run each statement with errors ignored: a failing statement is
// skipped and the next one runs. A null entry counts as a failing statement.
template <typename Statement>
void ignoring_errors(Statement&& statement)
{
    try {
        statement();
    } catch (const forms::VbError&) {
    }
}

// An entry that is not there fails its statement as an unset object does.
std::shared_ptr<CPage> require(std::shared_ptr<CPage> page)
{
    if (!page)
        forms::raise(forms::vberr::ObjectVariableNotSet);
    return page;
}

bool valid_position(std::int32_t position) { return position >= kyBPLeft && position <= kyBPRight; }

} // namespace

CWizardNavigator::CWizardNavigator(std::shared_ptr<CPages> registry) : registry_(std::move(registry)) {}

CWizardNavigator::~CWizardNavigator() = default;

QVariant CWizardNavigator::NavigatorIsDie()
{
    emit OnNavigatorDie();
    return {};
}

CWizardNavigator::Button CWizardNavigator::DefaultSetButton(std::int32_t position) const
{
    return valid_position(position) ? default_set_[static_cast<std::size_t>(position - 1)] : Button{};
}

void CWizardNavigator::setDefaultSetButton(std::int32_t position, const Button& button)
{
    if (valid_position(position))
        default_set_[static_cast<std::size_t>(position - 1)] = button;
}

CWizardNavigator::Button CWizardNavigator::CurrentButton(std::int32_t position) const
{
    return valid_position(position) ? effective(static_cast<std::size_t>(position - 1)) : Button{};
}

void CWizardNavigator::setCurrentButton(std::int32_t position, const Button& button)
{
    if (valid_position(position))
        current_set_[static_cast<std::size_t>(position - 1)] = button;
}

void CWizardNavigator::setBannerPicture(const WizardPicture& picture)
{
    banner_picture_ = picture;
    emit OnChangeBannerPicture(banner_picture_);
}

void CWizardNavigator::setWaterMarkPicture(const WizardPicture& picture)
{
    watermark_picture_ = picture;
    emit OnChangeWaterMarkPicture(watermark_picture_);
}

void CWizardNavigator::setNextPageIndex(std::int32_t v)
{
    next_page_index_ = v;
    emit OnChangeNextPageIndex();
}

void CWizardNavigator::setPreviousPageIndex(std::int32_t v)
{
    previous_page_index_ = v;
    emit OnChangePreviousPageIndex();
}

void CWizardNavigator::setBannerStyle(std::int32_t v)
{
    banner_style_ = v;
    emit OnChangeBannerStyle(v);
}

void CWizardNavigator::setPageHeight(std::int32_t v)
{
    page_height_ = v;
    emit YouMustChangeYourHeight(v);
}

void CWizardNavigator::GoToPage(std::int32_t NewPageIndex) { emit OnGoToPage(NewPageIndex); }

void CWizardNavigator::ChangeButtons() { emit OnChangeButtons(); }

void CWizardNavigator::ReportError(std::int32_t Error, const QString& Description, const QString& Source)
{
    emit OnError(Error, Description, Source);
}

void CWizardNavigator::AddPage(const QString& Name, const std::shared_ptr<CPage>& Page)
{
    if (!registry_)
        return;
    for (std::int32_t position = 1; position <= registry_->Count(); ++position) {
        bool same = false;
        ignoring_errors([&] { same = require(registry_->entry(position))->Name() == Name; }); // exact, case-sensitive
        if (same)
            return;
    }
    ignoring_errors([&] { registry_->Add(Page, Name); });
}

void CWizardNavigator::RenamePage(const QString& NewName, const std::shared_ptr<CPage>& Page, const QString& OldName)
{
    if (!registry_)
        return;
    std::int32_t index = 0;
    ignoring_errors([&] { index = require(Page)->PageIndex(); });
    bool found = false;
    for (std::int32_t position = 1; position <= registry_->Count() && !found; ++position)
        ignoring_errors([&] { found = require(registry_->entry(position))->PageIndex() == index; });
    if (found)
        ignoring_errors([&] { registry_->Remove(QVariant(OldName)); });
    ignoring_errors([&] { registry_->Add(Page, NewName); });
}

void CWizardNavigator::RemovePage(const QString& Name)
{
    if (!registry_ || registry_->Count() == 0)
        return;
    for (std::int32_t position = 1; position <= registry_->Count(); ++position) {
        bool same = false;
        ignoring_errors([&] { same = require(registry_->entry(position))->Name() == Name; });
        if (same) {
            ignoring_errors([&] { registry_->Remove(QVariant(Name)); });
            return;
        }
    }
}

void CWizardNavigator::RemoveAllPages()
{
    if (!registry_)
        return;
    try {
        while (registry_->Count() > 0)
            registry_->Remove(QVariant(1));
    } catch (const forms::VbError&) {
        // the first failure ends the walk; the error is cleared
    }
}
