// The voucher header's list boxes show their names whole in the 725-pixel window.
#include "PurchaseScreenDbTest.h"

#include "vouchers/TradeVoucherScreens.h"
#include "widgets/DataControls.h"

#include <QApplication>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <memory>

namespace {

// True when the box's edit field shows `text` whole: with the cursor at its end, the text
// has not scrolled to the left, as it does when it is wider than the field.
bool showsWhole(QComboBox* box, const QString& text)
{
    box->setEditText(text);
    QLineEdit* edit = box->lineEdit();
    edit->setCursorPosition(int(text.size()));
    edit->grab(); // the line edit scrolls its text while painting
    const int end = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    edit->setCursorPosition(0);
    edit->grab();
    const int start = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    return end - start >= box->fontMetrics().horizontalAdvance(text);
}

class HeaderLayoutTest : public PurchaseScreenDbTest {
protected:
    // Laid out as the operator first sees it.
    TForm8& open()
    {
        TForm8& s = PurchaseScreenDbTest::open();
        s.layout()->activate();
        QApplication::processEvents();
        return s;
    }
};

TEST_F(HeaderLayoutTest, TheLongestNamesOfEveryListShowWhole)
{
    const QString supplier = QStringLiteral("青岛华丰五金机电公司"); // ten characters
    const QString category = QStringLiteral("采购入库");
    const QString person = QStringLiteral("欧阳娜");
    run(QStringLiteral("insert into J_khb(khdm,khmc,lb1) values('K1','华丰','供货商')"));
    run(QStringLiteral("insert into J_khb(khdm,khmc,lb1) values('K2',%1,'供货商')").arg(quoted(supplier)));
    run(QStringLiteral("insert into J_rklbb(bh,rklb) values('01',%1)").arg(quoted(category)));
    run(QStringLiteral("insert into J_zgb(gh,xm,bmmc) values('01',%1,'采购部')").arg(quoted(person)));
    TForm8& s = open();

    EXPECT_EQ(s.width(), 725);
    EXPECT_TRUE(showsWhole(s.DBComboBox2, supplier));
    EXPECT_TRUE(showsWhole(s.DBComboBox1, category));
    EXPECT_TRUE(showsWhole(s.DBComboBox3, person));
    EXPECT_TRUE(showsWhole(s.DBComboBox4, person));
}

TEST_F(HeaderLayoutTest, ANameTooLongForTheWindowDoesNotWidenIt)
{
    // khmc holds thirty characters; that many do not fit beside the other boxes.
    const QString supplier = QString(30, QChar(0x5DE5)); // 工…
    run(QStringLiteral("insert into J_khb(khdm,khmc,lb1) values('K1',%1,'供货商')").arg(quoted(supplier)));
    TForm8& s = open();

    EXPECT_EQ(s.width(), 725);
    EXPECT_LE(s.layout()->minimumSize().width(), 725);
    EXPECT_LE(s.DBComboBox2->geometry().right(), s.width());
    EXPECT_FALSE(showsWhole(s.DBComboBox2, supplier)) << "the box is as wide as the window allows";
    EXPECT_TRUE(showsWhole(s.DBComboBox2, supplier.left(10)));
}

} // namespace
