#include "widgets/DBGrid.h"

#include "db/Errors.h"
#include "db/SqlText.h"
#include "widgets/ErrorHandler.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

#include <algorithm>
#include <optional>

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

// Fitting the columns after every re-read lays out the same headings and mostly the same
// cell texts again and again, and laying out a text is most of what a re-read costs. Both
// remember what they measured for as long as the font and style stay.
class MeasuredHeader : public QHeaderView {
public:
    MeasuredHeader(Qt::Orientation orientation, QWidget* parent) : QHeaderView(orientation, parent)
    {
        // As the table view's own headers.
        setSectionsClickable(true);
        setHighlightSections(true);
    }

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        if (!model())
            return QHeaderView::sectionSizeFromContents(logicalIndex);
        const QString text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
        if (m_sorted != isSortIndicatorShown() || m_sizes.size() > kMeasuredTexts) {
            m_sizes.clear();
            m_sorted = isSortIndicatorShown();
        }
        auto it = m_sizes.constFind(text);
        if (it == m_sizes.cend())
            it = m_sizes.insert(text, QHeaderView::sectionSizeFromContents(logicalIndex));
        return it.value();
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            m_sizes.clear();
        QHeaderView::changeEvent(event);
    }

private:
    static constexpr int kMeasuredTexts = 4096;
    mutable QHash<QString, QSize> m_sizes;
    mutable bool m_sorted = false;
};

// Codes, figures and dates differ from row to row mostly in their digits, which most fonts
// draw all of one width. Where the font does, also beside the characters around them, a text
// is as wide as the same text with its digits as zeros, and is measured as that.
class DigitWidths {
public:
    void setFont(const QFont& font)
    {
        m_metrics.emplace(font);
        m_pairs.clear();
        const qreal zero = m_metrics->horizontalAdvance(QLatin1Char('0'));
        m_alike = true;
        for (char d = '1'; d <= '9'; ++d)
            m_alike = m_alike && m_metrics->horizontalAdvance(QLatin1Char(d)) == zero;
    }
    // The text to measure instead of the given one.
    QString standIn(const QString& text)
    {
        if (!m_alike || !std::any_of(text.cbegin(), text.cend(), isDigit))
            return text;
        for (qsizetype i = 0; i + 1 < text.size(); ++i)
            if ((isDigit(text[i]) || isDigit(text[i + 1])) && !pairAlike(text[i], text[i + 1]))
                return text;
        QString zeroed = text;
        for (QChar& c : zeroed)
            if (isDigit(c))
                c = QLatin1Char('0');
        return zeroed;
    }

private:
    static bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
    static QChar zeroed(QChar c) { return isDigit(c) ? QLatin1Char('0') : c; }
    // Kerning and ligatures act between neighbours: a pair that keeps its width with its
    // digits as zeros keeps it inside any text.
    bool pairAlike(QChar a, QChar b)
    {
        const quint32 key = quint32(a.unicode()) << 16 | b.unicode();
        auto it = m_pairs.constFind(key);
        if (it == m_pairs.cend()) {
            const QString pair = QString(a) + b;
            const QString standIn = QString(zeroed(a)) + zeroed(b);
            it = m_pairs.insert(key, m_metrics->horizontalAdvance(pair) == m_metrics->horizontalAdvance(standIn));
        }
        return it.value();
    }

    std::optional<QFontMetricsF> m_metrics;
    QHash<quint32, bool> m_pairs;
    bool m_alike = false;
};

class MeasuredDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        prepare(option);
        return measured(option, index, index.data(Qt::DisplayRole).toString(), index.data(Qt::TextAlignmentRole).toInt());
    }

    // For a column measured cell by cell with the same options: prepare() once, then
    // measured() with each cell's text and alignment as the model gives them.
    void prepare(const QStyleOptionViewItem& option) const
    {
        const QStyle* style = option.widget ? option.widget->style() : nullptr;
        if (!m_measuring || option.font != m_font || option.features != m_features || option.decorationSize != m_decoration
            || style != m_style || m_sizes.size() > kMeasuredTexts) {
            m_sizes.clear();
            m_measuring = true;
            m_font = option.font;
            m_features = option.features;
            m_decoration = option.decorationSize;
            m_style = style;
            m_digits.setFont(option.font);
        }
    }
    QSize measured(const QStyleOptionViewItem& option, const QModelIndex& index, const QString& text, int alignment) const
    {
        const Key key{m_digits.standIn(text), alignment};
        auto it = m_sizes.constFind(key);
        if (it == m_sizes.cend())
            it = m_sizes.insert(key, QStyledItemDelegate::sizeHint(option, index));
        return it.value();
    }

private:
    using Key = std::pair<QString, int>;
    static constexpr int kMeasuredTexts = 4096;
    mutable QHash<Key, QSize> m_sizes;
    mutable bool m_measuring = false;
    mutable QFont m_font;
    mutable QStyleOptionViewItem::ViewItemFeatures m_features;
    mutable QSize m_decoration;
    mutable const QStyle* m_style = nullptr;
    mutable DigitWidths m_digits;
};

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
        m_links << connect(source, &DataSource::reset, this, &ResultSetModel::readAgain)
                << connect(source, &DataSource::rowInserted, this, &ResultSetModel::inserted)
                << connect(source, &DataSource::rowRemoved, this, &ResultSetModel::removed)
                << connect(source, &DataSource::rowChanged, this, &ResultSetModel::changed)
                << connect(source, &DataSource::stateChanged, this, [this] { changed(set() ? set()->recNo() : -1); });
    }
    resetAll();
}

void ResultSetModel::resetAll()
{
    ResultSet* s = set();
    const bool active = s && s->isActive();
    m_restructuring = true;
    beginResetModel();
    m_rows = active ? s->recordCount() : 0;
    m_columns = active ? s->fieldCount() : 0;
    m_names.clear();
    for (int column = 0; column < m_columns; ++column)
        m_names << s->fieldName(column);
    endResetModel();
    m_restructuring = false;
}

// A grid that shows, read again with the same columns (the next voucher's lines), keeps its
// columns and drops or adds only the rows the counts differ by, instead of being built again.
void ResultSetModel::readAgain()
{
    ResultSet* s = set();
    if (m_editable || m_columns == 0 || !s || !s->isActive() || s->fieldCount() != m_columns)
        return resetAll();
    for (int column = 0; column < m_columns; ++column)
        if (s->fieldName(column) != m_names[column])
            return resetAll();
    const int rows = s->recordCount();
    m_restructuring = true;
    m_rereading = true;
    if (rows < m_rows) {
        beginRemoveRows(QModelIndex(), rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    } else if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
    m_rereading = false;
    m_restructuring = false;
    emit reread();
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
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return alignment(index.row(), index.column());
    default:
        return {};
    }
}

QString ResultSetModel::cellText(int row, int column) const
{
    const ResultSet* s = set();
    return s ? displayText(s->valueAt(row, column)) : QString();
}

int ResultSetModel::alignment(int row, int column) const
{
    const ResultSet* s = set();
    if (s && isNumberColumn(*s, column, row))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return int(Qt::AlignLeft | Qt::AlignVCenter);
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
    setHorizontalHeader(new MeasuredHeader(Qt::Horizontal, this));
    setVerticalHeader(new MeasuredHeader(Qt::Vertical, this));
    setItemDelegate(new MeasuredDelegate(this));
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
    // A re-read that kept the columns leaves the grid as a reset would: no cell chosen until
    // it follows the set, from the first column.
    connect(m_model, &ResultSetModel::reread, this, [this] {
        m_syncing = true;
        selectionModel()->clear();
        m_syncing = false;
        applyWidths();
        followSet();
    });
    auto rowsMoved = [this] {
        if (!m_model->rereading())
            followSet();
    };
    connect(m_model, &QAbstractItemModel::rowsInserted, this, rowsMoved);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, rowsMoved);
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
    ensurePolished();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const int heading = horizontalHeader()->sectionSizeHint(column);
        const int content = std::min(contentWidth(column, option) + (showGrid() ? 1 : 0), widest);
        setColumnWidth(column, std::max({heading, content, m_widths.value(column, 0)}));
    }
}

// What sizeHintForColumn() gives. When it would measure every row, each cell is measured
// here straight from the set, with the options the view gives every cell made once; the
// rest goes to the view.
int DBGrid::contentWidth(int column, const QStyleOptionViewItem& option) const
{
    const int rows = m_model->rowCount();
    const auto measuresAll = [rows](const QHeaderView* header) {
        const int precision = header->resizeContentsPrecision();
        return precision < 0 || rows <= precision;
    };
    auto* delegate = dynamic_cast<MeasuredDelegate*>(itemDelegate());
    ResultSet* s = set();
    if (!delegate || !s || itemDelegateForColumn(column) || !measuresAll(horizontalHeader())
        || !measuresAll(verticalHeader()) || verticalHeader()->hiddenSectionCount() > 0)
        return sizeHintForColumn(column);
    delegate->prepare(option);
    int hint = 0;
    for (int row = 0; row < rows; ++row) {
        const QModelIndex index = m_model->index(row, column);
        if (itemDelegateForRow(row) || isPersistentEditorOpen(index))
            return sizeHintForColumn(column);
        hint = std::max(hint, delegate->measured(option, index, m_model->cellText(row, column), m_model->alignment(row, column))
                                  .width());
    }
    return showGrid() ? hint + 1 : hint;
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
