#pragma once
// CWizardNavigator: the one navigation object per UI thread that every wizard control of the
// thread shares (module modBase creates and releases it). The controls never hold each
// other; they write their button sets and page links here and learn what to do from its
// events, which are raised synchronously and may re-enter it. Private to the library.

#include "controls/wizard/wizard_picture.h"
#include "controls/wizard/wizard_types.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <array>
#include <cstdint>
#include <memory>

class CPage;
class CPages;

class CWizardNavigator : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool ShowErrorMsg READ ShowErrorMsg WRITE setShowErrorMsg)
public:
    // The new object takes `registry` as the thread's page registry (modBase passes the one it
    // has just created).
    explicit CWizardNavigator(std::shared_ptr<CPages> registry);
    ~CWizardNavigator() override;

    // --- public members --------------------------------------------------------------
    Q_INVOKABLE QVariant NavigatorIsDie();
    bool ShowErrorMsg() const { return show_error_msg_; }
    void setShowErrorMsg(bool value) { show_error_msg_ = value; }

    // --- Friend properties -----------------------------------------------------------
    // One button of a set, positions kyBPLeft (index 0) to kyBPRight (index 3).
    struct Button {
        bool Visible = false;
        bool Enabled = false;
        QString Caption;
        std::int32_t Rule = kyBRNone;
    };

    std::int32_t DefaultSetDefaultButton() const { return default_set_default_button_; }
    void setDefaultSetDefaultButton(std::int32_t v) { default_set_default_button_ = v; }
    std::int32_t DefaultSetCancelButton() const { return default_set_cancel_button_; }
    void setDefaultSetCancelButton(std::int32_t v) { default_set_cancel_button_ = v; }

    // The Default... and Current... items of the four buttons, named as the state table
    // names them (DefaultSetLBVisible, CurrentRMBCaption, ...). A Current... Get answers the
    // default set's value while UseDefaultButtonSet is True.
#define KY_NAVIGATOR_BUTTON(B, I)                                                                                      \
    bool DefaultSet##B##Visible() const { return default_set_[I].Visible; }                                            \
    void setDefaultSet##B##Visible(bool v) { default_set_[I].Visible = v; }                                            \
    bool DefaultSet##B##Enabled() const { return default_set_[I].Enabled; }                                            \
    void setDefaultSet##B##Enabled(bool v) { default_set_[I].Enabled = v; }                                            \
    QString DefaultSet##B##Caption() const { return default_set_[I].Caption; }                                         \
    void setDefaultSet##B##Caption(const QString& v) { default_set_[I].Caption = v; }                                  \
    std::int32_t DefaultSet##B##Rule() const { return default_set_[I].Rule; }                                          \
    void setDefaultSet##B##Rule(std::int32_t v) { default_set_[I].Rule = v; }                                          \
    bool Current##B##Visible() const { return effective(I).Visible; }                                                  \
    void setCurrent##B##Visible(bool v) { current_set_[I].Visible = v; }                                               \
    bool Current##B##Enabled() const { return effective(I).Enabled; }                                                  \
    void setCurrent##B##Enabled(bool v) { current_set_[I].Enabled = v; }                                               \
    QString Current##B##Caption() const { return effective(I).Caption; }                                               \
    void setCurrent##B##Caption(const QString& v) { current_set_[I].Caption = v; }                                     \
    std::int32_t Current##B##Rule() const { return effective(I).Rule; }                                                \
    void setCurrent##B##Rule(std::int32_t v) { current_set_[I].Rule = v; }
    KY_NAVIGATOR_BUTTON(LB, 0)
    KY_NAVIGATOR_BUTTON(LMB, 1)
    KY_NAVIGATOR_BUTTON(RMB, 2)
    KY_NAVIGATOR_BUTTON(RB, 3)
#undef KY_NAVIGATOR_BUTTON

    // The same items by position (kyBPLeft .. kyBPRight), for code that walks the buttons.
    // A position outside 1..4 answers an empty button and stores nothing.
    Button DefaultSetButton(std::int32_t position) const;
    void setDefaultSetButton(std::int32_t position, const Button& button);
    Button CurrentButton(std::int32_t position) const;
    void setCurrentButton(std::int32_t position, const Button& button);

    std::int32_t CurrentPageIndex() const { return current_page_index_; }
    void setCurrentPageIndex(std::int32_t v) { current_page_index_ = v; }
    std::int32_t StartPage() const { return start_page_; }
    void setStartPage(std::int32_t v) { start_page_ = v; }
    WizardPicture BannerPicture() const { return banner_picture_; }
    void setBannerPicture(const WizardPicture& picture);
    WizardPicture WaterMarkPicture() const { return watermark_picture_; }
    void setWaterMarkPicture(const WizardPicture& picture);
    std::int32_t NextPageIndex() const { return next_page_index_; }
    void setNextPageIndex(std::int32_t v);
    std::int32_t PreviousPageIndex() const { return previous_page_index_; }
    void setPreviousPageIndex(std::int32_t v);
    std::int32_t BannerStyle() const { return banner_style_; }
    void setBannerStyle(std::int32_t v);
    std::int32_t CurrentDefaultButton() const { return current_default_button_; }
    void setCurrentDefaultButton(std::int32_t v) { current_default_button_ = v; }
    std::int32_t CurrentCancelButton() const { return current_cancel_button_; }
    void setCurrentCancelButton(std::int32_t v) { current_cancel_button_ = v; }
    bool UseDefaultButtonSet() const { return use_default_button_set_; }
    void setUseDefaultButtonSet(bool v) { use_default_button_set_ = v; }
    std::int32_t PageHeight() const { return page_height_; }
    void setPageHeight(std::int32_t v);

    // The thread's page registry, as the navigator control hands it to its host.
    const std::shared_ptr<CPages>& registry() const { return registry_; }

    // --- Friend operations -----------------------------------------------------------
    void GoToPage(std::int32_t NewPageIndex);
    void ChangeButtons();
    void ReportError(std::int32_t Error, const QString& Description, const QString& Source);
    void AddPage(const QString& Name, const std::shared_ptr<CPage>& Page);
    void RenamePage(const QString& NewName, const std::shared_ptr<CPage>& Page, const QString& OldName);
    void RemovePage(const QString& Name);
    void RemoveAllPages();

signals:
    void OnChangeBannerPicture(const WizardPicture& BannerImage);
    void OnChangeWaterMarkPicture(const WizardPicture& WaterMarkImage);
    void OnChangeBannerStyle(std::int32_t New_BannerStyle);
    void OnGoToPage(std::int32_t NewPageIndex);
    void OnChangeNextPageIndex();
    void OnChangePreviousPageIndex();
    void OnChangeButtons();
    void YouMustChangeYourHeight(std::int32_t New_TabHeight);
    void OnNavigatorDie();
    void OnError(std::int32_t Error, const QString& Description, const QString& Source);

private:
    const Button& effective(std::size_t index) const
    {
        return use_default_button_set_ ? default_set_[index] : current_set_[index];
    }

    std::int32_t default_set_default_button_ = kyBPRightMiddle;
    std::int32_t default_set_cancel_button_ = kyBPRight;
    std::array<Button, 4> default_set_{{
        {false, true, QStringLiteral("&Help"), kyBRHelp},
        {true, true, QStringLiteral("< &Back"), kyBRBack},
        {true, true, QStringLiteral("&Next >"), kyBRNext},
        {true, true, QStringLiteral("Cancel"), kyBRCancel},
    }};
    std::int32_t current_page_index_ = 0;
    std::int32_t start_page_ = 1;
    WizardPicture banner_picture_;
    WizardPicture watermark_picture_;
    std::int32_t next_page_index_ = 0;
    std::int32_t previous_page_index_ = 0;
    std::int32_t banner_style_ = kyOSWindows2k;
    std::int32_t current_default_button_ = kyBPNone;
    std::int32_t current_cancel_button_ = kyBPNone;
    std::array<Button, 4> current_set_{};
    bool use_default_button_set_ = false;
    std::int32_t page_height_ = 0;
    bool show_error_msg_ = false;
    std::shared_ptr<CPages> registry_;
};
