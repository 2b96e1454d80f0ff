#pragma once
// frmMain: the wizard. One window loaded from the program's form file (frm_main.frm among
// the program's resources): the navigator's button bar and the seven pages wtWelcome ..
// wtSelectOrganizations with their controls. At load it takes its texts and images from the
// program's resources (LocalizeForm); its handlers of the navigator's page changes add the
// wizard's own flow on top of the pages' links: the option page leads to the server page in
// Exchange 5.5 mode, the domain list is filled from the network on its first visit, and a
// run starts only when the processing page is entered from a list page. The run's progress
// and log are a ProcessingRun, its end fills the results grid, and the results page's buttons
// are OutputActions. Finish, Cancel and the close box end the wizard; Cancel and the close
// box cancel a run first.
//
// The collector is held for the form's life; its events reach the form on the UI thread and
// are detached before any widget of the form goes. A close asked for while one of those
// events is handled waits until the handler has returned.

#include "program/client/wizard_collector.h"
#include "program/report/session_log.h"

#include "platform/forms/hosting/host_form.h"
#include "platform/forms/intrinsics/image_list.h"
#include "platform/forms/services/interval_timer.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace forms {
class ControlSite;
class IntrinsicControl;
} // namespace forms

namespace program {

class ControlDispatch;
class DomainListPage;
class EventConnection;
class FrmAddDomain;
class OutputActions;
class ProcessingRun;
class ServerListPage;

class FrmMain : public forms::HostForm {
    Q_OBJECT

public:
    // Form_Initialize: the form keeps `collector` for its life.
    explicit FrmMain(std::shared_ptr<WizardCollector> collector);
    ~FrmMain() override;

    // The form file the form loads, as the program carries it.
    static QString FormFileText();

    // The navigator and a page or control by its name on the form (null when none).
    QObject* navigator() const;
    forms::ControlSite* page(const QString& name) const;
    // The page shown now, by its name ("" before the first).
    QString CurrentPageName() const;
    DomainListPage* domains() const { return m_domains.get(); }
    ServerListPage* servers() const { return m_servers.get(); }
    FrmAddDomain& addDialog() const { return *m_frmAddDomain; }
    bool Exchange() const { return m_bExchange; }
    // The session log of the form's life.
    const QString& Log() const { return m_log.text(); }
    // The processing page's timer: on while a run is going.
    bool ProcessTimerOn() const { return m_tmrProcessProgress.Enabled(); }

    // The collector as the form's handlers share it with calls that outlive them: how many
    // of its events are being handled now, and a cancel and a close of the form waiting for
    // them to return.
    struct CollectorShare {
        std::shared_ptr<WizardCollector> collector;
        QPointer<QWidget> form;
        int inEvent = 0;
        bool cancelPending = false;
        bool closePending = false;
    };

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Marks a handler of the collector's events as running for its scope.
    class EventScope {
    public:
        explicit EventScope(std::shared_ptr<CollectorShare> calls);
        ~EventScope();
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;

    private:
        std::shared_ptr<CollectorShare> m_calls;
    };

    void Form_Load();
    void Form_Resize();
    void Form_QueryUnload(int& Cancel, int UnloadMode);
    void LocalizeForm();
    void SetResultsPageText(bool bExchange);
    void BindControls();

    void KyWizardNavigator1_BeforePageChange(std::int32_t WizardDirection, QObject*& NewPage, QObject* CurrentPage,
                                             bool& Cancel);
    void KyWizardNavigator1_AfterPageChange(std::int32_t WizardDirection, QObject* CurrentPage, QObject* OldPage);
    void KyWizardNavigator1_FinishClick();
    void KyWizardNavigator1_CancelClick();

    // The collection run and its results (frm_main_run.cpp).
    void BindRun();
    void SetProcessingTexts(bool bExchange);
    void StartCollection(bool bExchange);
    // The names to collect: every server, or the ticked domains; none when no name qualifies.
    std::optional<QStringList> BuildNameList(bool bExchange) const;
    void CancelCollection();
    void m_collector_DomainCollected(const QString& sDomainName, const QString& ErrorString);
    void m_collector_CollectionCompleted(IOstrelInfoCollection* pInfos, const QString& ErrorString);

    // The wizard ends: the input dialog and this form are unloaded.
    void UnloadForms();
    // True when leaving loses no results, or the user said Yes to losing them.
    bool MayLeaveResults();
    // The page registry's n-th page, and a move there.
    QObject* WizardPage(int n) const;
    void GoToPage(int n);
    void setNextEnabled(bool on);
    void KeepFocusOffUnchosenButtons();
    void FocusDefaultButton();
    forms::IntrinsicControl& control(const char* name, int index = -1);

    std::shared_ptr<WizardCollector> m_collector;
    std::shared_ptr<CollectorShare> m_calls;
    std::unique_ptr<FrmAddDomain> m_frmAddDomain;
    forms::ImageList m_images;
    std::unique_ptr<DomainListPage> m_domains;
    std::unique_ptr<ServerListPage> m_servers;
    QPointer<QObject> m_navigator;
    // The navigator's members and events by DISPID (control_dispatch.h).
    std::unique_ptr<program::ControlDispatch> m_navigatorDispatch;
    bool navigator_here() const;
    std::vector<program::EventConnection> m_navigatorEvents;

    bool m_bExchange = false;
    SessionLog m_log;
    forms::IntervalTimer m_tmrProcessProgress;
    std::unique_ptr<program::ProcessingRun> m_run;
    // The last results matrix, which the output actions hand out.
    std::optional<QStringList> m_results;
    std::unique_ptr<program::OutputActions> m_output;
    // The user said Yes to losing the results.
    bool m_leavingAgreed = false;
};

} // namespace program
