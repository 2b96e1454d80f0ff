#include "controls/options/ky_option_page.h"

#include "controls/message_box.h"
#include "controls/options/c_tab_manager.h"
#include "controls/options/layout_support.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/line.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/hosting/type_name.h"
#include "platform/forms/core/vb_error.h"

#include <cmath>

using forms::Screen;
using options::ignoring_errors;
using options::px_x;
using options::px_y;
using options::whole;

namespace {

const QString kHeaderMode = QStringLiteral("HeaderMode");
const QString kPageIndex = QStringLiteral("PageIndex");
const QString kCaption = QStringLiteral("Caption");
const QString kFont = QStringLiteral("Font");

} // namespace

KyOptionPage::KyOptionPage()
{
    setAccessibleName(QStringLiteral("Option page"));
    caption_ = new forms::Label(this, QStringLiteral("lblPageCaption"), QStringLiteral("KyOptionPage"));
    caption_->setFont(forms::StdFont::create());
    caption_->setAutoSize(true);
    top1_ = new forms::Line(this, QStringLiteral("LTop1"));
    top1_->setBorderColor(forms::syscolor::ButtonShadow);
    top2_ = new forms::Line(this, QStringLiteral("LTop2"));
    top2_->setBorderColor(forms::syscolor::ButtonHighlight);
}

KyOptionPage::~KyOptionPage() = default;

void KyOptionPage::bind(QObject* tree_host)
{
    auto* manager = qobject_cast<CTabManager*>(
        forms::get(tree_host, QStringLiteral("objTabsManager")).value<QObject*>());
    QObject::disconnect(change_tab_);
    QObject::disconnect(resize_base_);
    manager_ = manager;
    if (!manager)
        return;
    change_tab_ = connect(manager, &CTabManager::OnChangeTab, this, &KyOptionPage::on_change_tab);
    resize_base_ = connect(manager, &CTabManager::OnResizeBase, this, &KyOptionPage::on_resize_base);
}

void KyOptionPage::InitProperties()
{
    for (forms::ControlSite* site : ParentForm().sites())
        if (forms::TypeName(site) == QLatin1String("KyTreeBase")) {
            Extender().setContainer(site);
            bind(site);
        }
    Extender().setTabStop(false);
    if (!manager_)
        forms::raise(forms::vberr::ObjectVariableNotSet, QStringLiteral("KyOptionPage"),
                     QStringLiteral("An option page belongs inside a KyTreeBase, and this form has none"));
    page_index_ = manager_->RegisterPage(0);
    Resize();
}

void KyOptionPage::ReadProperties(forms::PropertyBag& bag)
{
    // A page works only inside a tree host, whose registry it joins. One stored anywhere else
    // fails the load with the error its container gave, naming the page and its line, rather
    // than opening as a page no tree can show.
    const QString outside = QStringLiteral("an option page works only inside a KyTreeBase, and this one is not in one");
    try {
        bind(Extender().Container());
    } catch (const forms::VbError& error) {
        bag.refuse(kPageIndex, error.number(), outside);
    }
    if (!manager_)
        bag.refuse(kPageIndex, forms::vberr::ObjectVariableNotSet, outside);
    page_index_ = forms::CInt(bag.ReadProperty(kPageIndex, QVariant::fromValue<short>(0)));
    setHeaderMode(forms::CLng(bag.ReadProperty(kHeaderMode, 0)));
    setCaption(bag.ReadProperty(kCaption, QStringLiteral("KyOptionPage")).toString());
    // By value: the stored face name only; size and weight stay as the header look set them.
    const forms::FontRef stored =
        bag.ReadProperty(kFont, QVariant::fromValue(caption_->Font())).value<forms::FontRef>();
    if (stored)
        caption_->Font()->setName(stored->Name());
    page_index_ = manager_->RegisterPage(page_index_);
    on_change_tab(manager_->CurrentTabIndex());
}

void KyOptionPage::WriteProperties(forms::PropertyBag& bag)
{
    bag.WriteProperty(kHeaderMode, header_mode_);
    bag.WriteProperty(kPageIndex, QVariant::fromValue(page_index_));
    bag.WriteProperty(kCaption, caption_->Caption());
    bag.WriteProperty(kFont, QVariant::fromValue(caption_->Font()));
}

QString KyOptionPage::Caption() const { return caption_->Caption(); }

void KyOptionPage::setCaption(const QString& caption)
{
    caption_->setCaption(caption);
    // A page is read by the caption a person sees on it.
    setAccessibleName(caption.trimmed().isEmpty() ? QStringLiteral("Option page") : caption);
    PropertyChanged(kCaption);
    caption_->setVisible(!caption.isEmpty());
    Resize();
}

forms::FontRef KyOptionPage::Font() const { return caption_->Font(); }

void KyOptionPage::setFont(const forms::FontRef& font)
{
    if (!font)
        forms::raise(forms::vberr::InvalidPropertyValue, QStringLiteral("Font"));
    caption_->setFont(font);
    PropertyChanged(kFont);
    Resize();
}

std::int32_t KyOptionPage::ClientLeft() const { return whole(px_x(2)); }

std::int32_t KyOptionPage::ClientTop() const
{
    if (Caption().isEmpty())
        return whole(px_y(2));
    return whole(std::floor(caption_->Height() / 2) + px_y(2));
}

std::int32_t KyOptionPage::ClientHeight() const { return whole(ScaleHeight() - ClientTop() - px_y(3)); }
std::int32_t KyOptionPage::ClientWidth() const { return whole(ScaleWidth() - px_x(3) - ClientLeft()); }

void KyOptionPage::setHeaderMode(std::int32_t mode)
{
    header_mode_ = mode;
    PropertyChanged(kHeaderMode);
    apply_header_mode(mode);
}

void KyOptionPage::apply_header_mode(std::int32_t mode)
{
    const forms::FontRef font = caption_->Font();
    switch (mode) {
    case kyHMVisualNET:
        top1_->setVisible(true);
        top2_->setVisible(true);
        caption_->setForeColor(forms::syscolor::ButtonText);
        caption_->setBackColor(forms::syscolor::ButtonFace);
        font->setSize(8);
        font->setBold(false);
        caption_->setAutoSize(true);
        caption_->setVisible(true);
        break;
    case kyHMOutlook:
        top1_->setVisible(false);
        top2_->setVisible(false);
        caption_->setAutoSize(false);
        caption_->setForeColor(forms::syscolor::ButtonHighlight);
        caption_->setBackColor(forms::syscolor::ButtonShadow);
        font->setSize(12);
        caption_->setHeight(360);
        font->setBold(true);
        caption_->setWidth(ScaleWidth());
        caption_->setVisible(true);
        break;
    case kyHMNone:
        top1_->setVisible(false);
        top2_->setVisible(false);
        caption_->setVisible(false);
        break;
    default: break;
    }
    Resize();
}

void KyOptionPage::setPageIndex(std::int16_t index)
{
    if (manager_ && manager_->ChangePageIndex(page_index_, index) && index >= 1) {
        page_index_ = index;
        PropertyChanged(kPageIndex);
        return;
    }
    kycomctl::show_message(QStringLiteral("You cannot change page index to specified bacause it is already used"),
                           kycomctl::vbOKOnly, QString());
}

void KyOptionPage::on_change_tab(short index)
{
    ignoring_errors([&] {
        const bool current = index == page_index_;
        Extender().setVisible(current);
        Extender().ZOrder(current ? 0 : 1);
    });
}

void KyOptionPage::on_resize_base()
{
    ignoring_errors([&] {
        QObject* host = Extender().Container();
        Extender().Move(forms::get(host, QStringLiteral("ClientLeft")).toDouble(),
                        forms::get(host, QStringLiteral("ClientTop")).toDouble(),
                        forms::get(host, QStringLiteral("ClientWidth")).toDouble(),
                        forms::get(host, QStringLiteral("ClientHeight")).toDouble());
    });
}

void KyOptionPage::Resize()
{
    if (manager_ && has_site()) {
        ignoring_errors([&] { Extender().setLeft(manager_->AreaLeft); });
        ignoring_errors([&] { Extender().setTop(manager_->AreaTop); });
        ignoring_errors([&] { Extender().setWidth(manager_->AreaWidth); });
        ignoring_errors([&] { Extender().setHeight(manager_->AreaHeight); });
    }
    caption_->Move(0, 0, caption_->Width(), caption_->Height());
    if (header_mode_ == kyHMVisualNET) {
        const double x1 = caption_->Width() + px_x(5);
        const double y = std::floor(caption_->Height() / 2);
        top1_->set_ends(x1, y, ScaleWidth(), y);
        top2_->set_ends(x1, y + px_y(1), ScaleWidth(), y + px_y(1));
    } else if (header_mode_ == kyHMOutlook) {
        caption_->setWidth(ScaleWidth());
    }
}

void KyOptionPage::Show()
{
    if (!manager_)
        return;
    ignoring_errors([&] { Extender().setTop(manager_->AreaTop); });
    ignoring_errors([&] { Extender().setLeft(manager_->AreaLeft); });
}

// At design time the page ends when its designer closes (or it is deleted): its index is free
// again, and loading the form registers it anew. Hiding is no leaving: the tree host hides
// every page but the current one, at design time as at run time, and a hidden page keeps its
// index.
void KyOptionPage::Terminate()
{
    ignoring_errors([&] {
        if (manager_ && !Ambient().UserMode())
            manager_->UnregisterPage(page_index_);
    });
    QObject::disconnect(change_tab_);
    QObject::disconnect(resize_base_);
    manager_ = nullptr;
}
