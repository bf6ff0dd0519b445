#pragma once
// The header mechanism of every voucher screen: the header table and its bound controls,
// the browsing/adding/editing states, the voucher number of a new header, navigation with
// its "已到首记录！"/"已到末记录！", find, the add/save and modify/restore buttons, the
// guards of the "新增" buttons and the date calendars.
//
// A screen built on it
//  - passes its VoucherHeaderTexts (prefix, header table, date column, messages);
//  - builds its own controls in its constructor, bound to DataSource1, and places the
//    buttons BitBtn1 to BitBtn9 made here ("首记录", "上一条", "下一条", "末记录" hints,
//    "添加", "修改", "查询", "打印", "退出");
//  - calls setStateControls() with the header boxes that adding and editing enable and the
//    buttons that only browsing enables (navigation, find, print when it has one, exit);
//  - may call alwaysEditable() for a box outside the switched set that is typed into in
//    every state, and addCalendar() for each date box;
//  - implements Refresh() and, when its header has more columns to preset, fillNewHeader();
//    fillLists() fills its list boxes when it is shown;
//  - checks mayAddRow() before opening a line or money dialog.
// It is shown through Screen: opening the header, the lists, browsing, Refresh, the status
// bar and the calendars run when it is first shown.
#include "widgets/Screen.h"

#include <QDate>
#include <QList>

class DataSource;
class QCalendarWidget;
class QLineEdit;
class QPushButton;
class ResultSet;
class StatusBar;

struct VoucherHeaderTexts {
    QString prefix;      // "CG": voucher numbers begin with it
    QString table;       // J_cgb
    QString dateColumn;  // cgrq: today on a new header
    QString postFailure; // a header that cannot be stored
    QString findCaption;
    QString findPrompt;
    QString notFound;
};

class VoucherHeaderScreen : public Screen {
    Q_OBJECT
public:
    enum class HeaderState { Browsing, Adding, Editing };

    ~VoucherHeaderScreen() override;

    const VoucherHeaderTexts& headerTexts() const { return m_texts; }
    HeaderState headerState() const { return m_state; }
    ResultSet* header() const { return m_header; }
    // The current voucher number; empty when there is none.
    QString currentNumber() const;

    QPushButton* BitBtn1; // first
    QPushButton* BitBtn2; // prior
    QPushButton* BitBtn3; // next
    QPushButton* BitBtn4; // last
    QPushButton* BitBtn5; // add / save
    QPushButton* BitBtn6; // modify / restore
    QPushButton* BitBtn7; // find
    QPushButton* BitBtn8; // print
    QPushButton* BitBtn9; // exit
    StatusBar* StatusBar1;

    void FormShow() override;
    virtual void Refresh() = 0;
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn7Click();
    virtual void BitBtn8Click() {}
    void BitBtn9Click();

    void done(int result) override;

protected:
    VoucherHeaderScreen(QWidget* parent, const QString& name, const QString& caption, VoucherHeaderTexts texts);

    void setStateControls(QList<QWidget*> headerBoxes, QList<QWidget*> browsingOnly);
    // Typing into the box while browsing puts the current header into edit mode; the change
    // is stored at the next "保存" or move to another voucher.
    void alwaysEditable(QLineEdit* box);
    // A hidden calendar that entering the box shows; set to today when the screen is shown.
    QCalendarWidget* addCalendar(const QString& name, QLineEdit* box);
    // The guard of a "新增" button: the header must be stored and there must be a voucher.
    bool mayAddRow(const QString& saveFirst, const QString& fillFirst);

    virtual void fillLists() {}
    // Further columns of a new header; number, date and operator are already set.
    virtual void fillNewHeader(ResultSet& /*header*/, const QDate& /*today*/) {}
    // The header's date columns: a time typed after a date is not stored.
    virtual QStringList dayColumns() const { return {m_texts.dateColumn}; }

    DataSource* DataSource1;

private:
    void setHeaderState(HeaderState state);
    void dropTimesOfDay();

    VoucherHeaderTexts m_texts;
    HeaderState m_state = HeaderState::Browsing;
    ResultSet* m_header;
    QList<QWidget*> m_headerBoxes;
    QList<QWidget*> m_browsingOnly;
    QList<QCalendarWidget*> m_calendars;
};
