#pragma once
// KyWizardNavigator: the wizard's button bar, docked to the bottom of a form that holds the
// KyWizardTab pages. It joins the thread's shared navigation object (CWizardNavigator) and
// page registry, keeps the navigator's default button set there, lays out its four buttons
// from the right, keeps the host form at the wizard's size, and drives the page changes:
// Back and Next through the page links, GoToNewPage from the host, and the host's
// BeforePageChange / AfterPageChange around each change.
//
// Only one navigator may live on a form. A second one (placed or loaded) is refused with a
// message and stays inert for its whole life: it touches neither the form nor the shared
// objects.
//
// The implementation is split by concern: ky_wizard_navigator.cpp (properties and
// persistence), ky_wizard_navigator_layout.cpp (life cycle and layout),
// ky_wizard_navigator_pages.cpp (page changes, button dispatch, captions file).

#include "controls/wizard/wizard_error.h"
#include "controls/wizard/wizard_navigator.h"
#include "controls/wizard/wizard_picture.h"
#include "controls/wizard/wizard_types.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/hosting/user_control.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CPages;

namespace forms {
class CommandButton;
class Frame;
class Image;
} // namespace forms

class KyWizardNavigator : public forms::UserControl {
    Q_OBJECT
    Q_PROPERTY(QObject* WizardPages READ WizardPages)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(bool FinishEnabled READ FinishEnabled WRITE setFinishEnabled)
    Q_PROPERTY(int FinishPosition READ FinishPosition WRITE setFinishPosition)
    Q_PROPERTY(int FinishRule READ FinishRule WRITE setFinishRule)
    Q_PROPERTY(bool FinishVisible READ FinishVisible WRITE setFinishVisible)
    Q_PROPERTY(QString FinishCaption READ FinishCaption WRITE setFinishCaption)
    Q_PROPERTY(bool RightMiddleButtonEnabled READ RightMiddleButtonEnabled WRITE setRightMiddleButtonEnabled)
    Q_PROPERTY(bool RightMiddleButtonVisible READ RightMiddleButtonVisible WRITE setRightMiddleButtonVisible)
    Q_PROPERTY(int RightMiddleButtonRule READ RightMiddleButtonRule WRITE setRightMiddleButtonRule)
    Q_PROPERTY(QString RightMiddleButtonCaption READ RightMiddleButtonCaption WRITE setRightMiddleButtonCaption)
    Q_PROPERTY(bool RightButtonEnabled READ RightButtonEnabled WRITE setRightButtonEnabled)
    Q_PROPERTY(bool RightButtonVisible READ RightButtonVisible WRITE setRightButtonVisible)
    Q_PROPERTY(int RightButtonRule READ RightButtonRule WRITE setRightButtonRule)
    Q_PROPERTY(QString RightButtonCaption READ RightButtonCaption WRITE setRightButtonCaption)
    Q_PROPERTY(bool LeftButtonEnabled READ LeftButtonEnabled WRITE setLeftButtonEnabled)
    Q_PROPERTY(bool LeftButtonVisible READ LeftButtonVisible WRITE setLeftButtonVisible)
    Q_PROPERTY(int LeftButtonRule READ LeftButtonRule WRITE setLeftButtonRule)
    Q_PROPERTY(QString LeftButtonCaption READ LeftButtonCaption WRITE setLeftButtonCaption)
    Q_PROPERTY(bool LeftMiddleButtonEnabled READ LeftMiddleButtonEnabled WRITE setLeftMiddleButtonEnabled)
    Q_PROPERTY(bool LeftMiddleButtonVisible READ LeftMiddleButtonVisible WRITE setLeftMiddleButtonVisible)
    Q_PROPERTY(int LeftMiddleButtonRule READ LeftMiddleButtonRule WRITE setLeftMiddleButtonRule)
    Q_PROPERTY(QString LeftMiddleButtonCaption READ LeftMiddleButtonCaption WRITE setLeftMiddleButtonCaption)
    Q_PROPERTY(QObject* CurrentPage READ CurrentPage)
    Q_PROPERTY(int StartPage READ StartPage WRITE setStartPage)
    Q_PROPERTY(forms::PictureRef ImageBanner READ ImageBanner WRITE setImageBanner)
    Q_PROPERTY(forms::PictureRef ImageBannerBig READ ImageBannerBig WRITE setImageBannerBig)
    Q_PROPERTY(forms::PictureRef ImageWaterMark READ ImageWaterMark WRITE setImageWaterMark)
    Q_PROPERTY(forms::PictureRef ImageWaterMarkBig READ ImageWaterMarkBig WRITE setImageWaterMarkBig)
    Q_PROPERTY(forms::FontRef ButtonFont READ ButtonFont WRITE setButtonFont)
    Q_PROPERTY(int ButtonGapTop READ ButtonGapTop WRITE setButtonGapTop)
    Q_PROPERTY(int ButtonGapRight READ ButtonGapRight WRITE setButtonGapRight)
    Q_PROPERTY(int ButtonGapMiddle READ ButtonGapMiddle WRITE setButtonGapMiddle)
    Q_PROPERTY(int ButtonHeight READ ButtonHeight WRITE setButtonHeight)
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE setButtonWidth)
    Q_PROPERTY(int WizardSizeMode READ WizardSizeMode WRITE setWizardSizeMode)
    Q_PROPERTY(int ParentWidth READ ParentWidth WRITE setParentWidth)
    Q_PROPERTY(int ParentHeight READ ParentHeight WRITE setParentHeight)
    Q_PROPERTY(bool HoldParentSize READ HoldParentSize WRITE setHoldParentSize)
    Q_PROPERTY(int BannerHeaderStyle READ BannerHeaderStyle WRITE setBannerHeaderStyle)
    Q_PROPERTY(int DefaultButton READ DefaultButton WRITE setDefaultButton)
    Q_PROPERTY(int CancelButton READ CancelButton WRITE setCancelButton)
    Q_PROPERTY(bool SaveCaptionsToFile READ SaveCaptionsToFile WRITE setSaveCaptionsToFile)
    Q_PROPERTY(bool ShowErrorMsg READ ShowErrorMsg WRITE setShowErrorMsg)

public:
    KyWizardNavigator();
    ~KyWizardNavigator() override;

    // --- pages and surface ---------------------------------------------------------------
    QObject* WizardPages() const;
    std::shared_ptr<CPages> pages() const { return pages_; }
    OLE_COLOR BackColor() const { return back_color_; }
    void setBackColor(OLE_COLOR color);
    bool Enabled() const { return isEnabled(); }
    void setEnabled(bool value);
    Q_INVOKABLE void Refresh();
    // The page shown now; none before the first page change.
    QObject* CurrentPage() const;
    int StartPage() const { return start_page_; }
    void setStartPage(int value);

    // --- Finish dressing -----------------------------------------------------------------
    bool FinishEnabled() const { return finish_.Enabled; }
    void setFinishEnabled(bool value);
    int FinishPosition() const { return finish_position_; }
    void setFinishPosition(int value);
    int FinishRule() const { return finish_.Rule; }
    void setFinishRule(int value);
    bool FinishVisible() const { return finish_.Visible; }
    void setFinishVisible(bool value);
    QString FinishCaption() const { return finish_.Caption; }
    void setFinishCaption(const QString& value);

    // --- the button family, by position (kyBPLeft .. kyBPRight) --------------------------
    // The Gets return the field and, for the buttons the table of refreshes names, also put
    // the field back on the bar's button (a page's set may have changed it meanwhile).
    bool ButtonEnabled(std::int32_t position);
    void setButtonEnabled(std::int32_t position, bool value);
    bool ButtonVisible(std::int32_t position);
    void setButtonVisible(std::int32_t position, bool value);
    std::int32_t ButtonRule(std::int32_t position);
    void setButtonRule(std::int32_t position, std::int32_t value);
    QString ButtonCaption(std::int32_t position);
    void setButtonCaption(std::int32_t position, const QString& value);
#define KY_NAV_BUTTON_MEMBERS(B, P)                                                                                    \
    bool B##ButtonEnabled() { return ButtonEnabled(P); }                                                               \
    void set##B##ButtonEnabled(bool v) { setButtonEnabled(P, v); }                                                     \
    bool B##ButtonVisible() { return ButtonVisible(P); }                                                               \
    void set##B##ButtonVisible(bool v) { setButtonVisible(P, v); }                                                     \
    int B##ButtonRule() { return ButtonRule(P); }                                                                      \
    void set##B##ButtonRule(int v) { setButtonRule(P, v); }                                                            \
    QString B##ButtonCaption() { return ButtonCaption(P); }                                                            \
    void set##B##ButtonCaption(const QString& v) { setButtonCaption(P, v); }
    KY_NAV_BUTTON_MEMBERS(Left, kyBPLeft)
    KY_NAV_BUTTON_MEMBERS(LeftMiddle, kyBPLeftMiddle)
    KY_NAV_BUTTON_MEMBERS(RightMiddle, kyBPRightMiddle)
    KY_NAV_BUTTON_MEMBERS(Right, kyBPRight)
#undef KY_NAV_BUTTON_MEMBERS

    // --- pictures: the plain ones reach the pages on a screen of 15 twips per pixel, the
    // Big ones on any other ----------------------------------------------------------------
    forms::PictureRef ImageBanner() const;
    void setImageBanner(const forms::PictureRef& picture);
    forms::PictureRef ImageBannerBig() const;
    void setImageBannerBig(const forms::PictureRef& picture);
    forms::PictureRef ImageWaterMark() const;
    void setImageWaterMark(const forms::PictureRef& picture);
    forms::PictureRef ImageWaterMarkBig() const;
    void setImageWaterMarkBig(const forms::PictureRef& picture);
    // The four buttons share this one font object.
    forms::FontRef ButtonFont() const { return button_font_; }
    void setButtonFont(const forms::FontRef& font);

    // --- geometry and host-form size -----------------------------------------------------
    int ButtonGapTop() const { return gap_top_; }
    void setButtonGapTop(int value);
    int ButtonGapRight() const { return gap_right_; }
    void setButtonGapRight(int value);
    int ButtonGapMiddle() const { return gap_middle_; }
    void setButtonGapMiddle(int value);
    int ButtonHeight() const { return button_height_; }
    // Below 15 is ignored without a message.
    void setButtonHeight(int value);
    int ButtonWidth() const { return button_width_; }
    void setButtonWidth(int value);
    int WizardSizeMode() const { return size_mode_; }
    // Design time only: at run time error 382 is reported and nothing changes.
    void setWizardSizeMode(int value);
    // The Gets read the form's size into the field (at design time a size other than the
    // standard one makes the mode kyUser); a held form that grew taller is put back. The
    // Lets size the form; they do nothing while the size is held or for a value not above 0.
    int ParentWidth();
    void setParentWidth(int value);
    int ParentHeight();
    void setParentHeight(int value);
    bool HoldParentSize() const { return hold_parent_size_; }
    void setHoldParentSize(bool value);

    // --- page changes and the rest -------------------------------------------------------
    int BannerHeaderStyle() const { return banner_style_; }
    void setBannerHeaderStyle(int value);
    int DefaultButton() const { return default_button_; }
    void setDefaultButton(int value);
    int CancelButton() const { return cancel_button_; }
    void setCancelButton(int value);
    // Always False; any assignment writes the captions file at design time.
    bool SaveCaptionsToFile() const { return false; }
    void setSaveCaptionsToFile(bool value);
    bool ShowErrorMsg() const { return show_error_msg_; }
    void setShowErrorMsg(bool value);
    // NewPage is the host's variable: BeforePageChange handlers may replace it.
    Q_INVOKABLE void GoToNewPage(QObject*& NewPage);
    Q_INVOKABLE void GoToNewPageEx(QObject*& NewPage, std::int32_t WizardDirection);
    Q_INVOKABLE void SetFocusOnButton(std::int32_t New_DefaultButton);
    Q_INVOKABLE void ReleaseAll();
    Q_INVOKABLE void About();

    // The bar's button at a position (1..4), null for any other; for tests and the pages.
    forms::CommandButton* button(std::int32_t position) const;
    forms::Frame* separator() const { return fraTop_; }
    const wizard_errors::LastError& last_error() const { return last_error_; }
    // True for a navigator refused as the second on its form.
    bool refused() const { return refused_; }

    std::span<const forms::StoredChoice> stored_choices() const override;

signals:
    void BeforePageChange(std::int32_t WizardDirection, QObject*& NewPage, QObject* CurrentPage, bool& Cancel);
    void AfterPageChange(std::int32_t WizardDirection, QObject* CurrentPage, QObject* OldPage);
    void FinishClick();
    void CancelClick();
    void HelpClick();
    void ExitClick();
    void OnError(std::int32_t Error, const QString& Description, const QString& Source);
    void OnButtonGotFocus(std::int32_t pButton);

protected:
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(forms::PropertyBag& bag) override;
    void WriteProperties(forms::PropertyBag& bag) override;
    void Resize() override;
    void Show() override;
    void Terminate() override;
    void AccessKeyPress(int key_ascii) override;
    void EnterFocus() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // One button's Visible, Enabled, Caption and Rule, as the shared default set holds them.
    using ButtonField = CWizardNavigator::Button;

    // The error convention: runs `body`; an error is kept, 398 ends silently, any other is
    // reported as OnError and the box with "DisplayName::label".
    void handled(const QString& label, const std::function<void()>& body);
    // Runs `body` and drops any error it raises (the steps the life cycle skips on failure).
    static void ignoring(const std::function<void()>& body);
    bool user_mode() const;
    QString display_name() const;
    CWizardNavigator& nav() const; // 91 without the shared object
    ButtonField& field(std::int32_t position);
    enum class Member { Enabled, Visible, Rule, Caption };
    // The field of a button, after putting it back on the bar as the Get of `member` does.
    const ButtonField& refreshed(std::int32_t position, Member member);
    forms::CommandButton& require_button(std::int32_t position) const;
    void mark(const char* key);
    void button_let(std::int32_t position, const char* member, const std::function<void(ButtonField&)>& store,
                    const std::function<void(forms::CommandButton&)>& show);
    void push_default_set();
    void set_initial_values();
    void read_button_keys(const forms::PropertyBag& bag);
    bool another_navigator_on_form() const;
    void refuse();

    // layout (ky_wizard_navigator_layout.cpp)
    void build_constituents();
    // What a layout of the four buttons redoes: each geometry Let redoes only what its value
    // affects, a resize redoes everything. The routine is private: no client hands it a mode.
    enum class ButtonLayout {
        Tops = 0,       // ButtonGapTop
        GapRight = 1,   // ButtonGapRight: the lefts
        Heights = 2,    // ButtonHeight
        Widths = 3,     // ButtonWidth: the widths, and the lefts that follow from them
        GapMiddle = 4,  // ButtonGapMiddle: the lefts
        Everything = 5, // a resize
    };
    void SetButtonsPosition(ButtonLayout mode);
    void size_host_form();
    void hand_on_page_height();

    // page changes (ky_wizard_navigator_pages.cpp)
    void button_click(std::int32_t position);
    // Back and Next clicked while a change runs (a host's DoEvents lets the clicks through)
    // wait until it has ended; then each reaches its button as the bar is then.
    void run_waiting_clicks();
    // Counts a page change for its whole run, on every path out of it.
    class ChangeRunning {
    public:
        explicit ChangeRunning(KyWizardNavigator* bar);
        ~ChangeRunning();
        ChangeRunning(const ChangeRunning&) = delete;
        ChangeRunning& operator=(const ChangeRunning&) = delete;

    private:
        QPointer<KyWizardNavigator> bar_;
    };
    void BackClick();
    void NextClick();
    void change_page(std::int32_t link, std::int32_t direction, const char* label);
    void go_to_new_page(QObject*& NewPage, const std::int32_t* direction, const char* label);
    // Asks the host, then shows the page its BeforePageChange handler left in NewPage and
    // names that page in AfterPageChange. False when the host cancelled or the bar is gone.
    bool ask_and_show(std::int32_t direction, QObject*& NewPage, QObject* CurrentPage);
    void report(std::int32_t number, const QString& description, const QString& label);
    void KyNav_OnChangeButtons();
    void KyNav_OnChangePreviousPageIndex();
    void KyNav_OnChangeNextPageIndex();
    void KyNav_OnError(std::int32_t Error, const QString& Description, const QString& Source);
    void ApplyDefaultButton(std::int32_t position);
    void ApplyCancelButton(std::int32_t position);
    void SetButtonsEnabledOnEnabledControl();
    void detach_navigator();

    // constituents
    std::array<forms::CommandButton*, 4> buttons_{}; // cmdLeft, cmdLeftMiddle, cmdRightMiddle, cmdRight
    forms::Frame* fraTop_ = nullptr;
    forms::Image* imgBanner_ = nullptr;
    forms::Image* imgBannerBig_ = nullptr;
    forms::Image* imgWatermark_ = nullptr;
    forms::Image* imgWatermarkBig_ = nullptr;

    // fields (zero, empty and False until InitProperties or ReadProperties)
    ButtonField finish_;
    std::int32_t finish_position_ = 0;
    std::array<ButtonField, 4> fields_{};
    std::int32_t default_button_ = 0;
    std::int32_t cancel_button_ = 0;
    std::int32_t start_page_ = 0;
    forms::FontRef button_font_;
    std::int32_t gap_top_ = 0, gap_right_ = 0, gap_middle_ = 0, button_height_ = 0, button_width_ = 0;
    std::int32_t banner_style_ = 0;
    std::int32_t size_mode_ = 0;
    std::int32_t parent_width_ = 0, parent_height_ = 0;
    bool hold_parent_size_ = false;
    bool show_error_msg_ = false;
    OLE_COLOR back_color_ = forms::syscolor::ButtonFace;
    bool focus_pending_ = false;
    int changing_ = 0; // page changes running, the host's own nested ones included
    std::vector<std::int32_t> waiting_clicks_;
    bool refused_ = false;
    wizard_errors::LastError last_error_;
    std::shared_ptr<CWizardNavigator> KyNav_;
    std::shared_ptr<CPages> pages_;
};
