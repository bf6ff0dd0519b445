#pragma once
// A small code list (number and name) edited directly in its grid, with its three buttons:
// add/save, edit/restore and delete. Browsing shows "添加" and "修改"; adding or editing
// shows "保存" and "恢复". Used by the company screen and the auxiliary category screen.
#include <QObject>
#include <QString>

class DataSource;
class DBGrid;
class QPushButton;
class QWidget;
class ResultSet;

struct CodeListTexts {
    QString query;          // "select bh as 编号,jsfs as 结算方式 from J_jsfsb"
    QString saveError;      // shown when the database refuses the row
    QString deleteQuestion; // the row's name and " 吗？" follow it
    // How a row is deleted: with a table, "delete from <table> where bh=<number>" and the
    // list is read again; without one, the row is removed through the set and a failure
    // shows deleteError.
    QString deleteTable;
    QString deleteError;
};

class CodeListGroup : public QObject {
    Q_OBJECT
public:
    // locked: the screen's button that stays disabled while this group adds or edits.
    CodeListGroup(QWidget* screen, DBGrid* grid, QPushButton* addSave, QPushButton* editRestore,
                  QPushButton* remove, QPushButton* locked, const CodeListTexts& texts);

    ResultSet* set() const { return m_set; }
    bool busy() const;

    void open();
    // A row still being added or edited is dropped unsaved; the set is closed.
    void abandon();

    void addSaveClick();
    void editRestoreClick();
    void removeClick();

private:
    void startChange(bool adding);
    void endChange();
    void dropTyping();

    QWidget* m_screen;
    DBGrid* m_grid;
    QPushButton* m_addSave;
    QPushButton* m_editRestore;
    QPushButton* m_remove;
    QPushButton* m_locked;
    CodeListTexts m_texts;
    ResultSet* m_set;
    DataSource* m_source;
};
