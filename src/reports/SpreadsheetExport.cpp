// Spreadsheet export of grids: one mechanism, the per-screen differences in the table below.
#include "reports/SpreadsheetExport.h"

#include "db/Errors.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "reports/LongWork.h"
#include "widgets/MessageBoxes.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

#include <xlsxwriter.h>

#include <map>
#include <vector>

namespace {

const QString kCannotCreate = QStringLiteral("无法创建Xls文件，请确认是否安装EXCEL");

struct Column {
    const char* heading; // also the result-set column read; "" leaves the column empty
    double width;
    bool read = true;    // false: heading only, the cells stay empty
};

struct Layout {
    const char* name;
    int mode;            // the checked radio button this layout is for; -1 for any
    const char* title;
    bool setsCaption;    // the title also names the document
    std::vector<Column> columns;
    bool headingTitleOnly = false; // heading font and centring on the title row only
    std::vector<int> centredColumns = {}; // data cells centred horizontally (1-based)
    bool needsCondition = false;   // nothing happens while ComboBox1 and ComboBox2 are empty
};

const std::vector<Column> kGoodsColumns = {
    {"商品代码", 10}, {"商品名称", 20}, {"制造商", 30}, {"品牌", 10}, {"规格", 10},
    {"单位", 5}, {"单价", 10}, {"利润率", 10}, {"现有库存", 10}, {"库存上限", 10},
    {"库存下限", 10}, {"货位", 20}, {"备注", 30},
};

const std::vector<Column> kStockSumColumns = {
    {"商品代码", 10}, {"商品名称", 30}, {"品牌", 10}, {"规格", 10}, {"单位", 5},
    {"数量", 10}, {"金额", 10},
};

std::vector<Column> summaryColumns(const char* dateHeading = nullptr)
{
    std::vector<Column> cols = {{"商品代码", 10}, {"商品名称", 30}, {"品牌", 10}, {"规格", 10},
                                {"单位", 5}, {"单价", 10}, {"数量", 10}};
    if (dateHeading)
        cols.push_back({dateHeading, 10});
    return cols;
}

// Open items: columns 3 and 4 follow the radio buttons; return vouchers carry no invoice
// number, so column 2 keeps its heading and stays empty for them.
std::vector<Column> openItemColumns(int mode, const char* col3, const char* col4, double width3,
                                    const char* due, const char* settled)
{
    return {{"凭证号", 15}, {"发票号", 20, mode != 2}, {col3, width3, mode != 0}, {col4, 10, mode != 0},
            {"审核人", 10}, {due, 10}, {settled, 10}, {"欠款", 10}, {"日期", 15}};
}

const std::vector<Layout>& layouts()
{
    static const std::vector<Layout> table = {
        {"TForm4", -1, "客户表", true,
         {{"客户代码", 10}, {"客户名称", 30}, {"联系人", 10}, {"地址", 30}, {"邮编", 10}, {"电话", 15},
          {"手机", 15}, {"传真", 15}, {"电子邮件", 30}, {"网址", 30}, {"开户行", 30}, {"银行帐号", 20}}},
        {"TForm6", -1, "商品表", true, kGoodsColumns},
        {"TForm21.BitBtn2", -1, "商品入库表", true, kStockSumColumns},
        {"TForm21.BitBtn13", -1, "商品出库表", true, kStockSumColumns},
        {"TForm21.BitBtn20", -1, "商品表", true, kGoodsColumns},
        {"TForm22", -1, "支出汇总表", true,
         {{"凭证号", 15}, {"支出说明", 20}, {"经手人", 10}, {"审核人", 10}, {"支出金额", 10},
          {"支出日期", 10}, {"备注", 30}}},
        {"TForm23", 0, "应付款表", true, openItemColumns(0, "", "", 10, "应付款", "实付款")},
        {"TForm23", 1, "应付款表", true, openItemColumns(1, "入库类别", "采购员", 10, "应付款", "实付款")},
        {"TForm23", 2, "应付款表", true, openItemColumns(2, "退货原因", "经手人", 10, "应付款", "实付款")},
        {"TForm24", 0, "应收款表", true, openItemColumns(0, "", "", 20, "应收款", "实收款")},
        {"TForm24", 1, "应收款表", true, openItemColumns(1, "出库类别", "销售员", 20, "应收款", "实收款")},
        {"TForm24", 2, "应收款表", true, openItemColumns(2, "退货原因", "经手人", 20, "应收款", "实收款")},
        {"TForm31", -1, "报损汇总表", true,
         {{"凭证号", 15}, {"报损说明", 20}, {"经手人", 10}, {"审核人", 10}, {"报损金额", 10},
          {"报损日期", 10}, {"备注", 30}}},
        {"TForm32", -1, "商品表", true, kGoodsColumns},
        {"TForm44", -1, "应收款客户表", true, {{"客户名称", 30}, {"出库类别", 10}}, true},
        {"TForm46", -1, "商品日记帐", true,
         {{"日期", 10}, {"凭证号", 15}, {"摘要", 40}, {"入库单价", 10}, {"入库数量", 10}, {"入库金额", 10},
          {"出库单价", 10}, {"出库数量", 10}, {"出库金额", 10}, {"结存单价", 10}, {"结存数量", 10},
          {"结存金额", 10}}},
        {"TForm47", -1, "现金日记帐", true,
         {{"日期", 10}, {"凭证号", 15}, {"摘要", 40}, {"收款金额", 10}, {"付款金额", 10}, {"结存金额", 10}}},
        {"TForm51", -1, "职工表", true,
         {{"工号", 5}, {"姓名", 15}, {"性别", 5}, {"年龄", 5}, {"学历", 10}, {"身份证号", 20}, {"职务", 10},
          {"手机", 15}, {"住址", 30}, {"爱好", 30}},
         false, {6, 8}},
        {"TForm54", 1, "主单据表", false,
         {{"凭证号", 15}, {"发票号", 20}, {"采购员", 10}, {"审核人", 10}, {"应付款", 10}, {"实付款", 10},
          {"欠款", 10}, {"采购日期", 10}},
         false, {}, true},
        {"TForm54", 2, "商品入库汇总表", true, summaryColumns(), false, {}, true},
        {"TForm54", 3, "商品入库明细表", true, summaryColumns("采购日期"), false, {}, true},
        {"TForm55", 1, "主单据表", true,
         {{"凭证号", 15}, {"发票号", 20}, {"销售员", 10}, {"审核人", 10}, {"应收款", 10}, {"实收款", 10},
          {"欠款", 10}, {"销售日期", 10}},
         false, {}, true},
        {"TForm55", 2, "商品出库汇总表", true, summaryColumns(), false, {}, true},
        {"TForm55", 3, "商品出库明细表", true, summaryColumns("销售日期"), false, {}, true},
        {"TForm58", -1, "账目核对表", true, {{"项目", 40}, {"位置", 15}, {"账面数", 12}, {"核对数", 12}}},
    };
    return table;
}

const Layout& findLayout(const QString& name, int checkedRadio)
{
    for (const Layout& l : layouts())
        if (name == QLatin1String(l.name) && (l.mode < 0 || l.mode == checkedRadio))
            return l;
    throw AppError(QStringLiteral("没有“%1”的导出格式").arg(name));
}

bool needsCondition(const QString& name)
{
    for (const Layout& l : layouts())
        if (name == QLatin1String(l.name) && l.needsCondition)
            return true;
    return false;
}

// The desktop starts its opener without waiting for it, so it "succeeds" even when no
// application takes workbooks: ask the desktop's list of default applications first.
bool desktopOpen(const QString& fileName)
{
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!query.isEmpty()) {
        QProcess p;
        p.start(query, {QStringLiteral("query"), QStringLiteral("default"),
                        QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet")});
        if (p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit
            && p.readAllStandardOutput().trimmed().isEmpty())
            return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

// Told when no application shows the workbook: it is kept, and the operator learns where.
void tellWhereWritten(QWidget* parent, const QString& fileName)
{
    showInfo(parent, QStringLiteral("没有能打开工作簿的程序（请确认是否安装EXCEL），工作簿已保存在：\n")
                         + QDir::toNativeSeparators(fileName));
}

WorkbookOpener& opener()
{
    static WorkbookOpener fn = desktopOpen;
    return fn;
}

QString& folderSetting()
{
    static QString folder;
    return folder;
}

// A name no earlier export has taken: title and time, then a counter.
QString newFileName(const QString& folder, const QString& title)
{
    const QString base = folder + QLatin1Char('/') + title + QLatin1Char('_')
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString name = base + QStringLiteral(".xlsx");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = base + QStringLiteral("_%1.xlsx").arg(n);
    return name;
}

// A workbook that could not be set up is still closed, since that is what releases the
// library's temporary files, and then removed.
struct WorkbookGuard {
    lxw_workbook* wb = nullptr;
    QString fileName;
    ~WorkbookGuard()
    {
        if (wb) {
            workbook_close(wb);
            QFile::remove(fileName);
        }
    }
};

// The grid follows the set again however the walk ends.
struct ControlsGuard {
    ResultSet& rs;
    explicit ControlsGuard(ResultSet& set) : rs(set) { rs.disableControls(); }
    ~ControlsGuard() { rs.enableControls(); }
};

// The screen shows the wait cursor while the rows are written.
struct WaitCursor {
    QWidget* w;
    explicit WaitCursor(QWidget* widget) : w(widget)
    {
        if (w)
            w->setCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (w)
            w->unsetCursor();
    }
};

void check(lxw_error err)
{
    if (err != LXW_NO_ERROR)
        throw AppError(kCannotCreate);
}

// Cell formats of the data rows, made on first use.
class DataFormats {
public:
    enum : unsigned { FirstColumn = 1, Date = 2, DateTime = 4, Centred = 8 };
    explicit DataFormats(lxw_workbook* wb) : m_wb(wb) {}

    lxw_format* get(unsigned key)
    {
        if (key == 0)
            return nullptr;
        auto it = m_formats.find(key);
        if (it != m_formats.end())
            return it->second;
        lxw_format* f = workbook_add_format(m_wb);
        if (key & FirstColumn) {
            format_set_font_name(f, "幼圆");
            format_set_font_size(f, 12);
        }
        if (key & Date)
            format_set_num_format(f, "yyyy/m/d");
        if (key & DateTime)
            format_set_num_format(f, "yyyy/m/d h:mm:ss");
        if (key & Centred)
            format_set_align(f, LXW_ALIGN_CENTER);
        m_formats.emplace(key, f);
        return f;
    }

private:
    lxw_workbook* m_wb;
    std::map<unsigned, lxw_format*> m_formats;
};

lxw_datetime toLxw(const QDate& d, const QTime& t = QTime(0, 0))
{
    return lxw_datetime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second() + t.msec() / 1000.0};
}

// One cell in the kind of its value: the spreadsheet can sum numbers and sort dates.
void writeCell(lxw_worksheet* ws, DataFormats& formats, lxw_row_t row, lxw_col_t col, const QVariant& v,
               unsigned key)
{
    if (v.isNull() || !v.isValid()) {
        if (lxw_format* f = formats.get(key))
            check(worksheet_write_blank(ws, row, col, f));
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        check(worksheet_write_number(ws, row, col, v.toDouble(), formats.get(key)));
        return;
    case QMetaType::QDate: {
        const QDate d = v.toDate();
        if (d.isValid()) {
            lxw_datetime dt = toLxw(d);
            check(worksheet_write_datetime(ws, row, col, &dt, formats.get(key | DataFormats::Date)));
            return;
        }
        break;
    }
    case QMetaType::QDateTime: {
        const QDateTime d = v.toDateTime();
        if (d.isValid()) {
            const bool hasTime = d.time() != QTime(0, 0);
            lxw_datetime dt = toLxw(d.date(), d.time());
            check(worksheet_write_datetime(ws, row, col, &dt,
                                           formats.get(key | (hasTime ? DataFormats::DateTime : DataFormats::Date))));
            return;
        }
        break;
    }
    default:
        break;
    }
    const QByteArray text = displayText(v).toUtf8();
    if (text.isEmpty()) {
        if (lxw_format* f = formats.get(key))
            check(worksheet_write_blank(ws, row, col, f));
        return;
    }
    check(worksheet_write_string(ws, row, col, text.constData(), formats.get(key)));
}

// Fills the sheet from the set's first row to its last. Throws where a cell fails; what
// was written before stays in the workbook.
void writeSheet(lxw_workbook* wb, lxw_worksheet* ws, const Layout& layout, ResultSet& rs, QWidget* parent)
{
    if (layout.setsCaption) {
        lxw_doc_properties props{};
        props.title = const_cast<char*>(layout.title);
        check(workbook_set_properties(wb, &props));
    }

    // A screen that has not queried yet: the walk cannot start.
    if (!rs.isActive())
        throw DbError(QStringLiteral("对象关闭时，不允许操作。"));

    WaitCursor busy(parent);
    rs.first();
    const auto n = static_cast<lxw_col_t>(layout.columns.size());
    ControlsGuard controls(rs);

    lxw_format* heading = workbook_add_format(wb);
    format_set_align(heading, LXW_ALIGN_CENTER);
    format_set_align(heading, LXW_ALIGN_VERTICAL_CENTER);
    format_set_font_name(heading, "宋体");
    format_set_font_size(heading, 14);
    format_set_bold(heading);

    if (n > 1)
        check(worksheet_merge_range(ws, 0, 0, 0, n - 1, layout.title, heading));
    else
        check(worksheet_write_string(ws, 0, 0, layout.title, heading));
    for (lxw_col_t c = 0; c < n; ++c)
        check(worksheet_set_column(ws, c, c, layout.columns[c].width, nullptr));
    lxw_format* headerRow = layout.headingTitleOnly ? nullptr : heading;
    for (lxw_col_t c = 0; c < n; ++c) {
        const char* text = layout.columns[c].heading;
        if (*text)
            check(worksheet_write_string(ws, 1, c, text, headerRow));
        else if (headerRow)
            check(worksheet_write_blank(ws, 1, c, headerRow));
    }

    // Columns are looked up once; a missing one fails (naming it) when the first row reads it.
    std::vector<int> index(n, -1);
    std::vector<unsigned> keys(n, 0);
    for (lxw_col_t c = 0; c < n; ++c) {
        const Column& col = layout.columns[c];
        if (col.read && *col.heading)
            index[c] = rs.fieldIndex(QString::fromUtf8(col.heading));
        if (c == 0)
            keys[c] |= DataFormats::FirstColumn;
        for (int centred : layout.centredColumns)
            if (centred == static_cast<int>(c) + 1)
                keys[c] |= DataFormats::Centred;
    }

    DataFormats formats(wb);
    LongWork work(parent, QStringLiteral("正在导出……"), rs.recordCount());
    // One view of the file for the whole walk, and each row read once without being kept.
    ReadTransaction view(rs.database());
    ResultSet::RowReader reader(rs);
    lxw_row_t row = 2;
    while (!rs.eof()) {
        const QVector<QVariant> values = reader.row(rs.recNo());
        for (lxw_col_t c = 0; c < n; ++c) {
            const Column& col = layout.columns[c];
            if (!col.read || !*col.heading) {
                if (lxw_format* f = formats.get(keys[c]))
                    check(worksheet_write_blank(ws, row, c, f));
                continue;
            }
            const QVariant v = index[c] >= 0 ? values.value(index[c]) : rs.value(QString::fromUtf8(col.heading));
            writeCell(ws, formats, row, c, v, keys[c]);
        }
        ++row;
        work.step(static_cast<int>(row) - 2);
        rs.next();
    }
}

} // namespace

QStringList exportLayoutNames()
{
    QStringList names;
    for (const Layout& l : layouts())
        if (!names.contains(QLatin1String(l.name)))
            names << QLatin1String(l.name);
    return names;
}

QStringList exportHeadings(const QString& layoutName, const ExportOptions& options)
{
    QStringList headings;
    for (const Column& c : findLayout(layoutName, options.checkedRadio).columns)
        headings << QString::fromUtf8(c.heading);
    return headings;
}

WorkbookOpener setWorkbookOpener(WorkbookOpener fn)
{
    WorkbookOpener previous = opener();
    opener() = fn ? std::move(fn) : WorkbookOpener(desktopOpen);
    return previous;
}

QString exportFolder()
{
    if (!folderSetting().isEmpty())
        return folderSetting();
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return documents + QStringLiteral("/岚桥进销存导出");
}

void setExportFolder(const QString& folder)
{
    folderSetting() = folder;
}

void exportToSpreadsheet(const QString& layoutName, ResultSet& rs, QWidget* parent, const ExportOptions& options)
{
    // Checked before the layout: the output kind does not matter while nothing is chosen.
    if (needsCondition(layoutName) && options.comboBox1.isEmpty() && options.comboBox2.isEmpty())
        return;
    const Layout& layout = findLayout(layoutName, options.checkedRadio);

    const QString folder = exportFolder();
    if (!QDir().mkpath(folder))
        throw AppError(kCannotCreate);
    const QString fileName = newFileName(folder, QString::fromUtf8(layout.title));
    const QByteArray nativeName = QFile::encodeName(fileName);
    // The library finds an unwritable file only when closing, after all rows, and then
    // keeps its temporary files open: try the file first.
    {
        QFile probe(fileName);
        if (!probe.open(QIODevice::WriteOnly))
            throw AppError(kCannotCreate);
    }

    lxw_workbook_options wbOptions{};
    wbOptions.constant_memory = LXW_TRUE; // rows go to disk as they are written
    WorkbookGuard guard;
    guard.fileName = fileName;
    guard.wb = workbook_new_opt(nativeName.constData(), &wbOptions);
    if (!guard.wb) {
        QFile::remove(fileName);
        throw AppError(kCannotCreate);
    }
    lxw_worksheet* ws = workbook_add_worksheet(guard.wb, nullptr);
    if (!ws)
        throw AppError(kCannotCreate);

    try {
        writeSheet(guard.wb, ws, layout, rs, parent);
    } catch (const WorkCancelled&) {
        return; // the guard closes the workbook and removes its file
    } catch (...) {
        // The user gets what was written up to the failing cell, then the error itself;
        // that error says more than a failure to open the partial workbook would.
        const bool closed = workbook_close(guard.wb) == LXW_NO_ERROR;
        guard.wb = nullptr;
        if (!closed)
            QFile::remove(fileName);
        else if (!opener()(fileName))
            tellWhereWritten(parent, fileName);
        throw;
    }

    const lxw_error closed = workbook_close(guard.wb);
    guard.wb = nullptr;
    if (closed != LXW_NO_ERROR) {
        QFile::remove(fileName);
        throw AppError(kCannotCreate);
    }
    if (!opener()(fileName))
        tellWhereWritten(parent, fileName);
}
