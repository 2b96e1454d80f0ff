#pragma once
// A small control for the runtime's tests: a few persisted properties of each kind, a
// method, an event with a by-reference argument, and a log of the life-cycle calls.

#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/hosting/user_control.h"

#include <QStringList>

class ProbeControl : public forms::UserControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(bool Flag READ Flag WRITE setFlag)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(forms::FontRef DisplayFont READ DisplayFont WRITE setDisplayFont)
    Q_PROPERTY(QStringList Log READ Log)
    Q_PROPERTY(int ReadOnly READ ReadOnly)

public:
    QString Caption() const { return caption_; }
    void setCaption(const QString& c);
    int Max() const { return max_; }
    void setMax(int max);
    bool Flag() const { return flag_; }
    void setFlag(bool f)
    {
        flag_ = f;
        PropertyChanged(QStringLiteral("Flag"));
    }
    OLE_COLOR ForeColor() const { return fore_; }
    void setForeColor(OLE_COLOR c)
    {
        fore_ = c;
        PropertyChanged(QStringLiteral("ForeColor"));
    }
    forms::FontRef DisplayFont() const { return font_; }
    void setDisplayFont(forms::FontRef f)
    {
        font_ = std::move(f);
        PropertyChanged(QStringLiteral("DisplayFont"));
    }
    QStringList Log() const { return log_; }
    int ReadOnly() const { return 7; }

    // Raises Ask; returns what the handlers left in Cancel.
    Q_INVOKABLE bool Fire(const QString& what);
    Q_INVOKABLE int Add(int a, int b = 1) { return a + b; }
    Q_INVOKABLE void Fail() const;

    // Where the log goes besides the property: a test may keep it past the control's life.
    static QStringList* shared_log;

signals:
    void Ask(const QString& what, bool& Cancel);
    void Changed();

protected:
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(forms::PropertyBag& bag) override;
    void WriteProperties(forms::PropertyBag& bag) override;
    void Resize() override { note(QStringLiteral("Resize")); }
    void Show() override { note(QStringLiteral("Show")); }
    void Hide() override { note(QStringLiteral("Hide")); }
    void Terminate() override;
    void AmbientChanged(const QString& name) override { note(QStringLiteral("AmbientChanged ") + name); }
    void AccessKeyPress(int key) override { note(QStringLiteral("AccessKeyPress %1").arg(key)); }

private:
    void note(const QString& what);

    QString caption_;
    int max_ = 100;
    bool flag_ = false;
    OLE_COLOR fore_ = forms::syscolor::ButtonText;
    forms::FontRef font_;
    QStringList log_;
};
