#pragma once
// A stand-in for a selected control that records the order in which a property page calls
// its setters, and answers the page's reads with the values it holds.

#include <QObject>
#include <QString>
#include <QStringList>

class SetterLog : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)
    Q_PROPERTY(bool Wrap READ Wrap WRITE setWrap)
    Q_PROPERTY(int Increment READ Increment WRITE setIncrement)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Value READ Value WRITE setValue)

public:
    QStringList calls;

    bool AutoSize() const { return auto_size_; }
    void setAutoSize(bool v)
    {
        auto_size_ = v;
        log("AutoSize", v);
    }
    bool Enabled() const { return enabled_; }
    void setEnabled(bool v)
    {
        enabled_ = v;
        log("Enabled", v);
    }
    QString Caption() const { return caption_; }
    void setCaption(const QString& v)
    {
        caption_ = v;
        calls << QStringLiteral("Caption=") + v;
    }
    int Alignment() const { return alignment_; }
    void setAlignment(int v)
    {
        alignment_ = v;
        log("Alignment", v);
    }
    bool Visible() const { return visible_; }
    void setVisible(bool v)
    {
        visible_ = v;
        log("Visible", v);
    }
    bool Wrap() const { return wrap_; }
    void setWrap(bool v)
    {
        wrap_ = v;
        log("Wrap", v);
    }
    int Increment() const { return increment_; }
    void setIncrement(int v)
    {
        increment_ = v;
        log("Increment", v);
    }
    int Max() const { return max_; }
    void setMax(int v)
    {
        max_ = v;
        log("Max", v);
    }
    int Min() const { return min_; }
    void setMin(int v)
    {
        min_ = v;
        log("Min", v);
    }
    int Value() const { return value_; }
    void setValue(int v)
    {
        value_ = v;
        log("Value", v);
    }

private:
    void log(const char* name, int value) { calls << QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(value); }

    bool auto_size_ = true, enabled_ = true, visible_ = false, wrap_ = true;
    QString caption_ = QStringLiteral("Logged");
    int alignment_ = 1, increment_ = 2, max_ = 50, min_ = -50, value_ = 7;
};
