#pragma once
// A design-time property page: a widget the property sheet shows in one tab. The sheet hands
// it the selected controls (their extenders; pages of this system edit item 0) and calls
// SelectionChanged to load the fields and ApplyChanges to write them back by property name
// (late_binding.h). A page edits the control itself, not its extender: a control whose own
// member shares a name with one of the site's (a progress bar's caption Align, the site's
// docking Align) is edited in its own. A page sets Changed to have the sheet offer Apply. An error raised while
// applying reaches the sheet, which shows it; what was written before the error stays.
// A page that draws on itself does so in Paint, which runs on every paint of the page.

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QWidget>

#include <vector>

namespace forms {

class PropertyPage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Changed READ Changed WRITE setChanged)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)

public:
    explicit PropertyPage(QWidget* parent = nullptr);

    const std::vector<QObject*>& SelectedControls() const { return selected_; }
    // The control of item 0 of the selection (the object behind its extender), the one the
    // library's pages edit; 91 when none is selected.
    QObject* first_selected() const;
    bool Changed() const { return changed_; }
    void setChanged(bool changed);
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption) { caption_ = caption; }

    // The page's late-bound access to first_selected(): each remembers the member it reaches,
    // so an error while loading or applying can name the property it stopped at.
    QVariant get(const QString& property);
    void let(const QString& property, const QVariant& value);
    void set(const QString& property, const QVariant& object);
    QVariant call(const QString& method, const QVariantList& args = {});
    // The member the page reached last in its current load or apply (empty before any).
    const QString& current_property() const { return current_property_; }
    // The properties the page's last apply wrote that the control refused without an error:
    // read back now, it still holds the value it held before, not the one written. Only plain
    // values (numbers, texts, Booleans) are compared.
    QStringList not_kept() const;
    // Whether the page's last load ran to its end. A page that did not load shows no values
    // of the control and is disabled: it takes no part in OK or Apply.
    bool loaded() const { return loaded_; }

    // The sheet's calls. apply is false when the page refused to apply (see refuse_apply).
    void set_selection(std::vector<QObject*> controls);
    bool apply();

signals:
    void ChangedChanged(bool changed);

protected:
    virtual void SelectionChanged() {}
    virtual void ApplyChanges() {}
    virtual void Paint() {}
    // Called by ApplyChanges that wrote nothing because a field is refused (the page has told
    // the designer why): the page stays changed and OK keeps the sheet open.
    void refuse_apply() { apply_refused_ = true; }

    void paintEvent(QPaintEvent* event) override;
    // A page is built in code, in no particular order: Tab and Shift+Tab follow its layout.
    bool focusNextPrevChild(bool next) override;

private:
    std::vector<QObject*> selected_;
    bool changed_ = false;
    bool loaded_ = false;
    bool apply_refused_ = false;
    QString current_property_;
    // What the page last read of each property (by lower-case name): what the control held
    // before the page wrote it, without reading it once more.
    QHash<QString, QVariant> last_read_;
    struct Written {
        QString property;
        QVariant value;
        QVariant before;
    };
    std::vector<Written> written_;
    QString caption_;
};

} // namespace forms
