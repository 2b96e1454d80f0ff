#include "platform/forms/intrinsics/list_view.h"

#include "platform/forms/intrinsics/image_list.h"
#include "platform/forms/intrinsics/list_view_accessible.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/vb_error.h"

#include <QHeaderView>
#include <QPixmap>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace forms {

namespace {
constexpr int kIconRole = Qt::UserRole + 1;
// The item's tick, kept also while the list shows no check boxes.
constexpr int kCheckedRole = Qt::UserRole + 2;

// The list's view, with the items' nodes for assistive tools in place before Qt may ask for them.
QTreeWidget* new_view(QWidget* list)
{
    install_list_view_accessible();
    return new QTreeWidget(list);
}
} // namespace

ListView::ListView(QWidget* container, const QString& name)
    : IntrinsicControl(container, name, QAccessible::List), list_(new_view(this))
{
    setBackColor(syscolor::WindowBackground);
    setForeColor(syscolor::WindowText);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setColumnCount(0);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(QHeaderView::Interactive);
    connect(list_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* changed, int column) {
        if (column != 0 || checking_by_code_ || !checkboxes_)
            return;
        const bool ticked = changed->checkState(0) == Qt::Checked;
        if (ticked == changed->data(0, kCheckedRole).toBool())
            return;
        changed->setData(0, kCheckedRole, ticked);
        announce_item_check(*list_, index_of(changed) - 1);
        emit ItemCheck(index_of(changed));
    });
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* clicked) { emit ItemClick(index_of(clicked)); });
    forward_input_of(list_);
    list_->viewport()->installEventFilter(this);
}

ListView::~ListView() = default;

void ListView::setCheckboxes(bool on)
{
    checkboxes_ = on;
    checking_by_code_ = true;
    for (int i = 1; i <= Count(); ++i)
        apply_check_box(item(i));
    checking_by_code_ = false;
}

bool ListView::HideColumnHeaders() const { return list_->isHeaderHidden(); }
void ListView::setHideColumnHeaders(bool hide) { list_->setHeaderHidden(hide); }

void ListView::AddColumn(const QString& text, double width)
{
    const int column = list_->columnCount();
    list_->setColumnCount(column + 1);
    column_widths_.push_back(0);
    list_->headerItem()->setText(column, text);
    setColumnWidth(column + 1, width);
}

int ListView::ColumnCount() const { return list_->columnCount(); }

double ListView::ColumnWidth(int column) const
{
    if (column < 1 || column > ColumnCount())
        forms::raise(kListIndexOutOfBounds, Name(), QStringLiteral("Index out of bounds"));
    return column_widths_.at(static_cast<std::size_t>(column - 1));
}

void ListView::setColumnWidth(int column, double width)
{
    if (column < 1 || column > ColumnCount())
        forms::raise(kListIndexOutOfBounds, Name(), QStringLiteral("Index out of bounds"));
    column_widths_.at(static_cast<std::size_t>(column - 1)) = std::max(0.0, width);
    list_->setColumnWidth(column - 1, Screen::to_pixels_x(std::max(0.0, width)));
}

int ListView::Add(const QString& text, const QString& small_icon)
{
    auto* added = new QTreeWidgetItem();
    added->setText(0, text);
    added->setData(0, kIconRole, small_icon);
    added->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    added->setData(0, kCheckedRole, false);
    checking_by_code_ = true;
    apply_check_box(added);
    list_->addTopLevelItem(added);
    checking_by_code_ = false;
    apply_icon(added);
    return Count();
}

void ListView::Remove(int index) { delete item(index); }

void ListView::Clear() { list_->clear(); }

int ListView::Count() const { return list_->topLevelItemCount(); }

QString ListView::Text(int index) const { return item(index)->text(0); }

void ListView::setText(int index, const QString& text) { item(index)->setText(0, text); }

bool ListView::Checked(int index) const { return item(index)->data(0, kCheckedRole).toBool(); }

void ListView::setChecked(int index, bool checked)
{
    QTreeWidgetItem* target = item(index);
    const bool was = target->data(0, kCheckedRole).toBool();
    checking_by_code_ = true;
    target->setData(0, kCheckedRole, checked);
    apply_check_box(target);
    checking_by_code_ = false;
    if (checkboxes_ && was != checked)
        announce_item_check(*list_, index - 1);
}

QString ListView::SmallIcon(int index) const { return item(index)->data(0, kIconRole).toString(); }

int ListView::SelectedIndex() const
{
    const auto selected = list_->selectedItems();
    return selected.isEmpty() ? 0 : index_of(selected.front());
}

void ListView::Select(int index)
{
    if (index == 0) {
        list_->clearSelection();
        return;
    }
    QTreeWidgetItem* target = item(index);
    list_->setCurrentItem(target);
    target->setSelected(true);
}

void ListView::EnsureVisible(int index) { list_->scrollToItem(item(index)); }

int ListView::FindItem(const QString& text) const
{
    for (int i = 1; i <= Count(); ++i)
        if (item(i)->text(0).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

void ListView::setSmallIcons(const ImageList* images)
{
    images_ = images;
    for (int i = 1; i <= Count(); ++i)
        apply_icon(item(i));
}

void ListView::click_check_box(int index)
{
    if (!checkboxes_ || !isEnabled())
        return;
    QTreeWidgetItem* target = item(index);
    target->setCheckState(0, target->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void ListView::click_item(int index)
{
    if (!isEnabled())
        return;
    Select(index);
    emit ItemClick(index);
}

void ListView::appearance_changed()
{
    QPalette colours = list_->palette();
    colours.setColor(QPalette::Base, back_qcolor());
    colours.setColor(QPalette::Text, fore_qcolor());
    list_->setPalette(colours);
    list_->setFont(QWidget::font());
}

QTreeWidgetItem* ListView::item(int index) const
{
    if (index < 1 || index > Count())
        forms::raise(kListIndexOutOfBounds, Name(), QStringLiteral("Index out of bounds"));
    return list_->topLevelItem(index - 1);
}

int ListView::index_of(const QTreeWidgetItem* target) const
{
    return list_->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(target)) + 1;
}

void ListView::apply_check_box(QTreeWidgetItem* target) const
{
    if (checkboxes_) {
        target->setFlags(target->flags() | Qt::ItemIsUserCheckable);
        target->setCheckState(0, target->data(0, kCheckedRole).toBool() ? Qt::Checked : Qt::Unchecked);
    } else {
        target->setFlags(target->flags() & ~Qt::ItemIsUserCheckable);
        target->setData(0, Qt::CheckStateRole, QVariant());
    }
}

void ListView::apply_icon(QTreeWidgetItem* target) const
{
    const QString key = target->data(0, kIconRole).toString();
    const QImage picture = images_ != nullptr && !key.isEmpty() ? images_->image(key) : QImage();
    target->setIcon(0, picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture)));
}

} // namespace forms
