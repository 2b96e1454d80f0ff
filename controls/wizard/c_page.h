#pragma once
// CPage: the proxy of one wizard page control in the page registry. It holds the page control
// and the page's registry name, and reads and writes the page's properties only by name, so
// the navigator side never depends on the page control's class. A proxy whose page control is
// gone (never set, cleared, or destroyed with its form) takes the "no page control" path: the
// critical box under the thread's SharedShowErrorMsg and a zero result, never a dangling call.

#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

class CPage : public QObject {
    Q_OBJECT
    Q_PROPERTY(int PageIndex READ PageIndex WRITE setPageIndex)
    Q_PROPERTY(int PageNext READ PageNext WRITE setPageNext)
    Q_PROPERTY(int PageBack READ PageBack WRITE setPageBack)
    Q_PROPERTY(int PageMode READ PageMode)
    Q_PROPERTY(int ClientTop READ ClientTop)
    Q_PROPERTY(int ClientHeight READ ClientHeight)
    Q_PROPERTY(int ClientWidth READ ClientWidth)
    Q_PROPERTY(int ClientLeft READ ClientLeft)
    Q_PROPERTY(QVariant Tag READ Tag WRITE setTag)
    Q_PROPERTY(QVariant TagVariant READ TagVariant WRITE setTagVariant)
    Q_PROPERTY(QString BannerTitle READ BannerTitle WRITE setBannerTitle)
    Q_PROPERTY(QString BannerDescription READ BannerDescription WRITE setBannerDescription)
    Q_PROPERTY(QString WatermarkTitle READ WatermarkTitle WRITE setWatermarkTitle)
    Q_PROPERTY(QString WatermarkDescription READ WatermarkDescription WRITE setWatermarkDescription)
    Q_PROPERTY(QString WatermarkRule READ WatermarkRule WRITE setWatermarkRule)
    Q_PROPERTY(QString Name READ Name)
    Q_PROPERTY(int HelpContextID READ HelpContextID WRITE setHelpContextID)

public:
    CPage();
    ~CPage() override;

    std::int32_t PageIndex();
    // Never changes the page: PageIndex is read-only through the proxy.
    void setPageIndex(std::int32_t value);
    std::int32_t PageNext();
    void setPageNext(std::int32_t value);
    std::int32_t PageBack();
    void setPageBack(std::int32_t value);
    std::int32_t PageMode();
    std::int32_t ClientTop();
    std::int32_t ClientHeight();
    std::int32_t ClientWidth();
    std::int32_t ClientLeft();
    QVariant Tag();
    void setTag(const QVariant& value);
    // An object held by the page comes back as that object; anything else as a value. A
    // value holding an object is written by reference (Set), any other by value (Let).
    QVariant TagVariant();
    void setTagVariant(const QVariant& value);
    QString BannerTitle();
    void setBannerTitle(const QString& value);
    QString BannerDescription();
    void setBannerDescription(const QString& value);
    QString WatermarkTitle();
    void setWatermarkTitle(const QString& value);
    QString WatermarkDescription();
    void setWatermarkDescription(const QString& value);
    QString WatermarkRule();
    void setWatermarkRule(const QString& value);
    QString Name();
    // Unhandled: a failure reaches the caller.
    std::int32_t HelpContextID();
    void setHelpContextID(std::int32_t value);

    // --- Friend members --------------------------------------------------------------
    // The page control this proxy stands for, as a Variant holding the object (empty when
    // there is none or it is gone).
    QVariant WizardPage();
    // Takes an object (or an empty Variant, which clears it); anything else is refused with
    // the box and leaves the proxy empty.
    void setWizardPage(const QVariant& page);
    void setName(const QString& value);

private:
    QVariant forwarded_get(const char* name, const char* label);
    void forwarded_let(const char* name, const QVariant& value, const char* label);

    QPointer<QObject> wizard_page_;
    QString name_;
};

Q_DECLARE_METATYPE(std::shared_ptr<CPage>)
