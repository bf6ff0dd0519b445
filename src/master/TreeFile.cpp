#include "master/TreeFile.h"

#include "db/ProgramState.h"
#include "db/Errors.h"
#include "widgets/MessageBoxes.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTreeWidget>

namespace treefile {

QString goodsFile() { return myvar::programDir() + QStringLiteral("sptree.dat"); }
QString partnerFile() { return myvar::programDir() + QStringLiteral("khtree.dat"); }
QString departmentFile() { return myvar::programDir() + QStringLiteral("zgtree.dat"); }

TreeLines defaultGoodsTree()
{
    return {{0, QStringLiteral("我的库房")}};
}

TreeLines defaultPartnerTree()
{
    return {{0, QStringLiteral("我的客户")}, {1, QStringLiteral("供货商")}, {1, QStringLiteral("购货商")}};
}

TreeLines defaultDepartmentTree()
{
    return {{0, QStringLiteral("公司部门")}, {1, QStringLiteral("综合部门")}};
}

namespace {

QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gb18030("GB18030");
    if (!gb18030.isValid())
        throw AppError(QStringLiteral("无法识别类别文件的字符编码"));
    return gb18030(bytes);
}

bool isIndent(QChar c)
{
    return c == u'\t' || c == u' ';
}

// A text as it can live on one line without changing its level when read back.
QString lineText(const QString& text)
{
    QString t = text;
    t.replace(u'\r', u' ').replace(u'\n', u' ');
    int start = 0;
    while (start < t.size() && isIndent(t.at(start)))
        ++start;
    return t.mid(start);
}

} // namespace

TreeLines parse(const QByteArray& bytes)
{
    QString text = decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    TreeLines lines;
    int lineNo = 0;
    for (QStringView line : QStringView(text).split(u'\n')) {
        ++lineNo;
        if (line.endsWith(u'\r'))
            line.chop(1);
        int level = 0;
        while (level < line.size() && isIndent(line.at(level)))
            ++level;
        // Blank, also when only carriage returns stand beside the blanks: such a line would be
        // written as an empty one and its children would move under the node before it.
        if (level == line.size() || lineText(line.mid(level).toString()).isEmpty())
            continue;
        int maxLevel = lines.isEmpty() ? 0 : lines.last().level + 1;
        if (level > maxLevel)
            throw AppError(QStringLiteral("第%1行的层次不正确").arg(lineNo));
        lines.append({level, line.mid(level).toString()});
    }
    return lines;
}

QByteArray format(const TreeLines& lines)
{
    QString text;
    for (const TreeLine& line : lines) {
        text += QString(line.level, u'\t');
        text += lineText(line.text);
        text += QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

TreeLines read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("无法读取类别文件%1：%2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(QStringLiteral("无法读取类别文件%1：%2").arg(path, file.errorString()));
    try {
        return parse(bytes);
    } catch (const AppError& e) {
        throw AppError(QStringLiteral("无法读取类别文件%1：%2").arg(path, e.text()));
    }
}

void write(const QString& path, const TreeLines& lines)
{
    // Written beside the old file and then put in its place, so a failure keeps the old tree.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("无法保存类别文件%1：%2").arg(path, file.errorString()));
    file.write(format(lines));
    if (!file.commit())
        throw AppError(QStringLiteral("无法保存类别文件%1：%2").arg(path, file.errorString()));
}

void fill(QTreeWidget* tree, const TreeLines& lines)
{
    tree->clear();
    QList<QTreeWidgetItem*> path; // the last item of each level
    for (const TreeLine& line : lines) {
        int level = qBound(0, line.level, int(path.size()));
        path.resize(level);
        QTreeWidgetItem* item;
        if (level == 0) {
            item = new QTreeWidgetItem(tree);
            item->setText(0, line.text);
            item->setData(0, Qt::UserRole, line.text);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        } else {
            item = addNode(path.last(), line.text);
        }
        path.append(item);
    }
    tree->expandAll();
}

QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& text)
{
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, text);
    item->setData(0, Qt::UserRole, text); // the last good name
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

void keepNamesNonBlank(QTreeWidget* tree)
{
    QObject::connect(tree, &QTreeWidget::itemChanged, tree, [](QTreeWidgetItem* item, int column) {
        if (column != 0)
            return;
        // The node keeps the name it will have when read back, so that what is filed under
        // it now is still found under it next time.
        QString name = lineText(item->text(0));
        if (name.trimmed().isEmpty())
            name = item->data(0, Qt::UserRole).toString();
        if (item->text(0) != name)
            item->setText(0, name); // comes back here once, with nothing left to change
        else if (item->data(0, Qt::UserRole).toString() != name)
            item->setData(0, Qt::UserRole, name);
    });
}

namespace {
void collect(const QTreeWidgetItem* item, int level, TreeLines& lines)
{
    lines.append({level, item->text(0)});
    for (int i = 0; i < item->childCount(); ++i)
        collect(item->child(i), level + 1, lines);
}
} // namespace

TreeLines linesOf(const QTreeWidget* tree)
{
    TreeLines lines;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        collect(tree->topLevelItem(i), 0, lines);
    return lines;
}

bool load(QTreeWidget* tree, const QString& path, const TreeLines& defaults, QWidget* parent)
{
    if (!QFile::exists(path)) {
        fill(tree, defaults);
        return false;
    }
    TreeLines lines;
    try {
        lines = read(path);
    } catch (const AppError& e) {
        fill(tree, defaults);
        QString text = e.text() + QStringLiteral("\n现显示默认的类别。");
        const QString kept = path + QStringLiteral(".bak");
        QFile::remove(kept);
        if (QFile::copy(path, kept))
            text += QStringLiteral("\n原文件已另存为%1。").arg(kept);
        showInfo(parent, text);
        return false;
    }
    // An empty file (say, cut short) would leave no root to add categories under.
    fill(tree, lines.isEmpty() ? defaults : lines);
    return !lines.isEmpty();
}

bool save(const QTreeWidget* tree, const QString& path, QWidget* parent)
{
    try {
        write(path, linesOf(tree));
    } catch (const AppError& e) {
        showInfo(parent, e.text() + QStringLiteral("\n原有的类别文件未改动。"));
        return false;
    }
    return true;
}

} // namespace treefile
