#pragma once
// TForm37 "用户登陆": connects to the database, checks the operator and sets the menu rights.
#include <QDialog>

#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Enabled state of the main menu's five top-level entries.
struct MenuRights {
    bool N1 = false;  // 基本信息设置
    bool N5 = false;  // 业务管理
    bool N17 = false; // 查询、汇总与报表
    bool N34 = false; // 系统管理
    bool N35 = true;  // 退出系统: never disabled
    bool operator==(const MenuRights&) const = default;

    static MenuRights none() { return {}; }
    static MenuRights all() { return {true, true, true, true, true}; }
    // "1001" everything; "3…" vouchers; "2…" queries; anything else only the exit.
    static MenuRights forCode(const QString& code);
};

class TForm37 : public QDialog {
    Q_OBJECT
public:
    using ApplyRights = std::function<void(const MenuRights&)>;
    explicit TForm37(QWidget* parent = nullptr, ApplyRights applyRights = {});

    // Connects first; when that fails the program ends and the screen is not shown.
    int exec() override;

    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLineEdit* Edit3;
    QLabel* Label2;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    bool FormShow();
    void Edit3Exit();
    void BitBtn1Click();
    void BitBtn2Click();

private:
    bool lookUpOperator();

    ApplyRights m_applyRights;
    QString m_lookedUpCode; // code of the last look-up, so 确定 never checks against another operator
    bool m_lookedUp = false;
};
