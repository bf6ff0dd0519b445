#pragma once
// Shared by the goods list and goods entry tests: a database with a few articles and
// the goods list opened as the operator opens it.
#include "support/InitializedDb.h"
#include "support/UiHelpers.h"

#include "db/ProgramState.h"
#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "master/GoodsListScreen.h"
#include "master/TreeFile.h"
#include "widgets/DBGrid.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <memory>

struct Article {
    QString code;
    QString name;
    QString category;
    double price = 0;
    double profitRate = 0;
    double stock = 0;
    QString maker = QStringLiteral("厂家");
    QString unit = QStringLiteral("斤");
};

class GoodsTest : public InitializedDbTest {
protected:
    static void insert(const Article& a)
    {
        Database::shared().exec(
            QStringLiteral("insert into J_spb(spdm,spmc,lb,zzs,dw,zxdj,lrl,xykc) values(%1,%2,%3,%4,%5,%6,%7,%8)")
                .arg(quoted(a.code), quoted(a.name), quoted(a.category), quoted(a.maker), quoted(a.unit),
                     numText(a.price), numText(a.profitRate), numText(a.stock)));
    }

    static void writeCategories(const QStringList& categories)
    {
        TreeLines lines = {{0, QStringLiteral("我的库房")}};
        for (const QString& c : categories)
            lines.append({1, c});
        treefile::write(treefile::goodsFile(), lines);
    }

    static std::unique_ptr<TForm6> openList(QWidget* parent = nullptr)
    {
        auto list = std::make_unique<TForm6>(parent);
        list->show();
        return list;
    }

    static QTreeWidgetItem* node(TForm6* list, const QStringList& path)
    {
        QTreeWidget* tree = child<QTreeWidget>(list, QStringLiteral("TreeView1"));
        QTreeWidgetItem* item = nullptr;
        for (const QString& name : path) {
            QTreeWidgetItem* next = nullptr;
            const int count = item ? item->childCount() : tree->topLevelItemCount();
            for (int i = 0; i < count && !next; ++i) {
                QTreeWidgetItem* c = item ? item->child(i) : tree->topLevelItem(i);
                if (c->text(0) == name)
                    next = c;
            }
            if (!next)
                throw std::runtime_error("no tree node " + path.join(u'/').toStdString());
            item = next;
        }
        return item;
    }

    static void selectNode(TForm6* list, const QStringList& path)
    {
        QTreeWidget* tree = child<QTreeWidget>(list, QStringLiteral("TreeView1"));
        QTreeWidgetItem* item = node(list, path);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        ASSERT_EQ(tree->selectedItems(), QList<QTreeWidgetItem*>{item});
    }

    static QStringList shownCodes(TForm6* list)
    {
        return columnTexts(child<DBGrid>(list, QStringLiteral("DBGrid1")), 0);
    }

    // Values of J_spb columns for one code as shown text; empty when there is no such row.
    static QStringList row(const QString& code, const QStringList& columns)
    {
        ResultSet rs;
        rs.open(QStringLiteral("select %1 from J_spb where spdm=%2").arg(columns.join(u','), quoted(code)));
        QStringList values;
        if (!rs.isEmpty())
            for (const QString& c : columns)
                values << rs.text(c);
        return values;
    }

    static int goodsCount()
    {
        ResultSet rs;
        rs.open(QStringLiteral("select count(*) as n from J_spb"));
        return int(rs.number(QStringLiteral("n")));
    }

    static QByteArray treeFileBytes()
    {
        QFile f(treefile::goodsFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};
