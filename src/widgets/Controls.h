#pragma once
// Builders for the named controls of the screens: each sets objectName to the control's
// name so code, tests and screens call it the same.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QTabWidget>

#include <initializer_list>
#include <utility>

// Never a default button: Enter does not press it.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption);
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption);
// maxLength 0: no limit. The limit only stops typing; text the program puts in is kept whole.
QLineEdit* makeEdit(QWidget* parent, const QString& name, int maxLength = 0);
QLineEdit* makePasswordEdit(QWidget* parent, const QString& name, int maxLength = 0);
// Editable text with a list to choose from.
QComboBox* makeCombo(QWidget* parent, const QString& name, const QStringList& items = {},
                     int maxLength = 0);
QCheckBox* makeCheck(QWidget* parent, const QString& name, const QString& caption);
QRadioButton* makeRadio(QWidget* parent, const QString& name, const QString& caption);
QGroupBox* makeGroup(QWidget* parent, const QString& name, const QString& caption);
QTabWidget* makeTabs(QWidget* parent, const QString& name);
// A DatePicker showing today at first: a typed text that is not a date is refused, never
// turned into another date.
QDateEdit* makeDatePicker(QWidget* parent, const QString& name = QStringLiteral("DateTimePicker1"));

// The width a combo box needs to show `text` whole in its edit field, margins, frame and arrow
// included.
int comboWidthFor(const QComboBox* combo, const QString& text);
// Makes the box at least as wide as comboWidthFor its longest item and its text, so a layout
// short of room never cuts them; never narrower than it would be anyway.
void fitToItems(QComboBox* combo);

// Limits typing into a line edit (or an editable combo's edit) to maxLength characters;
// 0 removes the limit. Unlike QLineEdit::setMaxLength it never cuts text set by the program.
void setTypingLimit(QLineEdit* edit, int maxLength);
int typingLimit(const QLineEdit* edit);
// Narrows the typing limit to `width` characters (a column's char(n)); a smaller limit the
// box already has stays.
void limitTyping(QLineEdit* edit, int width);
// The typing limit of a box whose text is stored in table.column: the column's width wins
// over a larger limit. Number and date columns leave the box as it is.
void limitToColumn(QLineEdit* edit, const QString& table, const QString& column);
// The same for the boxes of one table: limitToColumns("J_spb", {{Edit1, "spdm"}, {Edit2, "spmc"}}).
void limitToColumns(const QString& table, std::initializer_list<std::pair<QWidget*, const char*>> boxes);
