#pragma once
// What the goods, partner and employee entry dialogs share: they add a row or edit the
// row their list stands on, and end with "确定" and a closing button at the right.
#include "widgets/Screen.h"

class QLayout;
class QPushButton;
class ResultSet;

class EntryScreen : public Screen {
    Q_OBJECT
public:
    QPushButton* BitBtn1 = nullptr; // 确定
    QPushButton* BitBtn2 = nullptr; // closes the dialog

protected:
    EntryScreen(QWidget* parent, const QString& name, const QString& caption, bool adding, ResultSet* listRows);

    // Creates the two buttons after the fields (so they come last on Tab) and lays out the
    // fields above them; Enter moves from field to field and presses "确定" after the last,
    // Esc presses the closing button.
    void layOutEntry(QLayout* fields, const QString& closeCaption);

    bool m_adding;
    ResultSet* m_listRows;
};
