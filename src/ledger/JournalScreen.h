#pragma once
// The goods journal TForm46 and the cash journal TForm47: the movements of a date range,
// copied from their source tables into a scratch table and shown sorted, with the balance
// each movement left. One screen, driven by a row per journal; each journal adds its own
// selection controls.
#include "reports/QueryScreen.h"

class QGridLayout;

struct JournalKind {
    QString name;           // "Form46"
    QString caption;
    QString selectionTitle; // GroupBox1
    QString resultTitle;    // GroupBox2
    QString rangeLabel;     // in front of the date pickers; none when empty
    QString scratchTable;
    QStringList inserts;    // one per source, each completed by the range and the screen's condition
    QString rowsSql;
    QString layout;         // export layout
    QStringList columnSamples; // the widest text each grid column should show uncut
};

class JournalScreen : public QueryScreen {
    Q_OBJECT
public:
    QGroupBox* GroupBox1;
    QDateEdit* DateTimePicker1;
    QDateEdit* DateTimePicker2;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QGroupBox* GroupBox2;
    DBGrid* DBGrid1;
    StatusBar* StatusBar1;

    void BitBtn1Click();
    void BitBtn2Click();

protected:
    JournalScreen(QWidget* parent, const JournalKind& kind);
    // The journal's own boxes go here, in the first row, before the date range.
    QGridLayout* m_selection;
    // What every source statement adds after the range (" and spdm=…"); false stops the build.
    virtual bool sourceCondition(QString& condition);

private:
    const JournalKind& m_kind;
};
