#pragma once
// The shared, mutable Font object. Controls and the host hold the same object by reference
// (FontRef); a change of any attribute is announced by FontChanged so every holder can
// re-apply it. Clone() gives an independent copy (what a property bag hands out on read).

#include <QFont>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

namespace forms {

class StdFont;
using FontRef = std::shared_ptr<StdFont>;

class StdFont : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE setName)
    Q_PROPERTY(double Size READ Size WRITE setSize)
    Q_PROPERTY(bool Bold READ Bold WRITE setBold)
    Q_PROPERTY(bool Italic READ Italic WRITE setItalic)
    Q_PROPERTY(bool Underline READ Underline WRITE setUnderline)
    Q_PROPERTY(bool Strikethrough READ Strikethrough WRITE setStrikethrough)
    Q_PROPERTY(int Weight READ Weight WRITE setWeight)
    Q_PROPERTY(int Charset READ Charset WRITE setCharset)

public:
    // The runtime's default font: "MS Sans Serif" 8.25 regular.
    StdFont();
    static FontRef create() { return std::make_shared<StdFont>(); }
    FontRef Clone() const;
    bool same_as(const StdFont& other) const;

    QString Name() const { return name_; }
    double Size() const { return size_; }
    bool Bold() const { return weight_ >= 700; }
    bool Italic() const { return italic_; }
    bool Underline() const { return underline_; }
    bool Strikethrough() const { return strikethrough_; }
    int Weight() const { return weight_; }
    int Charset() const { return charset_; }

    void setName(const QString& name);
    void setSize(double size);
    void setBold(bool bold);
    void setItalic(bool italic);
    void setUnderline(bool underline);
    void setStrikethrough(bool strikethrough);
    void setWeight(int weight);
    void setCharset(int charset);

    // The Qt font to paint with.
    QFont to_qfont() const;

signals:
    void FontChanged(const QString& propertyName);

private:
    QString name_;
    double size_;
    int weight_;
    bool italic_ = false;
    bool underline_ = false;
    bool strikethrough_ = false;
    int charset_ = 0;
};

} // namespace forms

Q_DECLARE_METATYPE(forms::FontRef)
