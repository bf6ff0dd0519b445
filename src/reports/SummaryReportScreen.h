#pragma once
// TForm21 "进销存业务汇总报表": per article, the purchase lines and the sales lines of a
// date range summed (pages 1 and 2, each with its chart), and the current stock with its
// value (page 3). Every page chooses its articles by name, keeps its own result and
// exports it.
#include "reports/QueryScreen.h"

class QCheckBox;
class QListWidget;
class QTabWidget;

// Control names and statements of one page.
struct SummaryPageKind {
    QString caption;
    QStringList names; // the page's controls, in the order of SummaryPage's members
    QString layout;    // export layout
    QString allTotal;  // line 1 of the total over every article
    QString chosenTotal; // the total up to the article conditions
    QString list;      // line 1 of the list
    QString rangeLine; // before the dates in line 2; empty for the stock page, which has none
    QString listTail;  // after the dates
};

class SummaryPage : public QWidget {
    Q_OBJECT
public:
    QGroupBox* namesGroup;
    QListWidget* available;
    QListWidget* chosen;
    QPushButton* toChosen;
    QPushButton* toAvailable;
    QPushButton* allToChosen;
    QPushButton* allToAvailable;
    QCheckBox* all;
    QDateEdit* from = nullptr;
    QDateEdit* to = nullptr;
    QPushButton* queryButton;
    QPushButton* chartButton = nullptr;
    QGroupBox* resultGroup;
    DBGrid* grid;
    QLabel* total;
    QPushButton* exportButton;
    QPushButton* exitButton;
    ResultSet* set;

    const SummaryPageKind& kind;
    SummaryPage(QWidget* parent, const SummaryPageKind& kind) : QWidget(parent), kind(kind) {}
    // The chosen articles' codes, as chosen.
    QStringList chosenCodes() const;
};

class TForm21 : public QueryScreen {
    Q_OBJECT
public:
    explicit TForm21(QWidget* parent = nullptr);

    QTabWidget* PageControl1;
    SummaryPage* TabSheet1;
    SummaryPage* TabSheet2;
    SummaryPage* TabSheet3;
    StatusBar* StatusBar1;

    void FormShow() override;
    void query(SummaryPage* page);
    void showChart(SummaryPage* page);

private:
    SummaryPage* makePage(const SummaryPageKind& kind, bool dated, bool charted);
};
