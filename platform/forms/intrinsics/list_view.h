#pragma once
// ListView: the runtime's list of items in report view, an intrinsic control (Name, twips,
// its own Visible and Enabled flags). Items are counted from 1; each has a text, a check box
// when Checkboxes is on, and a small icon named by its key in the bound ImageList (a key the
// list does not hold shows no picture). One item at most is selected.
//
// Events, as a user causes them: ticking or unticking an item's check box (a click on it or
// Space) raises ItemCheck(index); setting Checked by code raises nothing. A click on an item
// selects it and raises ItemClick(index). Keys and mouse buttons reach KeyDown and MouseDown
// like any intrinsic control's, so a host can open a context menu on them.
//
// Errors: an index that names no item is 35600 "Index out of bounds".

#include "platform/forms/intrinsics/intrinsic_control.h"

#include <QString>

#include <cstdint>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace forms {

class ImageList;

inline constexpr std::int32_t kListIndexOutOfBounds = 35600;

class ListView : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(bool Checkboxes READ Checkboxes WRITE setCheckboxes)
    Q_PROPERTY(bool HideColumnHeaders READ HideColumnHeaders WRITE setHideColumnHeaders)
    Q_PROPERTY(int Count READ Count)

public:
    ListView(QWidget* container, const QString& name);
    ~ListView() override;

    bool Checkboxes() const { return checkboxes_; }
    void setCheckboxes(bool on);
    bool HideColumnHeaders() const;
    void setHideColumnHeaders(bool hide);

    // Columns, counted from 1. A width is kept in twips as set (the widget takes the nearest
    // pixels); below 0 is taken as 0.
    void AddColumn(const QString& text, double width);
    int ColumnCount() const;
    double ColumnWidth(int column) const;
    void setColumnWidth(int column, double width);

    // Adds an item at the end and returns its index.
    int Add(const QString& text, const QString& small_icon = {});
    void Remove(int index);
    void Clear();
    int Count() const;

    QString Text(int index) const;
    void setText(int index, const QString& text);
    bool Checked(int index) const;
    void setChecked(int index, bool checked);
    QString SmallIcon(int index) const;

    // The selected item; 0 when none is.
    int SelectedIndex() const;
    // Selects the item (0: none).
    void Select(int index);
    void EnsureVisible(int index);
    // The first item whose whole text is `text` without regard to case; 0 when none is.
    int FindItem(const QString& text) const;

    void setSmallIcons(const ImageList* images);

    // What a user does, for hosts and tests that drive the list as a user would.
    void click_check_box(int index);
    void click_item(int index);

    QTreeWidget& widget() const { return *list_; }

signals:
    void ItemCheck(int index);
    void ItemClick(int index);

protected:
    void appearance_changed() override;

private:
    QTreeWidgetItem* item(int index) const;
    int index_of(const QTreeWidgetItem* item) const;
    void apply_check_box(QTreeWidgetItem* item) const;
    void apply_icon(QTreeWidgetItem* item) const;

    QTreeWidget* list_;
    const ImageList* images_ = nullptr;
    std::vector<double> column_widths_;
    bool checkboxes_ = false;
    // Ticks set by code raise no ItemCheck.
    bool checking_by_code_ = false;
};

} // namespace forms
