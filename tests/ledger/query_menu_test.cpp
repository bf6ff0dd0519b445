// Each query entry of the main menu opens its screen modally, and its exit button closes it.
#include "support/InitializedDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"

#include "app/MainWindow.h"

#include <QApplication>

namespace {

class QueryMenuTest : public InitializedDbTest {};

TEST_F(QueryMenuTest, EveryQueryEntryOpensItsScreen)
{
    TForm1 w;
    ModalScript login;
    login.onDialog(QStringLiteral("TForm37"), [](QWidget* d) { click(d, QStringLiteral("BitBtn1")); });
    w.show();
    login.verify();

    const struct {
        const char* entry;
        const char* screen;
        const char* caption;
        const char* exit;
    } rows[] = {
        {"N28", "TForm23", "应付款查询、打印", "BitBtn7"},
        {"N29", "TForm24", "应收款查询、打印", "BitBtn7"},
        {"N24", "TForm46", "商品进销日记帐查询", "BitBtn3"},
        {"N32", "TForm47", "现金收支日记明细查询", "BitBtn3"},
        {"N31", "TForm30", "商品出入库价格查询", "BitBtn1"},
        {"N14", "TForm33", "畅销商品排行榜", "BitBtn1"},
        {"N15", "TForm34", "诚信客户排行榜", "BitBtn1"},
        {"N30", "TForm32", "库存商品报警", "BitBtn21"},
    };
    for (const auto& row : rows) {
        ModalScript script;
        script.onDialog(QLatin1String(row.screen), [&](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), QString::fromUtf8(row.caption)) << row.entry;
            EXPECT_TRUE(d->isModal()) << row.entry;
            click(d, QLatin1String(row.exit));
        });
        clickMenu(&w, QLatin1String(row.entry));
        script.verify();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << row.entry;
    }
}

} // namespace
