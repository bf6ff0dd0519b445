#pragma once
// Finding controls by name and using them as an operator would.
#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QObject>
#include <QString>
#include <QWidget>

#include <stdexcept>

class QAction;
class QTableView;

// The child of w named `name` (searched recursively); throws with a clear text when there is
// none or it is of another kind, which fails the test.
template <class T>
T* child(QObject* w, const QString& name)
{
    auto* found = w->findChild<QObject*>(name);
    if (!found)
        throw std::runtime_error("no control named " + name.toStdString() + " in "
                                 + w->objectName().toStdString());
    auto* typed = qobject_cast<T*>(found);
    if (!typed)
        throw std::runtime_error(name.toStdString() + " is a " + found->metaObject()->className()
                                 + ", not a " + T::staticMetaObject.className());
    return typed;
}

// Replaces the text of a line edit, editable combo box or plain text edit by typing it
// (key events), so textEdited/textChanged fire and typing limits apply.
void type(QWidget* edit, const QString& text);
// Clicks an enabled button (a disabled one fails the test).
void click(QAbstractButton* button);
void click(QWidget* parent, const QString& buttonName);
// Focus events as when the operator tabs out of / into a control (the Exit/Enter handlers).
void leave(QWidget* widget);
void enter(QWidget* widget);
// Triggers the enabled menu entry (QAction) named `name` in w.
void clickMenu(QWidget* w, const QString& name);
QAction* menuAction(QWidget* w, const QString& name);
// Picks the combo box entry whose text is `text`, as a click in its list does.
void choose(QWidget* combo, const QString& text);

// Grids: make (row, column) current as a click would; type into the cell and commit it.
void clickCell(QTableView* grid, int row, int column = 0);
void typeCell(QTableView* grid, int row, int column, const QString& text);
// The text shown in a cell, and in a whole column (top to bottom).
QString cellText(QTableView* grid, int row, int column);
QStringList columnTexts(QTableView* grid, int column);
