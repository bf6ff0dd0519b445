#pragma once
// TForm52 "职工信息录入": the employee dialog of the department screen, adding or editing
// one employee.
#include "master/EntryScreen.h"

class QComboBox;
class QLineEdit;

class TForm52 : public EntryScreen {
    Q_OBJECT
public:
    // adding: a new employee of the department. Editing: the employee listRows stands on;
    // the department stays.
    TForm52(QWidget* parent, bool adding, ResultSet* listRows, const QString& department = QString());

    QLineEdit* Edit1;     // 工号
    QLineEdit* Edit2;     // 姓名
    QComboBox* ComboBox1; // 性别
    QLineEdit* Edit3;     // 年龄
    QComboBox* ComboBox2; // 学历
    QLineEdit* Edit4;     // 身份证号
    QLineEdit* Edit5;     // 职务
    QLineEdit* Edit6;     // 手机
    QLineEdit* Edit7;     // 住址
    QLineEdit* Edit8;     // 爱好

    void FormShow() override;
    void Edit1Exit();
    void BitBtn1Click();

private:
    void setFields(ResultSet& rs);

    QString m_department;
};
