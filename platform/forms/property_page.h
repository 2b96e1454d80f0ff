#pragma once
// A design-time property page: a widget the property sheet shows in one tab. The sheet hands
// it the selected controls (their extenders; pages of this system edit item 0) and calls
// SelectionChanged to load the fields and ApplyChanges to write them back by property name
// (late_binding.h). A page sets Changed to have the sheet offer Apply. An error raised while
// applying reaches the sheet, which shows it; what was written before the error stays.
// A page that draws on itself does so in Paint, which runs on every paint of the page.

#include <QObject>
#include <QString>
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
    // Item 0 of the selection, the control the library's pages edit; 91 when none is selected.
    QObject* first_selected() const;
    bool Changed() const { return changed_; }
    void setChanged(bool changed);
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption) { caption_ = caption; }

    // The sheet's calls.
    void set_selection(std::vector<QObject*> controls);
    void apply();

signals:
    void ChangedChanged(bool changed);

protected:
    virtual void SelectionChanged() {}
    virtual void ApplyChanges() {}
    virtual void Paint() {}

    void paintEvent(QPaintEvent* event) override;
    // A page is built in code, in no particular order: Tab and Shift+Tab follow its layout.
    bool focusNextPrevChild(bool next) override;

private:
    std::vector<QObject*> selected_;
    bool changed_ = false;
    QString caption_;
};

} // namespace forms
