#include "platform/forms/intrinsics/list_view_accessible.h"

#include "platform/forms/hosting/do_events.h"
#include "platform/forms/intrinsics/list_view.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTreeWidget>

#include <mutex>
#include <utility>

namespace forms {

namespace {

// The ListView a view belongs to. The view is made with the list as its parent, so this holds
// already while the view is being made (when Qt may first ask for its node).
ListView* owner_of(const QTreeWidget* view) { return view ? qobject_cast<ListView*>(view->parentWidget()) : nullptr; }

// One item's cell (row from 0), or one column's header (row -1).
class ListCellAccessible : public QAccessibleInterface,
                           public QAccessibleTableCellInterface,
                           public QAccessibleActionInterface {
public:
    ListCellAccessible(QTreeWidget* view, int row, int column)
        : view_(view), row_(row), column_(column),
          index_(row >= 0 ? view->model()->index(row, column) : QModelIndex())
    {
    }

    bool header() const { return row_ < 0; }
    int column() const { return column_; }
    // The item's row as it is now (an item above it may have gone); -1 for a header.
    int row() const { return header() ? -1 : index_.row(); }

    bool isValid() const override
    {
        if (!view_)
            return false;
        return header() ? column_ < view_->columnCount() : index_.isValid();
    }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return view_ ? QAccessible::queryAccessibleInterface(view_) : nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        return header() ? view_->model()->headerData(column_, Qt::Horizontal).toString()
                        : index_.data(Qt::DisplayRole).toString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        if (header()) {
            const QHeaderView* columns = view_->header();
            const QPoint zero = columns->mapToGlobal(QPoint(0, 0));
            return {zero.x() + columns->sectionViewportPosition(column_), zero.y(), columns->sectionSize(column_),
                    columns->height()};
        }
        const QRect shown = view_->visualRect(index_);
        return {view_->viewport()->mapToGlobal(shown.topLeft()), shown.size()};
    }

    QAccessible::Role role() const override { return header() ? QAccessible::ColumnHeader : QAccessible::TreeItem; }

    QAccessible::State state() const override
    {
        QAccessible::State st;
        if (!isValid())
            return st;
        const ListView* owner = owner_of(view_);
        if (owner == nullptr || !owner->isEnabled())
            st.disabled = true;
        const QRect view_area(view_->mapToGlobal(QPoint(0, 0)), view_->size());
        if (!view_->isVisible() || !view_area.intersects(rect()))
            st.invisible = true;
        if (header())
            return st;
        const QItemSelectionModel* selection = view_->selectionModel();
        if (selection->isSelected(index_))
            st.selected = true;
        if (selection->currentIndex() == index_ && view_->hasFocus())
            st.focused = true;
        const Qt::ItemFlags flags = index_.flags();
        const QVariant check = index_.data(Qt::CheckStateRole);
        if ((flags & Qt::ItemIsUserCheckable) && check.isValid()) {
            st.checkable = true;
            st.checked = check.toInt() == Qt::Checked;
        }
        if (flags & Qt::ItemIsSelectable) {
            st.selectable = true;
            st.focusable = true;
        }
        return st;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface && !header())
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface && !header())
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return isValid() && !header() && view_->selectionModel()->isSelected(index_); }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        QAccessibleInterface* table = parent();
        QAccessibleInterface* heading = table && !view_->isHeaderHidden() ? table->child(column_) : nullptr;
        return heading ? QList<QAccessibleInterface*>{heading} : QList<QAccessibleInterface*>{};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row(); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // Toggle where the item shows a check box, else Press: a screen reader takes a cell that
    // offers Toggle for a box to tick, and some bridges (Qt's of 6.4) send it no checkable
    // state to tell it otherwise.
    QStringList actionNames() const override
    {
        const ListView* owner = owner_of(view_);
        if (!isValid() || header() || owner == nullptr || !owner->isEnabled())
            return {};
        return {owner->Checkboxes() ? toggleAction() : pressAction()};
    }
    // The tool's action is the person's click: on the check box (a tick, ItemCheck), or on the
    // item of a list without them (it is selected, ItemClick).
    void doAction(const QString& action) override
    {
        if (!actionNames().contains(action))
            return;
        ListView* owner = owner_of(view_);
        const QPointer<ListView> list(owner);
        const QPersistentModelIndex target = index_;
        deliver_user_input(*owner, [list, target] {
            if (!list || !target.isValid())
                return;
            if (list->Checkboxes())
                list->click_check_box(target.row() + 1);
            else
                list->click_item(target.row() + 1);
        });
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QTreeWidget> view_;
    int row_;
    int column_;
    QPersistentModelIndex index_;
};

// The view: a table of its items, the header row first while the headers show, so a child's
// number is the one Qt's item views give in their focus and selection events.
class ListAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ListAccessible(QTreeWidget* view) : QAccessibleWidget(view, QAccessible::Tree)
    {
        // A row that comes or goes moves the items below it: the nodes are made again when
        // next asked for.
        const QAbstractItemModel* model = view->model();
        const auto forget = [this] { forget_cells(); };
        connections_ = {
            QObject::connect(model, &QAbstractItemModel::rowsInserted, view, forget),
            QObject::connect(model, &QAbstractItemModel::rowsRemoved, view, forget),
            QObject::connect(model, &QAbstractItemModel::rowsMoved, view, forget),
            QObject::connect(model, &QAbstractItemModel::columnsInserted, view, forget),
            QObject::connect(model, &QAbstractItemModel::columnsRemoved, view, forget),
            QObject::connect(model, &QAbstractItemModel::modelReset, view, forget),
            QObject::connect(model, &QAbstractItemModel::layoutChanged, view, forget),
        };
    }
    ~ListAccessible() override
    {
        for (const QMetaObject::Connection& connection : std::as_const(connections_))
            QObject::disconnect(connection);
        forget_cells();
    }

    int childCount() const override { return (rowCount() + header_rows()) * columnCount(); }
    QAccessibleInterface* child(int index) const override
    {
        const int columns = columnCount();
        if (index < 0 || columns == 0)
            return nullptr;
        const int row = index / columns - header_rows();
        return row < rowCount() ? cell(row, index % columns) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* c = dynamic_cast<const ListCellAccessible*>(child);
        if (c == nullptr || !c->isValid() || (c->header() && header_rows() == 0))
            return -1;
        return (c->row() + header_rows()) * columnCount() + c->column();
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint global(x, y);
        const QHeaderView* columns = view().header();
        const QPoint on_header = columns->mapFromGlobal(global);
        if (header_rows() > 0 && columns->rect().contains(on_header)) {
            const int column = columns->logicalIndexAt(on_header.x());
            return column >= 0 ? cell(-1, column) : nullptr;
        }
        const QModelIndex at = view().indexAt(view().viewport()->mapFromGlobal(global));
        return at.isValid() ? cell(at.row(), at.column()) : nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        return row >= 0 && row < rowCount() && column >= 0 && column < columnCount() ? cell(row, column) : nullptr;
    }
    int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells;
        for (const QModelIndex& index : view().selectionModel()->selectedIndexes())
            cells << cell(index.row(), index.column());
        return cells;
    }
    QString columnDescription(int column) const override
    {
        return view().model()->headerData(column, Qt::Horizontal).toString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    int columnCount() const override { return view().columnCount(); }
    int rowCount() const override { return view().topLevelItemCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override
    {
        QList<int> rows;
        for (const QModelIndex& index : view().selectionModel()->selectedRows())
            rows << index.row();
        return rows;
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return view().selectionModel()->isRowSelected(row, QModelIndex()); }
    // Choosing a row is the person's click on it.
    bool selectRow(int row) override
    {
        ListView* owner = owner_of(&view());
        if (owner == nullptr || row < 0 || row >= rowCount())
            return false;
        const QPointer<ListView> list(owner);
        const QPersistentModelIndex target = view().model()->index(row, 0);
        deliver_user_input(*owner, [list, target] {
            if (list && target.isValid())
                list->click_item(target.row() + 1);
        });
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override
    {
        if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
            forget_cells();
    }

private:
    QTreeWidget& view() const { return *static_cast<QTreeWidget*>(widget()); }
    int header_rows() const { return view().isHeaderHidden() ? 0 : 1; }

    // The node of a cell (row -1: a column's header), made once and kept until the rows move.
    QAccessibleInterface* cell(int row, int column) const
    {
        const auto key = std::make_pair(row, column);
        if (const auto found = cells_.constFind(key); found != cells_.cend())
            if (QAccessibleInterface* known = QAccessible::accessibleInterface(*found))
                return known;
        auto* made = new ListCellAccessible(&view(), row, column);
        cells_.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }
    void forget_cells() const
    {
        const auto ids = std::exchange(cells_, {});
        for (const QAccessible::Id id : ids)
            QAccessible::deleteAccessibleInterface(id);
    }

    mutable QHash<std::pair<int, int>, QAccessible::Id> cells_;
    QList<QMetaObject::Connection> connections_;
};

QAccessibleInterface* list_view_accessible(const QString& key, QObject* object)
{
    (void)key;
    auto* view = qobject_cast<QTreeWidget*>(object);
    return owner_of(view) ? new ListAccessible(view) : nullptr;
}

} // namespace

void install_list_view_accessible()
{
    static std::once_flag factory;
    std::call_once(factory, [] { QAccessible::installFactory(list_view_accessible); });
}

void announce_item_check(QTreeWidget& view, int row)
{
    if (!QAccessible::isActive())
        return;
    auto* table = dynamic_cast<ListAccessible*>(QAccessible::queryAccessibleInterface(&view));
    QAccessibleInterface* item = table ? table->cellAt(row, 0) : nullptr;
    if (item == nullptr)
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(item, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace forms
