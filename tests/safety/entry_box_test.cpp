// Every entry box of the master screens, with the worst an operator can paste into it.
// What the box holds is stored exactly when its column can hold it, or refused with the
// screen's own message and nothing written; no crash and no engine text.
#include "EntryBoxes.h"

#include "app/OperatorScreen.h"
#include "master/CategoryScreen.h"
#include "master/CompanyScreen.h"
#include "master/EmployeeEntryScreen.h"
#include "master/EmployeeListScreen.h"
#include "master/GoodsEntryScreen.h"
#include "master/GoodsListScreen.h"
#include "master/PartnerEntryScreen.h"
#include "master/PartnerListScreen.h"
#include "master/WorkingCapitalScreen.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"
#include "widgets/DBGrid.h"

#include <QPushButton>

#include <functional>
#include <memory>

namespace {

using namespace entrybox;

// ---- the master entry dialogs: one row added -------------------------------------------

struct EntryDialog {
    const char* name;
    const char* table;
    const char* keyBox;
    const char* keyColumn;
    // The dialog adding a row, or editing the row the list stands on.
    std::function<std::unique_ptr<QWidget>(bool adding, ResultSet* list)> open;
    std::function<QString()> listSql;
    std::vector<std::pair<const char*, const char*>> textBoxes; // box, column
    std::vector<std::pair<const char*, const char*>> numberBoxes;
};

const EntryDialog kEntryDialogs[] = {
    {"TForm7", "J_spb", "Edit1", "spdm",
     [](bool adding, ResultSet* list) { return std::make_unique<TForm7>(nullptr, adding, list, QStringLiteral("茶叶")); },
     [] { return TForm6::listQuery1 + u'\n' + TForm6::listQuery2; },
     {{"Edit1", "spdm"}, {"Edit2", "spmc"}, {"Edit3", "zzs"}, {"Edit4", "pp"}, {"Edit5", "gg"}, {"Edit6", "dw"},
      {"Edit12", "hw"}, {"Edit13", "bz"}},
     {{"Edit8", "lrl"}, {"Edit10", "kcsx"}, {"Edit11", "kcxx"}}},
    {"TForm5", "J_khb", "Edit1", "khdm",
     [](bool adding, ResultSet* list) {
         return std::make_unique<TForm5>(nullptr, adding, list, QStringLiteral("供货商"), QStringLiteral("华东"));
     },
     [] { return TForm4::listQuery1 + u'\n' + TForm4::listQuery2; },
     {{"Edit1", "khdm"}, {"Edit2", "khmc"}, {"Edit3", "lxr"}, {"Edit4", "dz"}, {"Edit5", "yb"}, {"Edit6", "dh"},
      {"Edit7", "sj"}, {"Edit8", "cz"}, {"Edit9", "dzyj"}, {"Edit10", "wz"}, {"Edit11", "khh"}, {"Edit12", "yhzh"}},
     {}},
    {"TForm52", "J_zgb", "Edit1", "gh",
     [](bool adding, ResultSet* list) { return std::make_unique<TForm52>(nullptr, adding, list, QStringLiteral("综合部门")); },
     [] { return TForm51::listQuery1 + u'\n' + TForm51::listQuery2; },
     {{"Edit1", "gh"}, {"Edit2", "xm"}, {"ComboBox1", "xb"}, {"Edit3", "nl"}, {"ComboBox2", "xl"}, {"Edit4", "sfzh"},
      {"Edit5", "zw"}, {"Edit6", "sj"}, {"Edit7", "zz"}, {"Edit8", "ah"}},
     {}},
};

class EntryDialogTest : public EntryBoxTest, public ::testing::WithParamInterface<bool> {};

INSTANTIATE_TEST_SUITE_P(Modes, EntryDialogTest, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Adding" : "Editing"); });

TEST_P(EntryDialogTest, MasterEntryDialogsStoreWhatTheBoxHoldsOrRefuseTheRow)
{
    const bool adding = GetParam();
    const QString refusal = adding ? QStringLiteral("添加数据错误！！") : QStringLiteral("修改数据错误！！");
    for (const EntryDialog& d : kEntryDialogs) {
        const QString table = QLatin1String(d.table);
        // Rows there are after a refusal: none added, the edited one as it was.
        const int before = adding ? 0 : 1;
        auto attempt = [&](const char* boxName, const QString& value, const std::function<void(QWidget*, const QString&)>& check) {
            run(QStringLiteral("delete from ") + table);
            if (!adding)
                run(QStringLiteral("insert into %1(%2) values('K')").arg(table, QLatin1String(d.keyColumn)));
            ResultSet list;
            list.open(d.listSql());
            std::unique_ptr<QWidget> dialog = d.open(adding, &list);
            dialog->show();
            // Every other box blank so that what is read back is the box's alone.
            for (const auto& [other, column] : d.textBoxes)
                if (qstrcmp(other, boxName) != 0 && (adding || qstrcmp(other, d.keyBox) != 0))
                    paste(child<QWidget>(dialog.get(), QLatin1String(other)), qstrcmp(other, d.keyBox) == 0 ? "K" : "");
            const QString typed = paste(child<QWidget>(dialog.get(), QLatin1String(boxName)), value);
            check(dialog.get(), typed);
        };

        for (const auto& [boxName, column] : d.textBoxes) {
            if (!adding && qstrcmp(boxName, d.keyBox) == 0)
                continue; // the code of a row being edited cannot be changed
            const int width = widthOf(table, QLatin1String(column));
            for (const QString& value : textValues(width)) {
                SCOPED_TRACE(QStringLiteral("%1.%2 = %3").arg(QLatin1String(d.name), QLatin1String(boxName), value.left(40)).toStdString());
                attempt(boxName, value, [&](QWidget* dialog, const QString& typed) {
                    const bool key = qstrcmp(boxName, d.keyBox) == 0;
                    if (key && typed.isEmpty())
                        return; // no key, nothing to save
                    const bool refused = typed.size() > width;
                    ModalScript script;
                    if (refused)
                        script.expectBox(kHint, refusal);
                    click(dialog, QStringLiteral("BitBtn1"));
                    script.verify();
                    EXPECT_FALSE(dialog->isVisible());
                    EXPECT_EQ(count(table), refused ? before : 1);
                    if (!refused)
                        EXPECT_EQ(text(QStringLiteral("select %1 from %2").arg(QLatin1String(column), table)), typed);
                    else if (!adding)
                        EXPECT_EQ(text(QStringLiteral("select %1 from %2").arg(QLatin1String(column), table)), QString());
                });
            }
        }
        for (const auto& [boxName, column] : d.numberBoxes) {
            for (const QString& value : nasty::numbers()) {
                SCOPED_TRACE(QStringLiteral("%1.%2 = %3").arg(QLatin1String(d.name), QLatin1String(boxName), value).toStdString());
                attempt(boxName, value, [&](QWidget* dialog, const QString& typed) {
                    const NumberOutcome n = numberOutcome(typed);
                    ModalScript script;
                    if (n.notNumber)
                        script.expectError(QStringLiteral("'%1' is not a valid floating point value").arg(typed));
                    else if (n.tooBig)
                        script.expectBox(kHint, refusal);
                    click(dialog, QStringLiteral("BitBtn1"));
                    script.verify();
                    // A text that is no number is refused before anything is written; the
                    // operator may correct it.
                    EXPECT_EQ(dialog->isVisible(), n.notNumber);
                    const QString stored = QStringLiteral("select %1 from %2").arg(QLatin1String(column), table);
                    if (n.notNumber || n.tooBig) {
                        EXPECT_EQ(count(table), before);
                        if (!adding)
                            EXPECT_EQ(num(stored), 0);
                    } else {
                        EXPECT_EQ(count(table), 1);
                        EXPECT_EQ(num(stored), n.stored);
                    }
                });
            }
        }
    }
}

// ---- the screens over a single row: company, operator, working capital -------------------

TEST_F(EntryBoxTest, CompanyFieldsAreSavedOnClosingOrRefusedWhole)
{
    const char* const columns[] = {"yhmc", "dz", "dh1", "dh2", "lxr", "yb", "yx", "wz"};
    for (int i = 0; i < 8; ++i) {
        const QString column = QLatin1String(columns[i]);
        const int width = widthOf(QStringLiteral("J_yhb"), column);
        for (const QString& value : textValues(width)) {
            SCOPED_TRACE(QStringLiteral("TForm3.Edit%1 = %2").arg(i + 1).arg(value.left(40)).toStdString());
            run("update J_yhb set yhmc='旧',dz='旧',dh1='旧',dh2='旧',lxr='旧',yb='旧',yx='旧',wz='旧'");
            TForm3 screen;
            screen.show();
            const QString typed = paste(child<QWidget>(&screen, QStringLiteral("Edit%1").arg(i + 1)), value);
            const bool refused = typed.size() > width;
            ModalScript script;
            if (refused)
                script.expectBox(kHint, QStringLiteral("用户信息保存失败!"));
            click(&screen, QStringLiteral("BitBtn10"));
            script.verify();
            EXPECT_EQ(count("J_yhb"), 1);
            EXPECT_EQ(text(QStringLiteral("select %1 from J_yhb").arg(column)), refused ? QStringLiteral("旧") : typed);
        }
    }
}

TEST_F(EntryBoxTest, TheOperatorsNameAndPasswordAreStoredOrRefusedWhole)
{
    struct Field {
        const char* column;
        const char* boxes[2]; // a password goes into both of its boxes
    };
    const Field fields[] = {{"czymc", {"ComboBox1", nullptr}}, {"czymm", {"Edit2", "Edit3"}}};
    for (const Field& f : fields) {
        const QString column = QLatin1String(f.column);
        const int width = widthOf(QStringLiteral("J_czyb"), column);
        for (const QString& value : textValues(width)) {
            SCOPED_TRACE(QStringLiteral("TForm36.%1 = %2").arg(QLatin1String(f.boxes[0]), value.left(40)).toStdString());
            run("update J_czyb set czymc='管理员',czymm='530162'");
            TForm36 screen;
            screen.show();
            paste(child<QWidget>(&screen, QStringLiteral("ComboBox1")), QStringLiteral("管理员"));
            paste(child<QWidget>(&screen, QStringLiteral("Edit2")), QStringLiteral("530162"));
            paste(child<QWidget>(&screen, QStringLiteral("Edit3")), QStringLiteral("530162"));
            QString typed;
            for (const char* box : f.boxes)
                if (box)
                    typed = paste(child<QWidget>(&screen, QLatin1String(box)), value);
            if (typed.isEmpty())
                continue;
            const bool refused = typed.size() > width;
            ModalScript script;
            script.expectBox(kHint, refused ? QStringLiteral("修改操作员信息失败！!") : QStringLiteral("操作员、密码修改成功！!"));
            click(&screen, QStringLiteral("BitBtn1"));
            script.verify();
            EXPECT_EQ(text("select czymc from J_czyb"), column == "czymc" && !refused ? typed : QStringLiteral("管理员"));
            EXPECT_EQ(text("select czymm from J_czyb"), column == "czymm" && !refused ? typed : QStringLiteral("530162"));
        }
    }
}

TEST_F(EntryBoxTest, TheOpeningBalanceIsRegisteredOrRefusedInTheScreensWords)
{
    for (const QString& value : nasty::numbers()) {
        SCOPED_TRACE(("TForm50.Edit1 = " + value).toStdString());
        setCash(0);
        TForm50 screen;
        screen.show();
        const QString typed = paste(child<QWidget>(&screen, QStringLiteral("Edit1")), value);
        const NumberOutcome n = numberOutcome(typed);
        ModalScript script;
        if (n.notNumber || n.tooBig)
            script.expectBox(kHint, QStringLiteral("注册流动资金失败!"));
        click(&screen, QStringLiteral("BitBtn1"));
        script.verify();
        EXPECT_EQ(cash(), n.notNumber || n.tooBig ? 0 : n.stored);
    }
}

// ---- the code lists edited in grids -----------------------------------------------------

struct CodeList {
    const char* screen; // TForm3 or TForm20
    const char* grid;
    const char* add;
    const char* table;
    const char* column;
    const char* refusal;
};

const CodeList kCodeLists[] = {
    {"TForm3", "DBGrid1", "BitBtn1", "J_jsfsb", "jsfs", "结算方式表添加错误！！"},
    {"TForm3", "DBGrid2", "BitBtn4", "J_sklbb", "sklb", "收款信息表添加错误！！"},
    {"TForm3", "DBGrid3", "BitBtn7", "J_fklbb", "fklb", "付款类别表添加错误！！"},
    {"TForm20", "DBGrid1", "BitBtn1", "J_rklbb", "rklb", "入库类别表添加错误！！"},
    {"TForm20", "DBGrid2", "BitBtn4", "J_cklbb", "cklb", "出库类别表添加错误！！"},
    {"TForm20", "DBGrid3", "BitBtn7", "J_zclbb", "zclb", "支出类别表添加错误！！"},
    {"TForm20", "DBGrid4", "BitBtn10", "J_bslbb", "bslb", "报损类别表添加错误！！"},
};

TEST_F(EntryBoxTest, CodeListCellsStoreWhatIsTypedOrRefuseTheRow)
{
    for (const CodeList& l : kCodeLists) {
        const QString table = QLatin1String(l.table);
        for (int cell = 0; cell < 2; ++cell) {
            const QString column = cell == 0 ? QStringLiteral("bh") : QLatin1String(l.column);
            const int width = widthOf(table, column);
            for (const QString& value : textValues(width)) {
                SCOPED_TRACE(QStringLiteral("%1.%2.%3 = %4").arg(QLatin1String(l.screen), QLatin1String(l.grid), column, value.left(40)).toStdString());
                run(QStringLiteral("delete from ") + table);
                std::unique_ptr<QWidget> screen;
                if (qstrcmp(l.screen, "TForm3") == 0)
                    screen = std::make_unique<TForm3>();
                else
                    screen = std::make_unique<TForm20>();
                screen->show();
                auto* grid = child<DBGrid>(screen.get(), QLatin1String(l.grid));
                click(screen.get(), QLatin1String(l.add));
                typeCell(grid, 0, 0, cell == 0 ? value : QStringLiteral("01"));
                typeCell(grid, 0, 1, cell == 1 ? value : QStringLiteral("名"));
                const bool refused = value.size() > width;
                ModalScript script;
                if (refused)
                    script.expectBox(kHint, QString::fromUtf8(l.refusal));
                click(screen.get(), QLatin1String(l.add));
                script.verify();
                expectText(table, column, value, refused);
                screen.reset(); // the company screen saves its own row on closing
            }
        }
    }
}

} // namespace
