#pragma once
// KyWizardTab: one wizard page. A designer drops one per wizard step on a form; the pages
// join the thread's shared navigation object (CWizardNavigator) and page registry, and the
// KyWizardNavigator bar drives them through it. The page is a container: the host's own
// controls placed on it live, hide and move with it, inside the client area it publishes.
//
// The implementation is split by concern: ky_wizard_tab.cpp (properties and persistence),
// ky_wizard_tab_joining.cpp (the shared object, registration, input events),
// ky_wizard_tab_views.cpp (the banner, watermark and minimized looks and their layout),
// ky_wizard_tab_buttons.cpp (the page's button set and captions file).

#include "controls/wizard/page_buttons.h"
#include "controls/wizard/wizard_error.h"
#include "controls/wizard/wizard_picture.h"
#include "controls/wizard/wizard_types.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/hosting/user_control.h"

#include <QVariant>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class CPage;
class QMouseEvent;
class CWizardNavigator;

namespace forms {
class Frame;
class Image;
class Label;
class Line;
class PictureBox;
} // namespace forms

class KyWizardTab : public forms::UserControl {
    Q_OBJECT
    Q_PROPERTY(QVariant Tag READ Tag WRITE setTag)
    Q_PROPERTY(int HelpContextID READ HelpContextID WRITE setHelpContextID)
    Q_PROPERTY(QVariant TagVariant READ TagVariant WRITE setTagVariant)
    Q_PROPERTY(int ClientTop READ ClientTop)
    Q_PROPERTY(int ClientHeight READ ClientHeight)
    Q_PROPERTY(int ClientLeft READ ClientLeft)
    Q_PROPERTY(int ClientWidth READ ClientWidth)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(short BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(uint BannerBackColor READ BannerBackColor WRITE setBannerBackColor)
    Q_PROPERTY(QString BannerDescription READ BannerDescription WRITE setBannerDescription)
    Q_PROPERTY(forms::FontRef BannerDescriptionFont READ BannerDescriptionFont WRITE setBannerDescriptionFont)
    Q_PROPERTY(uint BannerDescriptionColor READ BannerDescriptionColor WRITE setBannerDescriptionColor)
    Q_PROPERTY(QString BannerTitle READ BannerTitle WRITE setBannerTitle)
    Q_PROPERTY(forms::FontRef BannerTitleFont READ BannerTitleFont WRITE setBannerTitleFont)
    Q_PROPERTY(uint BannerTitleColor READ BannerTitleColor WRITE setBannerTitleColor)
    Q_PROPERTY(QString WatermarkDescription READ WatermarkDescription WRITE setWatermarkDescription)
    Q_PROPERTY(forms::FontRef WaterMarkDescriptionFont READ WaterMarkDescriptionFont WRITE setWaterMarkDescriptionFont)
    Q_PROPERTY(uint WaterMarkDescriptionColor READ WaterMarkDescriptionColor WRITE setWaterMarkDescriptionColor)
    Q_PROPERTY(QString WatermarkRule READ WatermarkRule WRITE setWatermarkRule)
    Q_PROPERTY(forms::FontRef WatermarkRuleFont READ WatermarkRuleFont WRITE setWatermarkRuleFont)
    Q_PROPERTY(uint WatermarkRuleColor READ WatermarkRuleColor WRITE setWatermarkRuleColor)
    Q_PROPERTY(QString WatermarkTitle READ WatermarkTitle WRITE setWatermarkTitle)
    Q_PROPERTY(forms::FontRef WaterMarkTitleFont READ WaterMarkTitleFont WRITE setWaterMarkTitleFont)
    Q_PROPERTY(uint WaterMarkTitleColor READ WaterMarkTitleColor WRITE setWaterMarkTitleColor)
    Q_PROPERTY(int PageIndex READ PageIndex WRITE setPageIndex)
    Q_PROPERTY(int PageBack READ PageBack WRITE setPageBack)
    Q_PROPERTY(int PageNext READ PageNext WRITE setPageNext)
    Q_PROPERTY(int PageMode READ PageMode WRITE setPageMode)
    Q_PROPERTY(int PageState READ PageState WRITE setPageState)
    Q_PROPERTY(QString DisplayName READ DisplayName)
    Q_PROPERTY(PageButtons LeftButton READ LeftButton WRITE setLeftButton)
    Q_PROPERTY(PageButtons LeftMiddleButton READ LeftMiddleButton WRITE setLeftMiddleButton)
    Q_PROPERTY(PageButtons RightMiddleButton READ RightMiddleButton WRITE setRightMiddleButton)
    Q_PROPERTY(PageButtons RightButton READ RightButton WRITE setRightButton)
    Q_PROPERTY(bool UseDefaultButtonSet READ UseDefaultButtonSet WRITE setUseDefaultButtonSet)
    Q_PROPERTY(bool SaveCaptionsToFile READ SaveCaptionsToFile WRITE setSaveCaptionsToFile)

public:
    KyWizardTab();
    ~KyWizardTab() override;

    // --- standard members ------------------------------------------------------------
    QVariant Tag() const;
    void setTag(const QVariant& value);
    int HelpContextID() const;
    void setHelpContextID(int value);
    // An object comes back as the reference it is; a value as a copy.
    QVariant TagVariant() const { return tag_variant_; }
    void setTagVariant(const QVariant& value);
    int ClientTop() const;
    int ClientHeight() const;
    int ClientLeft() const;
    int ClientWidth() const;
    OLE_COLOR BackColor() const { return back_color_; }
    void setBackColor(OLE_COLOR color);
    bool Enabled() const { return isEnabled(); }
    void setEnabled(bool value);
    short BorderStyle() const { return border_style_; }
    void setBorderStyle(short style);
    Q_INVOKABLE void Refresh();

    // --- banner and watermark members (views of the page's elements) ---------------
    OLE_COLOR BannerBackColor() const;
    void setBannerBackColor(OLE_COLOR color);
    QString BannerDescription() const;
    void setBannerDescription(const QString& text);
    forms::FontRef BannerDescriptionFont() const;
    void setBannerDescriptionFont(const forms::FontRef& font);
    OLE_COLOR BannerDescriptionColor() const;
    void setBannerDescriptionColor(OLE_COLOR color);
    QString BannerTitle() const;
    void setBannerTitle(const QString& text);
    forms::FontRef BannerTitleFont() const;
    void setBannerTitleFont(const forms::FontRef& font);
    OLE_COLOR BannerTitleColor() const;
    void setBannerTitleColor(OLE_COLOR color);
    QString WatermarkDescription() const;
    void setWatermarkDescription(const QString& text);
    forms::FontRef WaterMarkDescriptionFont() const;
    void setWaterMarkDescriptionFont(const forms::FontRef& font);
    OLE_COLOR WaterMarkDescriptionColor() const;
    void setWaterMarkDescriptionColor(OLE_COLOR color);
    QString WatermarkRule() const;
    void setWatermarkRule(const QString& text);
    forms::FontRef WatermarkRuleFont() const;
    void setWatermarkRuleFont(const forms::FontRef& font);
    OLE_COLOR WatermarkRuleColor() const;
    void setWatermarkRuleColor(OLE_COLOR color);
    QString WatermarkTitle() const;
    void setWatermarkTitle(const QString& text);
    forms::FontRef WaterMarkTitleFont() const;
    void setWaterMarkTitleFont(const forms::FontRef& font);
    OLE_COLOR WaterMarkTitleColor() const;
    void setWaterMarkTitleColor(OLE_COLOR color);

    // --- sequencing --------------------------------------------------------------------
    int PageIndex() const { return page_index_; }
    // At design time a sibling page that holds the new index takes this page's old one, and
    // the two exchange PageMode, PageBack and PageNext: one exchange per sibling, and the
    // sibling's own Let, nested in this walk, starts no walk of its own.
    void setPageIndex(int index);
    int PageBack() const { return page_back_; }
    void setPageBack(int index);
    int PageNext() const { return page_next_; }
    void setPageNext(int index);
    int PageMode() const { return page_mode_; }
    // Design time only: at run time error 382 is reported and the mode stays.
    void setPageMode(int mode);
    int PageState() const { return page_state_; }
    void setPageState(int state);
    // Friend: no Get. Places the banner picture by the new style on an interior page.
    void setBannerStyle(std::int32_t style);

    // --- button set and captions ----------------------------------------------------
    Q_INVOKABLE void About();
    QString DisplayName() const;
    Q_INVOKABLE PageButtons GetButton(std::int32_t Rule);
    Q_INVOKABLE bool SetButton(std::int32_t Position, const PageButtons& Button);
    PageButtons LeftButton() const { return button_record(kyBPLeft); }
    void setLeftButton(const PageButtons& b) { set_button_record(kyBPLeft, b); }
    PageButtons LeftMiddleButton() const { return button_record(kyBPLeftMiddle); }
    void setLeftMiddleButton(const PageButtons& b) { set_button_record(kyBPLeftMiddle, b); }
    PageButtons RightMiddleButton() const { return button_record(kyBPRightMiddle); }
    void setRightMiddleButton(const PageButtons& b) { set_button_record(kyBPRightMiddle, b); }
    PageButtons RightButton() const { return button_record(kyBPRight); }
    void setRightButton(const PageButtons& b) { set_button_record(kyBPRight, b); }
    Q_INVOKABLE void SetDefaultButton(std::int32_t lRule);
    Q_INVOKABLE void SetCancelButton(std::int32_t lRule);
    bool UseDefaultButtonSet() const { return use_default_button_set_; }
    void setUseDefaultButtonSet(bool value);
    // Always False; any assignment writes the captions file at design time.
    bool SaveCaptionsToFile() const { return false; }
    void setSaveCaptionsToFile(bool value);

    // Friend: the fields of the button set by position (kyBPLeft..kyBPRight), persisted under
    // "LBVisible" .. "RBRule". Each Let marks its own key changed and does nothing else.
    bool ButtonVisible(std::int32_t position) const { return field(position).Visible; }
    void setButtonVisible(std::int32_t position, bool value);
    bool ButtonEnabled(std::int32_t position) const { return field(position).Enabled; }
    void setButtonEnabled(std::int32_t position, bool value);
    QString ButtonCaption(std::int32_t position) const { return field(position).Caption; }
    void setButtonCaption(std::int32_t position, const QString& value);
    std::int32_t ButtonRule(std::int32_t position) const { return field(position).Rule; }
    void setButtonRule(std::int32_t position, std::int32_t value);
    std::int32_t DefaultButton() const { return default_button_; }
    std::int32_t CancelButton() const { return cancel_button_; }
    // Friend: no default (no cancel) button, for the button-set page when no column's box is
    // checked; SetDefaultButton(kyBRNone) would pick the rightmost button without a rule.
    void clear_default_and_cancel(bool clear_default, bool clear_cancel);

    // The page's input handlers: they raise the host's event with the same arguments, by
    // reference, so the values a host handler sets come back to the caller.
    void UserControl_KeyDown(short& KeyCode, short& Shift);
    void UserControl_KeyPress(short& KeyAscii);
    void UserControl_KeyUp(short& KeyCode, short& Shift);
    void UserControl_MouseDown(short& Button, short& Shift, float& x, float& y);
    void UserControl_MouseMove(short& Button, short& Shift, float& x, float& y);
    void UserControl_MouseUp(short& Button, short& Shift, float& x, float& y);
    void UserControl_Click();

    // The last error one of the page's procedures caught.
    const wizard_errors::LastError& last_error() const { return last_error_; }
    // The page's elements, by their names (picBanner, lblHeaderTitle, LMark, ...): for tests
    // and the property pages. Null for an unknown name.
    QWidget* element(const QString& name) const;

    std::span<const forms::StoredChoice> stored_choices() const override;

signals:
    void KeyDown(short& KeyCode, short& Shift);
    void KeyPress(short& KeyAscii);
    void KeyUp(short& KeyCode, short& Shift);
    void MouseDown(short& Button, short& Shift, float& x, float& y);
    void MouseMove(short& Button, short& Shift, float& x, float& y);
    void MouseUp(short& Button, short& Shift, float& x, float& y);
    void Click();

protected:
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(forms::PropertyBag& bag) override;
    void WriteProperties(forms::PropertyBag& bag) override;
    void Resize() override;
    void Show() override;
    void Hide() override;
    void Terminate() override;
    void AmbientChanged(const QString& name) override;
    // A click on the page's background leaves the focus where it is, unless it is a Tab stop.
    bool takes_click_focus_without_tab_stop() const override { return false; }

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct ButtonField {
        bool Visible = false;
        bool Enabled = false;
        QString Caption;
        std::int32_t Rule = kyBRNone;
    };

    // The error convention: runs `body`; an error is kept, 398 ends silently, any other is
    // reported with "DisplayName::label" while the page holds the shared object.
    void handled(const QString& label, const std::function<void()>& body);
    bool user_mode() const;
    CWizardNavigator& navigator() const; // 91 without the shared object
    // The sibling pages on the parent form (this page excluded), in Controls order.
    std::vector<KyWizardTab*> sibling_pages() const;
    void set_label_text(forms::Label* label, const QString& text, const char* key);
    // Assistive tools name the page by the title it shows (the watermark's or the banner's).
    void name_page();
    void set_label_font(forms::Label* label, const forms::FontRef& font, const char* key);
    void set_label_color(forms::Label* label, OLE_COLOR color, const char* key);

    // joining
    void register_page();
    void kyPage_OnChangeBannerPicture(const WizardPicture& BannerImage);
    void kyPage_OnChangeBannerStyle(std::int32_t New_BannerStyle);
    void kyPage_OnChangeWaterMarkPicture(const WizardPicture& WaterMarkImage);
    void kyPage_OnGoToPage(std::int32_t NewPageIndex);
    void kyPage_OnNavigatorDie();
    void kyPage_YouMustChangeYourHeight(std::int32_t New_TabHeight);
    void detach_navigator();
    // Raises one of the mouse events with the arguments of a Qt mouse event.
    void raise_mouse(const QMouseEvent& event, short buttons,
                     void (KyWizardTab::*handler)(short&, short&, float&, float&));

    // views
    void build_elements();
    void layout();
    // Resize's work: lays the page out for its size and state. False when the page went while
    // the layout let events run (a host's timer unloaded the form), so the caller touches
    // nothing more.
    bool relayout();
    void layout_minimized();
    void layout_maximized();
    void SetWelcomeView(bool ShowBanner, bool ShowWatermark, bool ShowMinimized);
    void SetBannerImagePlace();
    void show_pictures_for_mode();
    void place_size_hint(bool watermark);
    void draw_client_outline();
    void apply_watermark_title_rule();

    // button set
    const ButtonField& field(std::int32_t position) const;
    ButtonField& field(std::int32_t position);
    PageButtons button_record(std::int32_t position) const;
    // The rightmost position whose rule is `rule`, 0 when none has it.
    std::int32_t rightmost_position_with_rule(std::int32_t rule) const;
    void set_button_record(std::int32_t position, const PageButtons& record);
    void read_button_set(const forms::PropertyBag& bag);
    void write_button_set(forms::PropertyBag& bag) const;

    // state of the properties
    std::int32_t page_index_ = 1;
    std::int32_t page_back_ = 0;
    std::int32_t page_next_ = 0;
    std::int32_t page_mode_ = InteriorPage;
    std::int32_t page_state_ = Maximized;
    QVariant tag_variant_;
    std::int32_t banner_style_ = kyOSWindows2k;
    QVariant saved_left_, saved_top_;
    OLE_COLOR back_color_ = forms::syscolor::ButtonFace;
    short border_style_ = 0;
    wizard_errors::LastError last_error_;

    // joining
    std::shared_ptr<CWizardNavigator> kyPage_;
    std::shared_ptr<CPage> own_page_;
    QString registered_name_;
    std::array<ButtonField, 4> navigator_defaults_{};
    std::int32_t navigator_default_button_ = kyBPNone;
    std::int32_t navigator_cancel_button_ = kyBPNone;

    // button set
    std::array<ButtonField, 4> buttons_{};
    std::int32_t default_button_ = kyBPNone;
    std::int32_t cancel_button_ = kyBPNone;
    bool use_default_button_set_ = true;

    // elements
    forms::PictureBox* picBanner_ = nullptr;
    forms::Label* lblHeaderTitle_ = nullptr;
    forms::Label* lblHeaderDescription_ = nullptr;
    forms::Image* imgHeaderBanner_ = nullptr;
    forms::Frame* fraBanner_ = nullptr;
    forms::Image* ImageWaterMark_ = nullptr;
    forms::Label* lblWatermarkTitle_ = nullptr;
    forms::Label* lblWatermarkDescription_ = nullptr;
    forms::Label* lblRule_ = nullptr;
    forms::PictureBox* picMinimize_ = nullptr;
    forms::Line* LTop_ = nullptr;
    forms::Line* LLeft_ = nullptr;
    forms::Line* LBottom_ = nullptr;
    forms::Line* LRight_ = nullptr;
    forms::Image* imgLogo_ = nullptr;
    forms::Label* lblPageIndex_ = nullptr;
    forms::Label* lblDisplayName_ = nullptr;
    forms::Line* LClientLeft_ = nullptr;
    forms::Line* LClientTop_ = nullptr;
    forms::Line* LClientRight_ = nullptr;
    forms::Line* LClientBottom_ = nullptr;
    forms::Line* LMark_ = nullptr;
    forms::Label* lblImageSize_ = nullptr;
};
