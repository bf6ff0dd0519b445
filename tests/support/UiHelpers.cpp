#include "support/UiHelpers.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {
std::string nameOf(const QObject* w)
{
    return w->objectName().isEmpty() ? std::string(w->metaObject()->className()) : w->objectName().toStdString();
}

// Latin characters as key presses; others (Chinese) as the input method commits them.
void typeChars(QWidget* w, const QString& text)
{
    for (QChar ch : text) {
        if (ch.unicode() < 128) {
            QTest::keyClick(w, char(ch.unicode()));
        } else {
            QInputMethodEvent event;
            event.setCommitString(QString(ch));
            QApplication::sendEvent(w, &event);
        }
    }
}

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    if (!edit->text().isEmpty()) // read-only or a validator that refuses the empty text
        ADD_FAILURE() << "could not clear " << nameOf(edit);
    typeChars(edit, text);
}
} // namespace

void type(QWidget* edit, const QString& text)
{
    if (!edit->isEnabled())
        ADD_FAILURE() << "typing into the disabled control " << nameOf(edit);
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        typeInto(line, text);
    else if (auto* combo = qobject_cast<QComboBox*>(edit); combo && combo->lineEdit())
        typeInto(combo->lineEdit(), text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(edit)) {
        plain->selectAll();
        QTest::keyClick(plain, Qt::Key_Delete);
        typeChars(plain, text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(edit)) {
        rich->selectAll();
        QTest::keyClick(rich, Qt::Key_Delete);
        typeChars(rich, text);
    } else
        throw std::runtime_error("cannot type into " + nameOf(edit));
}

void click(QAbstractButton* button)
{
    if (!button->isEnabled()) {
        ADD_FAILURE() << "clicking the disabled button " << nameOf(button);
        return;
    }
    button->click();
}

void click(QWidget* parent, const QString& buttonName)
{
    click(child<QAbstractButton>(parent, buttonName));
}

void leave(QWidget* widget)
{
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &event);
}

void enter(QWidget* widget)
{
    QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &event);
}

QAction* menuAction(QWidget* w, const QString& name)
{
    return child<QAction>(w, name);
}

void clickMenu(QWidget* w, const QString& name)
{
    QAction* action = menuAction(w, name);
    if (!action->isEnabled()) {
        ADD_FAILURE() << "the menu entry " << name.toStdString() << " is disabled";
        return;
    }
    action->trigger();
}

void choose(QWidget* w, const QString& text)
{
    auto* combo = qobject_cast<QComboBox*>(w);
    if (!combo)
        throw std::runtime_error(nameOf(w) + " is not a combo box");
    const int i = combo->findText(text);
    if (i < 0)
        throw std::runtime_error(nameOf(w) + " offers no \"" + text.toStdString() + "\"");
    combo->setCurrentIndex(i);
    if (combo->isEditable())
        combo->setEditText(text);
    emit combo->activated(i);
    emit combo->textActivated(text);
}

void clickCell(QTableView* grid, int row, int column)
{
    const QModelIndex index = grid->model()->index(row, column);
    if (!index.isValid())
        throw std::runtime_error(nameOf(grid) + " has no cell " + std::to_string(row) + "," + std::to_string(column));
    grid->setCurrentIndex(index);
}

void typeCell(QTableView* grid, int row, int column, const QString& text)
{
    clickCell(grid, row, column);
    const QModelIndex index = grid->currentIndex();
    grid->edit(index);
    // Closed editors linger until deleted; the open one is the one not hidden.
    QLineEdit* editor = nullptr;
    for (auto* e : grid->viewport()->findChildren<QLineEdit*>())
        if (!e->isHidden())
            editor = e;
    if (!editor)
        throw std::runtime_error("the cell " + std::to_string(row) + "," + std::to_string(column) + " of "
                                 + nameOf(grid) + " cannot be edited");
    editor->selectAll();
    editor->insert(text);
    emit editor->textEdited(editor->text());
    // What the Enter key does, without waiting for the delegate's queued call.
    QAbstractItemDelegate* delegate = grid->itemDelegateForIndex(index);
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
}

QString cellText(QTableView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

QStringList columnTexts(QTableView* grid, int column)
{
    QStringList texts;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        texts << cellText(grid, row, column);
    return texts;
}
