#pragma once
// The boxes of a dialog that adds one article line to a voucher: the article's code and
// what it is, its stock, price and quantity, laid out two to a row, with 确定 and 退出.
// The trade kinds and the loss voucher differ only in a category box of their own and in
// whether the article's category is shown.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

struct ArticleLineLayout {
    QString name;          // objectName
    QString caption;       // window title
    int width = 0;
    int height = 0;
    QString leadCaption;   // a category list of the dialog's own on the first row; none when empty
    bool showsCategory = true; // the article's 类别 (Edit4)
};

class ArticleLineDialog : public QDialog {
    Q_OBJECT
public:
    QComboBox* ComboBox1 = nullptr; // the lead category list, when the layout has one
    QLineEdit* Edit1;               // code
    QLineEdit* Edit2;               // name, filled by the look-up
    QPushButton* BitBtn14;          // picks the article from the goods list
    QLineEdit* Edit3;               // maker
    QLineEdit* Edit4 = nullptr;     // category, when shown
    QLineEdit* Edit5;               // brand
    QLineEdit* Edit6;               // size
    QLineEdit* Edit7;               // unit
    QLineEdit* Edit8;               // stock
    QLineEdit* Edit9;               // price
    QLineEdit* Edit10;              // quantity
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    // Fills the boxes from the article whose code Edit1 holds; an unknown code changes nothing.
    void Edit1Exit();

protected:
    ArticleLineDialog(const ArticleLineLayout& layout, QWidget* parent);
};
