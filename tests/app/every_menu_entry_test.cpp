// Every entry of the main menu opens its screen modally (or its file dialog), and the
// menu is usable again once it is closed.
#include "support/InitializedDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"

#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>

#include <map>

namespace {

class EveryMenuEntryTest : public InitializedDbTest {};

// The entries under the top-level entries, in menu order, without separators.
QStringList leafEntries(TForm1& w)
{
    QStringList names;
    for (QAction* top : {w.N1, w.N5, w.N17, w.N34})
        for (QAction* a : top->menu()->actions())
            if (!a->isSeparator())
                names << a->objectName();
    return names;
}

TEST_F(EveryMenuEntryTest, EachEntryOpensItsScreen)
{
    TForm1 w;
    ModalScript login;
    login.onDialog(QStringLiteral("TForm37"), [](QWidget* d) { click(d, QStringLiteral("BitBtn1")); });
    w.show();
    login.verify();

    // The screen of each entry; file dialogs are named after their own objects.
    const std::map<QString, QString> screens = {
        {"N41", "TForm53"}, {"N2", "TForm3"},   {"N16", "TForm20"}, {"N33", "TForm51"},  {"N4", "TForm4"},
        {"N18", "TForm6"},  {"N11", "TForm50"}, {"N6", "TForm8"},   {"N7", "TForm11"},   {"N9", "TForm14"},
        {"N10", "TForm15"}, {"N21", "TForm18"}, {"N22", "TForm16"}, {"N12", "TForm21"},  {"N45", "TForm54"},
        {"N46", "TForm55"}, {"N26", "TForm22"}, {"N13", "TForm31"}, {"N28", "TForm23"},  {"N29", "TForm24"},
        {"N24", "TForm46"}, {"N47", "TForm57"}, {"N32", "TForm47"}, {"N30", "TForm32"},  {"N31", "TForm30"},
        {"N14", "TForm33"}, {"N15", "TForm34"}, {"N37", "TForm36"}, {"N44", "TForm56"},  {"N39", "SaveDialog1"},
        {"N40", "OpenDialog1"}, {"N49", "SaveDialog2"}, {"N50", "OpenDialog2"}, {"N51", "TForm58"},
    };
    QString fileDialog;
    TForm1::setFileDialogRunner([&](QFileDialog* d) {
        fileDialog = d->objectName();
        return QString();
    });
    const QStringList entries = leafEntries(w);
    EXPECT_EQ(entries.size(), int(screens.size()));
    for (const QString& entry : entries) {
        const auto it = screens.find(entry);
        if (it == screens.end()) {
            ADD_FAILURE() << "no screen expected for " << entry.toStdString();
            continue;
        }
        if (it->second.contains(QLatin1String("Dialog"))) {
            fileDialog.clear();
            ModalScript script;
            if (entry == QLatin1String("N40")) // a restore asks first
                script.expectBox(QStringLiteral("警告"), QStringLiteral("导入新数据将覆盖当前数据内容,继续吗?"));
            clickMenu(&w, entry);
            script.verify();
            EXPECT_EQ(fileDialog, it->second) << entry.toStdString();
            continue;
        }
        ModalScript script;
        script.onDialog(it->second, [&](QWidget* d) {
            EXPECT_TRUE(d->isModal()) << entry.toStdString();
            d->close();
        });
        clickMenu(&w, entry);
        EXPECT_TRUE(script.verify()) << entry.toStdString() << " opens " << it->second.toStdString();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << entry.toStdString();
    }
    TForm1::setFileDialogRunner({});
}

} // namespace
