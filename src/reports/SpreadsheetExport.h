#pragma once
// "导出EXCEL" of the query and list screens: the grid's result set goes into a new .xlsx
// workbook (title row, header row, data rows, per screen layout), which is then opened
// with the desktop's spreadsheet program for the user to save, print or discard.
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;
class ResultSet;

// What the screen shows at the moment of export, for the layouts that depend on it.
struct ExportOptions {
    // Which of the screen's RadioButton1..RadioButton3 is checked; 0 when none.
    // TForm23/TForm24: columns 3 and 4 ("供货商"/"购货商" or "退货客户" mode);
    // TForm54/TForm55: the output kind ("主单据", "汇总数据", "明细数据").
    int checkedRadio = 0;
    // TForm54/TForm55: the texts of ComboBox1 (partner) and ComboBox2 (category);
    // with both empty the export does nothing, like the query.
    QString comboBox1;
    QString comboBox2;
};

// Writes rs from its first row to its last under the layout of the screen named by
// layoutName ("TForm32"; for the three buttons of TForm21 "TForm21.BitBtn2",
// "TForm21.BitBtn13", "TForm21.BitBtn20") and opens the workbook.
// Numbers become number cells, dates date cells, texts text cells, nulls empty cells.
// Afterwards rs stands on its last row. Throws AppError "无法创建Xls文件，请确认是否安装EXCEL"
// when the workbook cannot be created or written (one no application opens is kept and
// its place told in an information box); DbError when rs is not open or
// lacks a column a heading names (naming it). An error met while filling the sheet stops
// it at that cell: the workbook is opened as far as it got, then the error is thrown.
void exportToSpreadsheet(const QString& layoutName, ResultSet& rs, QWidget* parent = nullptr,
                         const ExportOptions& options = {});

// The headings of the layout the options choose; empty texts stand for empty columns.
QStringList exportHeadings(const QString& layoutName, const ExportOptions& options = {});

// Every layout name exportToSpreadsheet() knows.
QStringList exportLayoutNames();

// The step that shows a written workbook; true when an application took it. When none does,
// an information box says where the workbook was written. The default asks the desktop to
// open the file; tests put their own in place.
using WorkbookOpener = std::function<bool(const QString& fileName)>;
// Returns the opener in place before; an empty function restores the desktop's.
WorkbookOpener setWorkbookOpener(WorkbookOpener opener);

// Folder of the written workbooks, created when missing: "岚桥进销存导出" in the user's
// documents folder unless set; the workbooks stay there.
QString exportFolder();
void setExportFolder(const QString& folder); // empty: the default again
