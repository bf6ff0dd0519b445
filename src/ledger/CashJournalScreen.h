#pragma once
// TForm47 "现金收支日记明细查询": every movement of the cash balance in a date range.
#include "ledger/JournalScreen.h"

class QLineEdit;

class TForm47 : public JournalScreen {
    Q_OBJECT
public:
    explicit TForm47(QWidget* parent = nullptr);

    QLineEdit* Edit4;

    void FormShow() override;
};
