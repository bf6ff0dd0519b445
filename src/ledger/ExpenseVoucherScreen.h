#pragma once
// TForm18 "经营费用入帐": expense vouchers, whose lines are paid out of the cash; TForm19
// "费用信息" adds one line.
#include "ledger/LinesVoucherScreen.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLineEdit;

class TForm19 : public QDialog {
    Q_OBJECT
public:
    TForm19(const QString& voucher, QWidget* parent);

    QComboBox* ComboBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QDateEdit* DateTimePicker1;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void BitBtn1Click();

private:
    QString m_voucher;
};

class TForm18 : public LinesVoucherScreen {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);

protected:
    QString totalSql(const QString& voucher) const override;
    QString linesSql(const QString& voucher) const override;
    void addLine() override;
    void removeLine() override;
};
