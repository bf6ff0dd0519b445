#include "reports/QueryScreen.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "reports/SpreadsheetExport.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/StatusBar.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

QueryScreen::QueryScreen(QWidget* parent, const QString& name, const QString& caption)
    : Screen(parent, name, caption)
{
    ADOQuery1 = new ResultSet(this);
    DataSource1 = new DataSource(this);
    m_sets << ADOQuery1;
}

ResultSet* QueryScreen::addSet()
{
    auto* set = new ResultSet(this);
    m_sets << set;
    return set;
}

DBGrid* QueryScreen::addGrid(QWidget* parent, const QString& name, ResultSet* set)
{
    auto* grid = new DBGrid(parent, name);
    // The grid remembers its set until its first showing links the source.
    grid->setProperty("querySet", QVariant::fromValue<QObject*>(set ? set : ADOQuery1));
    return grid;
}

void QueryScreen::showRows(DBGrid* grid, const QString& sql)
{
    auto* set = qobject_cast<ResultSet*>(grid->property("querySet").value<QObject*>());
    if (!set)
        set = ADOQuery1;
    set->open(sql);
    if (!grid->dataSource()) {
        DataSource* source = DataSource1;
        if (set != ADOQuery1)
            source = new DataSource(this);
        source->setDataSet(set);
        grid->setDataSource(source);
    }
}

QGroupBox* QueryScreen::gridGroup(const QString& name, const QString& title, DBGrid* grid)
{
    QGroupBox* group = makeGroup(this, name, title);
    grid->setParent(group);
    auto* box = new QVBoxLayout(group);
    box->addWidget(grid);
    return group;
}

QHBoxLayout* QueryScreen::dateRange(QDateEdit*& first, QDateEdit*& second, const QString& label,
                                    const QString& between, const QString& firstName, const QString& secondName)
{
    auto* row = new QHBoxLayout;
    if (!label.isEmpty())
        row->addWidget(new QLabel(label, this));
    first = makeDatePicker(this, firstName);
    second = makeDatePicker(this, secondName);
    row->addWidget(first);
    row->addWidget(new QLabel(between, this));
    row->addWidget(second);
    return row;
}

QPushButton* QueryScreen::exportButton(QWidget* parent, const QString& name)
{
    return makeButton(parent, name, QStringLiteral("导出EXCEL"));
}

QPushButton* QueryScreen::exitButton(QWidget* parent, const QString& name)
{
    QPushButton* button = makeButton(parent, name, QStringLiteral("退出"));
    onClick(button, this, &QueryScreen::exitScreen);
    return button;
}

void QueryScreen::exitScreen()
{
    for (ResultSet* set : m_sets)
        set->close();
    close();
}

void QueryScreen::exportRows(const QString& layoutName, const ExportOptions& options, ResultSet* set)
{
    exportToSpreadsheet(layoutName, set ? *set : *ADOQuery1, this, options);
}

void QueryScreen::exportRows(const QString& layoutName)
{
    exportRows(layoutName, ExportOptions{});
}

void QueryScreen::exportPage(const QString& layoutName, const ExportOptions& options, ResultSet* set)
{
    ResultSet* rows = set ? set : ADOQuery1;
    if (rows->isActive()) {
        exportRows(layoutName, options, rows);
        return;
    }
    QStringList columns;
    for (const QString& heading : exportHeadings(layoutName, options))
        if (!heading.isEmpty())
            columns << QStringLiteral("'' as ") + heading;
    ResultSet none;
    none.open(QStringLiteral("select ") + columns.join(QLatin1Char(',')) + QStringLiteral(" from J_zjb where 1=0"));
    exportToSpreadsheet(layoutName, none, this, options);
}

StatusBar* QueryScreen::statusBar()
{
    return addStatusBar(this, false);
}

QStringList listOf(const QString& sql)
{
    ResultSet rs;
    rs.open(sql);
    QStringList out;
    for (; !rs.eof(); rs.next())
        out << displayText(rs.value(0));
    return out;
}

void fillList(QComboBox* combo, const QString& sql)
{
    const QStringList items = listOf(sql);
    const QString text = combo->currentText();
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
}

double sumOf(const QString& sql)
{
    ResultSet rs;
    rs.open(sql);
    if (rs.isEmpty() || rs.value(0).isNull())
        return 0;
    return rs.number(rs.fieldName(0));
}

void refillScratch(const QString& table, const QStringList& inserts, const std::function<void(int)>& afterEach)
{
    Database& db = Database::shared();
    Transaction tx(db);
    db.exec(QStringLiteral("delete from ") + table);
    int done = 0;
    for (const QString& insert : inserts) {
        db.exec(insert);
        if (afterEach)
            afterEach(++done);
    }
    tx.commit();
}

QString dateRangeText(const QDate& first, const QDate& last)
{
    return QLatin1Char('#') + shortDate(first) + QStringLiteral("# and #") + shortDate(last) + QLatin1Char('#');
}

QString dateRangeText(const QDateEdit* first, const QDateEdit* last)
{
    return dateRangeText(first->date(), last->date());
}

QLabel* totalLabel(QWidget* parent, const QString& name, const QColor& colour)
{
    QLabel* label = makeLabel(parent, name, QStringLiteral("0"));
    label->setMinimumWidth(90); // room for a large sum without moving the "元" after it
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    return label;
}

QLabel* colouredLabel(QWidget* parent, const QString& name, const QString& text, const QColor& colour)
{
    QLabel* label = makeLabel(parent, name, text);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    return label;
}

void setTotal(QLabel* label, double value)
{
    label->setText(numText(value));
}

void colourGrid(DBGrid* grid, const QColor& text, const QColor& titles)
{
    QPalette p = grid->palette();
    p.setColor(QPalette::Text, text);
    grid->setPalette(p);
    QHeaderView* header = grid->horizontalHeader();
    QPalette h = header->palette();
    h.setColor(QPalette::ButtonText, titles);
    header->setPalette(h);
}

void colourGroupTitle(QGroupBox* group, const QColor& colour)
{
    QPalette p = group->palette();
    p.setColor(QPalette::WindowText, colour);
    group->setPalette(p);
}

int fitColumns(DBGrid* grid, const QStringList& samples)
{
    QList<int> widths;
    int total = 0;
    for (const QString& sample : samples) {
        widths << grid->fontMetrics().horizontalAdvance(sample) + 16; // the cell's margins
        total += widths.last();
    }
    grid->setColumnWidths(widths);
    return total;
}
