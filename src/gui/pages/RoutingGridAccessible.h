#pragma once

#include <QAccessibleWidget>
#include <QHash>

class RoutingGrid;

// A routing grid as a screen reader sees it: a table of sources by
// destinations whose cells are checkable (RoutingGridCellAccessible).
class RoutingGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit RoutingGridAccessible(RoutingGrid *grid);
    ~RoutingGridAccessible() override;

    // The factory given to QAccessible::installFactory().
    static QAccessibleInterface *create(const QString &className, QObject *object);

    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    // Routing is by toggling cells, not by selecting.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    RoutingGrid *grid() const;

    // A cell's interface lives as long as the table's, so that every query
    // for one cell answers with the same object.
    mutable QHash<int, QAccessible::Id> m_cells;
};
