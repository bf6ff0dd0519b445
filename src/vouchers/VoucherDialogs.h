#pragma once
// The line dialog and the money dialog of a voucher screen, shared by the kinds.
#include "vouchers/ArticleLineDialog.h"
#include "vouchers/VoucherKind.h"
#include "vouchers/VoucherScreen.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

class VoucherLineDialog : public ArticleLineDialog {
    Q_OBJECT
public:
    VoucherLineDialog(const VoucherKind& kind, const VoucherContext& context, QWidget* parent);

    void BitBtn14Click();
    void BitBtn1Click();

private:
    const VoucherKind& m_kind;
    VoucherContext m_context;
};

class VoucherMoneyDialog : public QDialog {
    Q_OBJECT
public:
    VoucherMoneyDialog(const VoucherKind& kind, const VoucherContext& context, QWidget* parent);

    QLineEdit* Edit1;
    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QComboBox* ComboBox3;
    QDateEdit* DateTimePicker1;
    QLineEdit* Edit4;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();

private:
    const VoucherKind& m_kind;
    VoucherContext m_context;
};
