#pragma once
// TForm7 "商品信息": the entry dialog of the goods list, adding or editing one article.
#include "master/EntryScreen.h"

class QLabel;
class QLineEdit;

class TForm7 : public EntryScreen {
    Q_OBJECT
public:
    // adding: a new article filed under category. Editing: the article listRows stands on.
    TForm7(QWidget* parent, bool adding, ResultSet* listRows, const QString& category);

    QLineEdit* Edit1;  // 商品代码
    QLineEdit* Edit2;  // 名称
    QLineEdit* Edit3;  // 制造商
    QLineEdit* Edit4;  // 品牌
    QLineEdit* Edit5;  // 规格
    QLineEdit* Edit6;  // 单位
    QLineEdit* Edit7;  // 最新单价, never typed
    QLineEdit* Edit8;  // 利润率
    QLineEdit* Edit9;  // 现有库存, never typed
    QLineEdit* Edit10; // 库存上限
    QLineEdit* Edit11; // 库存下限
    QLineEdit* Edit12; // 货位
    QLineEdit* Edit13; // 备注

    void FormShow() override;
    void Edit1Exit();
    void BitBtn1Click();

private:
    QList<QLineEdit*> edits() const;

    QString m_category;
};
