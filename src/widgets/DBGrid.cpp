#include "widgets/DBGrid.h"

#include "db/Errors.h"
#include "db/SqlText.h"
#include "widgets/ErrorHandler.h"

#include <QHeaderView>

namespace {
// Rows measured when the columns are fitted to their content; a long list is fitted to its
// first screens, not read whole.
constexpr int kMeasuredRows = 200;
constexpr int kWidestColumn = 240;

// Numbers stand right: number columns, and computed columns (price × quantity, sums) whose
// values are numbers.
bool isNumberColumn(const ResultSet& set, int column, int row)
{
    switch (set.fieldKind(column)) {
    case ColumnKind::Number:
        return true;
    case ColumnKind::Other: {
        const int type = set.valueAt(row, column).typeId();
        return type == QMetaType::Double || type == QMetaType::LongLong || type == QMetaType::Int;
    }
    default:
        return false;
    }
}
} // namespace

ResultSetModel::ResultSetModel(DataSource* source, QWidget* errorParent)
    : QAbstractTableModel(errorParent), m_errorParent(errorParent)
{
    setDataSource(source);
}

void ResultSetModel::setDataSource(DataSource* source)
{
    for (const auto& c : m_links)
        disconnect(c);
    m_links.clear();
    m_source = source;
    if (source) {
        m_links << connect(source, &DataSource::reset, this, &ResultSetModel::resetAll)
                << connect(source, &DataSource::rowInserted, this, &ResultSetModel::inserted)
                << connect(source, &DataSource::rowRemoved, this, &ResultSetModel::removed)
                << connect(source, &DataSource::rowChanged, this, &ResultSetModel::changed)
                << connect(source, &DataSource::stateChanged, this, [this] { changed(set() ? set()->recNo() : -1); });
    }
    resetAll();
}

void ResultSetModel::resetAll()
{
    m_restructuring = true;
    beginResetModel();
    ResultSet* s = set();
    const bool active = s && s->isActive();
    m_rows = active ? s->recordCount() : 0;
    m_columns = active ? s->fieldCount() : 0;
    endResetModel();
    m_restructuring = false;
}

// The set has already changed when it tells us, so the counts are kept here and
// brought up to date between begin and end.
void ResultSetModel::inserted(int row)
{
    m_restructuring = true;
    beginInsertRows(QModelIndex(), row, row);
    m_rows = set() ? set()->recordCount() : 0;
    endInsertRows();
    m_restructuring = false;
}

void ResultSetModel::removed(int row)
{
    if (row < 0 || row >= m_rows)
        return resetAll();
    m_restructuring = true;
    beginRemoveRows(QModelIndex(), row, row);
    m_rows = set() ? set()->recordCount() : 0;
    endRemoveRows();
    m_restructuring = false;
}

void ResultSetModel::changed(int row)
{
    if (row >= 0 && row < m_rows && m_columns > 0)
        emit dataChanged(index(row, 0), index(row, m_columns - 1));
}

int ResultSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ResultSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant ResultSetModel::data(const QModelIndex& index, int role) const
{
    ResultSet* s = set();
    if (!s || !index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return displayText(s->valueAt(index.row(), index.column()));
    case Qt::TextAlignmentRole:
        if (isNumberColumn(*s, index.column(), index.row()))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ResultSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    ResultSet* s = set();
    if (role != Qt::DisplayRole || !s)
        return {};
    if (orientation == Qt::Horizontal)
        return s->fieldName(section);
    return QString();
}

Qt::ItemFlags ResultSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && set() && set()->canModify())
        f |= Qt::ItemIsEditable;
    return f;
}

bool ResultSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    ResultSet* s = set();
    if (role != Qt::EditRole || !s || !index.isValid() || !m_editable)
        return false;
    if (value.toString() == data(index, Qt::EditRole).toString() && s->state() == ResultSet::Browse)
        return false; // opened and left without typing
    return guarded(m_errorParent, [&] {
        if (index.row() != s->recNo())
            s->moveTo(index.row());
        if (s->state() == ResultSet::Browse)
            s->edit();
        s->setValue(index.column(), value.toString());
    });
}

DBGrid::DBGrid(QWidget* parent, const QString& name, DataSource* source)
    : QTableView(parent), m_model(new ResultSetModel(nullptr, this))
{
    setObjectName(name);
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(12);
    verticalHeader()->setResizeContentsPrecision(kMeasuredRows);
    setReadOnly(true);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { gridRowChanged(current); });
    // Connected after the view's own handlers, so these run once the view is up to date.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyWidths();
        followSet();
    });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &DBGrid::followSet);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &DBGrid::followSet);
    setDataSource(source);
}

void DBGrid::setDataSource(DataSource* source)
{
    if (auto* old = m_model->dataSource()) {
        disconnect(old, &DataSource::currentChanged, this, nullptr);
        disconnect(old, &DataSource::updateRecord, this, nullptr);
    }
    if (source) {
        connect(source, &DataSource::currentChanged, this, &DBGrid::followSet);
        connect(source, &DataSource::updateRecord, this, &DBGrid::commitOpenEditor);
    }
    m_model->setDataSource(source);
}

// The row is about to be stored: what is typed in its open cell belongs to it, even when
// the operator has not left the cell (a button posts the row).
void DBGrid::commitOpenEditor()
{
    const QModelIndex index = currentIndex();
    QWidget* editor = indexWidget(index);
    if (!editor || !set() || index.row() != set()->recNo())
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DBGrid::setReadOnly(bool readOnly)
{
    m_model->setEditable(!readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
}

void DBGrid::setColumnWidths(const QList<int>& widths)
{
    for (int i = 0; i < widths.size(); ++i)
        m_widths[i] = widths[i];
    applyWidths();
}

void DBGrid::setFieldWidth(int column, int width)
{
    m_widths[column] = width;
    applyWidths();
}

// Every column as wide as its heading and its widest text (a long remark or name at most a
// third of the grid, so the columns after it stay in view), and at least the width the screen
// asked for.
void DBGrid::applyWidths()
{
    const int widest = std::max(kWidestColumn, viewport()->width() / 3);
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const int heading = horizontalHeader()->sectionSizeHint(column);
        const int content = std::min(sizeHintForColumn(column) + (showGrid() ? 1 : 0), widest);
        setColumnWidth(column, std::max({heading, content, m_widths.value(column, 0)}));
    }
}

int DBGrid::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void DBGrid::gridRowChanged(const QModelIndex& current)
{
    ResultSet* s = set();
    if (m_syncing || m_model->restructuring() || !s || !current.isValid() || current.row() == s->recNo())
        return;
    // Leaving a row being edited posts it; when the post is refused, stay on it.
    const bool moved = guarded(this, [&] {
        try {
            s->moveTo(current.row());
        } catch (const DbError&) {
            if (!m_refusedRow)
                throw;
            m_refusedRow();
            followSet();
        }
    });
    if (!moved)
        followSet();
}

void DBGrid::followSet()
{
    ResultSet* s = set();
    const int row = s && s->isActive() ? s->recNo() : -1;
    m_syncing = true;
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clearCurrentIndex();
    } else if (currentRow() != row) {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        setCurrentIndex(m_model->index(row, column));
    }
    m_syncing = false;
}
