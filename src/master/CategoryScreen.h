#pragma once
// TForm20 "辅助设置（类别设置用于分类汇总）": the stock-in, stock-out, expense and loss
// category lists, edited in their grids.
#include "widgets/Screen.h"

class CodeListGroup;
class DBGrid;
class QGroupBox;
class QPushButton;
class StatusBar;

class TForm20 : public Screen {
    Q_OBJECT
public:
    explicit TForm20(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    QGroupBox* GroupBox2;
    QGroupBox* GroupBox3;
    QGroupBox* GroupBox4;
    DBGrid* DBGrid1;
    DBGrid* DBGrid2;
    DBGrid* DBGrid3;
    DBGrid* DBGrid4;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* BitBtn5;
    QPushButton* BitBtn6;
    QPushButton* BitBtn7;
    QPushButton* BitBtn8;
    QPushButton* BitBtn9;
    QPushButton* BitBtn10;
    QPushButton* BitBtn11;
    QPushButton* BitBtn12;
    QPushButton* BitBtn13;
    StatusBar* StatusBar1;

    void FormShow() override;
    void FormClose();
    void done(int result) override;

private:
    CodeListGroup* m_groups[4];
    bool m_closed = false;
};
