#pragma once
// TForm50 "注册流动资金": registers the opening cash balance while it stands at zero.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm50 : public QDialog {
    Q_OBJECT
public:
    explicit TForm50(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label2;
    QPushButton* BitBtn1;

    void FormShow();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_shown = false;
};
