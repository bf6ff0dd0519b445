#pragma once
// Enter and Esc in the login and the entry, line and money dialogs, as shopkeepers'
// programs use them (a barcode scanner types the code and Enter):
//  - Enter in a box leaves it, so its leave-handling runs, and moves to the next box
//    (read-only and disabled boxes and the buttons are passed over);
//  - Enter in the last box, or on the "确定" button, presses "确定";
//  - Enter on any other button presses nothing: a button that ends the program or
//    deletes is only ever clicked or pressed with the space bar;
//  - Esc presses the dialog's "退出"/"返回" button (with none, Esc does what the dialog does).
// Multi-line texts and grids keep their own Enter.
class QAbstractButton;
class QWidget;

void enterMovesOn(QWidget* dialog, QAbstractButton* ok, QAbstractButton* escape);

// Enter in `from` goes straight to `to` (the line dialog's code box to its quantity box).
void setEnterTarget(QWidget* from, QWidget* to);
