#pragma once
// Category trees kept as text files beside the program (goods, partners, departments).
//
// Format: one line per node in depth-first order (parent before children), the node's level
// as leading TAB characters, then its text, then CR LF. When reading, every leading TAB or
// space counts as one level. Files are written in UTF-8; a file that is not valid UTF-8 is
// read as GB18030, the encoding older installations wrote.
#include <QList>
#include <QString>

class QByteArray;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

struct TreeLine {
    int level = 0;
    QString text;
    bool operator==(const TreeLine&) const = default;
};
using TreeLines = QList<TreeLine>;

namespace treefile {

// Full paths of the three files in the program's directory.
QString goodsFile();      // sptree.dat
QString partnerFile();    // khtree.dat
QString departmentFile(); // zgtree.dat

// The trees shown when a file does not exist.
TreeLines defaultGoodsTree();      // 我的库房
TreeLines defaultPartnerTree();    // 我的客户 / 供货商, 购货商
TreeLines defaultDepartmentTree(); // 公司部门 / 综合部门

// Text of a file, decoded and split into nodes. Blank lines are skipped. Throws AppError when
// a line lies more than one level below the line before it (or the first line is indented).
TreeLines parse(const QByteArray& bytes);
// The file's bytes for these nodes: UTF-8, TAB levels, CR LF after every line.
QByteArray format(const TreeLines& lines);

// Throws AppError naming the file when it cannot be opened or read.
TreeLines read(const QString& path);
// Replaces the file whole; throws AppError when it cannot, leaving the old file as it was.
void write(const QString& path, const TreeLines& lines);

// Between a tree widget and its lines. fill() replaces all items, makes them editable in
// place and expands them.
void fill(QTreeWidget* tree, const TreeLines& lines);
TreeLines linesOf(const QTreeWidget* tree);

// A new node, editable in place, as the last child of parent.
QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& text);
// Renaming a node in place to a blank name gives it its old name back: a nameless line
// could not be read back, and the nodes under it would be lost. Leading TABs and spaces and
// line breaks are dropped from a new name, as the file could not keep them.
void keepNamesNonBlank(QTreeWidget* tree);

// What the screens do when they open and close.
// load(): a missing file gives the default tree; a file that cannot be read gives a box
// saying so, then the default tree, and is kept as path + ".bak" since closing the screen
// writes the tree over it. Returns true when the tree came from the file.
bool load(QTreeWidget* tree, const QString& path, const TreeLines& defaults, QWidget* parent);
// save(): a file that cannot be written gives a box saying so; false then.
bool save(const QTreeWidget* tree, const QString& path, QWidget* parent);

} // namespace treefile
