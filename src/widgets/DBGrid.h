#pragma once
// A grid over a data source's result set. The grid's current row and the set's current
// row are one: moving either moves the other. Read-only by default; when editable, typing
// a cell puts the set into Edit and moving to another row posts (a refused post shows
// in the error box and the grid stays on the row). Whoever posts the row, a cell still
// open on it is written to the row first.
#include "widgets/DataSource.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QTableView>

#include <functional>

// The rows of the set as they are, read on demand (no copy).
class ResultSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ResultSetModel(DataSource* source, QWidget* errorParent);

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    ResultSet* set() const { return m_source ? m_source->dataSet() : nullptr; }
    void setEditable(bool editable) { m_editable = editable; }
    bool isEditable() const { return m_editable; }
    // True while rows are being inserted, removed or reset.
    bool restructuring() const { return m_restructuring; }
    // True while the rows of a re-read with the same columns are being brought in.
    bool rereading() const { return m_rereading; }
    // The text a cell shows, and the alignment it is shown with.
    QString cellText(int row, int column) const;
    int alignment(int row, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // The set was read again with the columns it had: every cell may have changed and rows
    // came or went, but the columns stayed.
    void reread();

private:
    void resetAll();
    void readAgain();
    void inserted(int row);
    void removed(int row);
    void changed(int row);

    QPointer<DataSource> m_source;
    QWidget* m_errorParent;
    QList<QMetaObject::Connection> m_links;
    int m_rows = 0;
    int m_columns = 0;
    QStringList m_names;
    bool m_editable = false;
    bool m_restructuring = false;
    bool m_rereading = false;
};

class DBGrid : public QTableView {
    Q_OBJECT
public:
    DBGrid(QWidget* parent, const QString& name, DataSource* source = nullptr);

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_model->dataSource(); }
    ResultSet* set() const { return m_model->set(); }
    ResultSetModel* resultModel() const { return m_model; }

    // Read-only grids show; editable ones let the operator type into the cells.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return !m_model->isEditable(); }
    // Least widths, kept across re-reads of the set; each time the set is read, every column
    // is widened to its heading and its content.
    void setColumnWidths(const QList<int>& widths);
    void setFieldWidth(int column, int width);
    // The grid's current row (-1 when none).
    int currentRow() const;
    // Shown instead of the database's own text when the engine refuses the row the operator
    // leaves (the grid stays on it); empty: the error box with the engine's text.
    void setRefusedRowHandler(std::function<void()> handler) { m_refusedRow = std::move(handler); }

private:
    void commitOpenEditor();
    void gridRowChanged(const QModelIndex& current);
    void followSet();
    void applyWidths();
    int contentWidth(int column, const QStyleOptionViewItem& option) const;

    ResultSetModel* m_model;
    QHash<int, int> m_widths;
    std::function<void()> m_refusedRow;
    bool m_syncing = false;
};
