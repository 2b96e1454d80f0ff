#include "program/wizard/frm_main.h"

#include "program/report/program_strings.h"
#include "program/report/resources.h"
#include "program/wizard/control_dispatch.h"
#include "program/wizard/domain_list_page.h"
#include "program/wizard/frm_add_domain.h"
#include "program/wizard/list_images.h"
#include "program/wizard/list_page_services.h"
#include "program/wizard/output_actions.h"
#include "program/wizard/processing_run.h"
#include "program/wizard/server_list_page.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/intrinsics/option_button.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/core/vb_error.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

namespace program {

namespace {

constexpr std::int32_t kyWizardGoBack = 1;
constexpr int kServerPage = 7;               // the registry's 7th page: wtSelectOrganizations
constexpr qsizetype kRowsWithoutDomains = 2; // the header and Total rows

// The page a page proxy stands for, by its name (the proxy's Name by DISPID).
QString page_name(QObject* page) { return page ? program::ControlDispatch(page).get("Name").toString() : QString(); }

// Cancels the run from the event loop, never while a handler of the collector's events is
// running: the collector's Cancel waits for its worker, and the worker waits for that
// handler to return. A cancel asked for meanwhile runs when the last handler has returned.
void cancel_from_event_loop(const std::shared_ptr<FrmMain::CollectorShare>& calls)
{
    QTimer::singleShot(0, QApplication::instance(), [calls] {
        if (calls->inEvent > 0) {
            calls->cancelPending = true;
            return;
        }
        try {
            calls->collector->Cancel();
        } catch (const forms::VbError&) {
        }
    });
}

} // namespace

FrmMain::EventScope::EventScope(std::shared_ptr<CollectorShare> calls) : m_calls(std::move(calls))
{
    ++m_calls->inEvent;
}

FrmMain::EventScope::~EventScope()
{
    if (--m_calls->inEvent != 0)
        return;
    if (std::exchange(m_calls->cancelPending, false))
        cancel_from_event_loop(m_calls);
    if (std::exchange(m_calls->closePending, false) && m_calls->form)
        QTimer::singleShot(0, m_calls->form, [form = m_calls->form] {
            if (form)
                form->close();
        });
}

FrmMain::FrmMain(std::shared_ptr<WizardCollector> collector)
    : m_collector(std::move(collector)), m_calls(std::make_shared<CollectorShare>(CollectorShare{m_collector, this})),
      m_frmAddDomain(std::make_unique<FrmAddDomain>()), m_images(MakeListImages())
{
    setName(QStringLiteral("frmMain"));
    m_collector->Advise(
        [this, calls = m_calls](const QString& name, const QString& errorText) {
            const EventScope scope(calls);
            m_collector_DomainCollected(name, errorText);
        },
        [this, calls = m_calls](IOstrelInfoCollection* infos, const QString& errorText) {
            const EventScope scope(calls);
            m_collector_CollectionCompleted(infos, errorText);
        });
    connect(this, &forms::HostForm::Load, this, &FrmMain::Form_Load);
    connect(this, &forms::HostForm::QueryUnload, this, &FrmMain::Form_QueryUnload);
}

FrmMain::~FrmMain()
{
    // No event of the collector reaches a form that is going.
    m_collector->Advise(nullptr, nullptr);
    m_tmrProcessProgress.setEnabled(false);
    m_run.reset();
    m_domains.reset();
    m_servers.reset();
    unload();
}

QString FrmMain::FormFileText()
{
    QFile file(QStringLiteral(":/program/forms/frm_main.frm"));
    if (!file.open(QIODevice::ReadOnly))
        forms::raise(53, QStringLiteral("frmMain"), QStringLiteral("The wizard's form is missing"));
    return QString::fromUtf8(file.readAll());
}

QObject* FrmMain::navigator() const { return m_navigator; }

// The navigator is reached through its dispatch interface, which outlives the control: once
// the form's controls are gone there is nothing to ask or tell.
bool FrmMain::navigator_here() const { return m_navigatorDispatch && m_navigator; }

forms::ControlSite* FrmMain::page(const QString& name) const { return site(name); }

QString FrmMain::CurrentPageName() const
{
    return navigator_here() ? page_name(m_navigatorDispatch->get("CurrentPage").value<QObject*>()) : QString();
}

forms::IntrinsicControl& FrmMain::control(const char* name, int index)
{
    return FormControl<forms::IntrinsicControl>(*this, name, index);
}

void FrmMain::Form_Load()
{
    load(forms::FormFile::parse(FormFileText()));
    BindControls();
    LocalizeForm();
}

void FrmMain::BindControls()
{
    forms::ControlSite* nav = site(QStringLiteral("KyWizardNavigator1"));
    if (nav == nullptr)
        forms::raise(424, Name(), QStringLiteral("The form has no navigator"));
    m_navigator = nav;
    m_navigatorDispatch = std::make_unique<program::ControlDispatch>(nav);
    m_navigatorEvents.push_back(m_navigatorDispatch->connect_event("BeforePageChange", [this](QVariantList& a) {
        QObject* newPage = a[1].value<QObject*>();
        bool cancel = a[3].toBool();
        KyWizardNavigator1_BeforePageChange(a[0].toInt(), newPage, a[2].value<QObject*>(), cancel);
        a[1] = QVariant::fromValue(newPage);
        a[3] = cancel;
    }));
    m_navigatorEvents.push_back(m_navigatorDispatch->connect_event("AfterPageChange", [this](QVariantList& a) {
        KyWizardNavigator1_AfterPageChange(a[0].toInt(), a[1].value<QObject*>(), a[2].value<QObject*>());
    }));
    m_navigatorEvents.push_back(
        m_navigatorDispatch->connect_event("FinishClick", [this](QVariantList&) { KyWizardNavigator1_FinishClick(); }));
    m_navigatorEvents.push_back(
        m_navigatorDispatch->connect_event("CancelClick", [this](QVariantList&) { KyWizardNavigator1_CancelClick(); }));
    // The welcome and processing pages hold nothing to type into: the focus they receive goes
    // on to the navigator's buttons (and from there, while Next is disabled, to the page's own
    // control: KeepFocusOffUnchosenButtons).
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (const char* name : {"wtWelcome", "wtProcessing"}) {
            forms::ControlSite* pageSite = site(QString::fromLatin1(name));
            if (now != nullptr && pageSite != nullptr && now == pageSite->control() && m_navigator) {
                try {
                    forms::call(m_navigator, QStringLiteral("SetFocus"));
                } catch (const forms::VbError&) {
                }
            }
        }
    });
    connect(&control("optNetwork"), &forms::IntrinsicControl::Click, this, [this] { m_bExchange = false; });
    connect(&control("optExchange5"), &forms::IntrinsicControl::Click, this, [this] { m_bExchange = true; });

    ListPageServices services;
    services.setNextEnabled = [this](bool on) { setNextEnabled(on); };
    services.focusNavigator = [this] { FocusDefaultButton(); };
    services.addDialog = m_frmAddDomain.get();
    services.formCaption = [this] { return Caption(); };
    services.owner = this;
    m_domains = std::make_unique<DomainListPage>(*this, m_images, services);
    m_servers = std::make_unique<ServerListPage>(*this, m_images, services);
    BindRun();
}

void FrmMain::LocalizeForm()
{
    Resources& res = Resources::Shared();
    // The library's controls by DISPID, the runtime's intrinsic controls by name.
    const auto set_text = [this, &res](const char* target, const char* property, std::int32_t id) {
        if (forms::ControlSite* placed = site(QString::fromLatin1(target)))
            program::ControlDispatch(placed).let(property, res.LoadString(id));
        else
            forms::let(&control(target), QString::fromLatin1(property), res.LoadString(id));
    };
    const auto set_picture = [this, &res](const char* property, std::int32_t id) {
        m_navigatorDispatch->set(property, QVariant::fromValue(forms::StdPicture::create(res.LoadBitmap(id))));
    };
    setIcon(res.LoadIcon(IDI_WIZARD));                                                            // 1
    set_picture("ImageWaterMark", IDB_WATERMARK);                                                 // 2
    set_picture("ImageBanner", IDB_BANNER);                                                       // 3
    set_picture("ImageWaterMarkBig", IDB_WATERMARK_BIG);                                          // 4
    set_picture("ImageBannerBig", IDB_BANNER_BIG);                                                // 5
    set_text("wtWelcome", "WatermarkTitle", IDS_WELCOME_TITLE);                                   // 6
    set_text("wtWelcome", "WatermarkDescription", IDS_WELCOME_TEXT);                              // 7
    set_text("wtSelectOption", "BannerDescription", IDS_SELECT_OPTION_DESCRIPTION);               // 8
    set_text("wtSelectOption", "BannerTitle", IDS_SELECT_OPTION_TITLE);                           // 9
    set_text("optExchange5", "Caption", IDS_OPTION_EXCHANGE5);                                    // 10
    set_text("optNetwork", "Caption", IDS_OPTION_NETWORK);                                        // 11
    set_text("lblCollectOptions", "Caption", IDS_COLLECT_OPTIONS_LABEL);                          // 12
    set_text("wtSelectDomains", "BannerDescription", IDS_SELECT_DOMAINS_DESCRIPTION);             // 13
    set_text("wtSelectDomains", "BannerTitle", IDS_SELECT_DOMAINS_TITLE);                         // 14
    set_text("wtSelectOrganizations", "BannerDescription", IDS_SELECT_ORGANIZATIONS_DESCRIPTION); // 15
    set_text("wtSelectOrganizations", "BannerTitle", IDS_SELECT_ORGANIZATIONS_TITLE);             // 16
    set_text("wtChooseOutput", "BannerTitle", IDS_RESULTS_TITLE);                                 // 17
    set_text("wtChooseOutput", "BannerDescription", IDS_RESULTS_DESCRIPTION);                     // 18
    set_text("wtFinish", "WatermarkTitle", IDS_FINISH_TITLE);                                     // 19
    set_text("wtFinish", "WatermarkDescription", IDS_FINISH_TEXT);                                // 20
    setCaption(res.LoadString(IDS_WIZARD_CAPTION));                                               // 21
    set_text("piProgressInfo", "Description", IDS_PROGRESS_DESCRIPTION);                          // 22
}

void FrmMain::SetResultsPageText(bool bExchange)
{
    program::ControlDispatch(site(QStringLiteral("wtChooseOutput")))
        .let("BannerDescription",
             program::load_res_string(bExchange ? IDS_RESULTS_DESCRIPTION_EXCHANGE5 : IDS_RESULTS_DESCRIPTION));
}

void FrmMain::resizeEvent(QResizeEvent* event)
{
    HostForm::resizeEvent(event);
    Form_Resize();
}

void FrmMain::Form_Resize()
{
    if (m_domains)
        m_domains->Resize();
    if (m_servers)
        m_servers->Resize();
}

void FrmMain::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode == forms::vbFormControlMenu && !MayLeaveResults()) {
        Cancel = 1;
        return;
    }
    // The collector's events stop here, before any control of the form goes. A run still
    // going is cancelled from the event loop: the collector's Cancel waits for its worker,
    // which is no wait to start inside the window's close.
    m_collector->Advise(nullptr, nullptr);
    if (m_calls->inEvent > 0) {
        // A handler of the collector's events is running (its progress display lets the
        // close in) and still uses the form's controls: the form goes once it has returned.
        Cancel = 1;
        m_calls->closePending = true;
        return;
    }
    if (UnloadMode != forms::vbFormCode)
        cancel_from_event_loop(m_calls);
    // The pages leaving raise no page flow.
    m_navigatorEvents.clear();
    m_frmAddDomain->unload_form(forms::vbFormCode);
    // The run's display and the pages' logic hold controls that go with the form.
    m_tmrProcessProgress.setEnabled(false);
    m_run.reset();
    m_domains.reset();
    m_servers.reset();
}

void FrmMain::KyWizardNavigator1_BeforePageChange(std::int32_t WizardDirection, QObject*& NewPage, QObject* CurrentPage,
                                                  bool& Cancel)
{
    if (page_name(CurrentPage) == u"wtProcessing" && WizardDirection == kyWizardGoBack)
        CancelCollection();
    if (page_name(NewPage) == u"wtSelectDomains") {
        // The option button decides, as the user left the option page.
        if (static_cast<forms::OptionButton&>(control("optExchange5")).Value()) {
            Cancel = true;
            GoToPage(kServerPage);
        } else if (!m_domains->ListFilled()) {
            m_domains->FillDomainList([this] { return m_collector->EnumerateNetwork(); });
        }
    }
}

void FrmMain::KyWizardNavigator1_AfterPageChange(std::int32_t WizardDirection, QObject* CurrentPage, QObject* OldPage)
{
    (void)WizardDirection;
    const QString entered = page_name(CurrentPage);
    if (entered == u"wtProcessing") {
        const QString old = page_name(OldPage);
        if (old == u"wtSelectDomains" || old == u"wtSelectOrganizations") {
            SetProcessingTexts(m_bExchange);
            StartCollection(m_bExchange);
        }
    } else if (entered == u"wtSelectDomains") {
        m_domains->UpdateDomainsNextButton();
    } else if (entered == u"wtSelectOrganizations") {
        m_servers->UpdateServersNextButton();
    } else if (entered == u"wtChooseOutput") {
        SetResultsPageText(m_bExchange);
        // The run disabled Next, so the focus fell to Cancel, where a natural Return would end
        // the program and throw the report away: it rests on the results instead, where
        // Return still presses the page's default button.
        if (QWidget* results = intrinsic(QStringLiteral("fxgOutResults")))
            results->setFocus(Qt::OtherFocusReason);
        return;
    }
    FocusDefaultButton();
}

// The focus a page change leaves behind is where the old page's buttons were: on the finish
// page, whose Next is disabled, it fell to "< Back", so Return went back to the results while
// Finish was drawn as the default. A page entered puts the focus on its default button, where
// Return does what that button says; with the default disabled it rests on the page's own
// control (KeepFocusOffUnchosenButtons).
void FrmMain::FocusDefaultButton()
{
    if (!navigator_here())
        return;
    const int position = m_navigatorDispatch->get("DefaultButton").toInt();
    if (position >= 1 && position <= 4)
        m_navigatorDispatch->call("SetFocusOnButton", {position});
    KeepFocusOffUnchosenButtons();
}

void FrmMain::KyWizardNavigator1_FinishClick() { UnloadForms(); }

void FrmMain::KyWizardNavigator1_CancelClick()
{
    if (!MayLeaveResults())
        return;
    CancelCollection();
    UnloadForms();
}

// Results that were neither saved, copied nor printed exist only in the wizard: leaving by
// Cancel, Esc or the close box asks first, No (the default) keeps them. Finish never asks: it
// is the user's own end of the wizard, after the page that offers the report.
bool FrmMain::MayLeaveResults()
{
    if (m_leavingAgreed || !m_results || m_results->size() <= kRowsWithoutDomains || !m_output || m_output->HandedOut())
        return true;
    // A close held back until a handler has returned comes here again: one Yes is enough.
    m_leavingAgreed = forms::MsgBox(Resources::Shared().LoadString(IDS_RESULTS_NOT_HANDED_OUT),
                                    forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2) == forms::vbYes;
    return m_leavingAgreed;
}

void FrmMain::UnloadForms()
{
    m_frmAddDomain->unload_form(forms::vbFormCode);
    unload_form(forms::vbFormCode);
}

QObject* FrmMain::WizardPage(int n) const
{
    QObject* pages = m_navigatorDispatch->get("WizardPages").value<QObject*>();
    return program::ControlDispatch(pages).get("Item", {n}).value<QObject*>();
}

void FrmMain::GoToPage(int n) { m_navigatorDispatch->call("GoToNewPage", {QVariant::fromValue(WizardPage(n))}); }

void FrmMain::setNextEnabled(bool on)
{
    if (!navigator_here())
        return;
    m_navigatorDispatch->let("RightMiddleButtonEnabled", on);
    if (!on)
        KeepFocusOffUnchosenButtons();
}

// A disabled button hands its focus on to the next one, so a person who pressed Return on
// Next would find it on Back or Cancel, where the next Return cancels the run or ends the
// program. While Next is disabled the focus rests on the page's own control instead: the
// list of a list page, the progress display of the processing page, where Return does nothing.
void FrmMain::KeepFocusOffUnchosenButtons()
{
    if (!navigator_here() || m_navigatorDispatch->get("RightMiddleButtonEnabled").toBool())
        return;
    QWidget* focus = QApplication::focusWidget();
    const QWidget* bar = static_cast<forms::ControlSite*>(m_navigator.data())->control();
    if (focus != nullptr && focus->window() == this && focus != bar && !bar->isAncestorOf(focus))
        return;
    const QString page = CurrentPageName();
    QWidget* rest = nullptr;
    if (page == u"wtSelectDomains")
        rest = intrinsic(QStringLiteral("lstDomainsList"));
    else if (page == u"wtSelectOrganizations")
        rest = intrinsic(QStringLiteral("lstOrgs"));
    else if (page == u"wtProcessing")
        if (forms::ControlSite* progress = site(QStringLiteral("piProgressInfo")))
            rest = progress->control();
    if (rest != nullptr && rest->isVisible())
        rest->setFocus(Qt::OtherFocusReason);
}

} // namespace program
