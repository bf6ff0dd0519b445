#pragma once
// TForm5 "客户信息": the entry dialog of the partner list, adding or editing one partner.
#include "master/EntryScreen.h"

class QLineEdit;

class TForm5 : public EntryScreen {
    Q_OBJECT
public:
    // adding: a new partner filed under className / subClass. Editing: the partner listRows
    // stands on; its class and sub-class stay.
    TForm5(QWidget* parent, bool adding, ResultSet* listRows, const QString& className = QString(),
           const QString& subClass = QString());

    QLineEdit* Edit1;  // 客户代码
    QLineEdit* Edit2;  // 客户名称
    QLineEdit* Edit3;  // 联系人
    QLineEdit* Edit4;  // 地址
    QLineEdit* Edit5;  // 邮编
    QLineEdit* Edit6;  // 电话
    QLineEdit* Edit7;  // 手机
    QLineEdit* Edit8;  // 传真
    QLineEdit* Edit9;  // 电子邮件
    QLineEdit* Edit10; // 网址
    QLineEdit* Edit11; // 开户行
    QLineEdit* Edit12; // 银行帐号

    void FormShow() override;
    void Edit1Exit();
    void BitBtn1Click();

private:
    QList<QLineEdit*> edits() const;
    void addPartner();
    void editPartner();

    QString m_className;
    QString m_subClass;
};
