// Enter moves from box to box and presses "确定" after the last one; Esc presses "退出".
#include "support/UiHelpers.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/KeyFlow.h"

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A dialog as the entry dialogs are built: boxes, a read-only box, "确定" and "退出".
class KeyDialog : public QDialog {
public:
    KeyDialog()
    {
        Edit1 = makeEdit(this, QStringLiteral("Edit1"));
        ComboBox1 = makeCombo(this, QStringLiteral("ComboBox1"), {QStringLiteral("现金"), QStringLiteral("支票")});
        Edit2 = makeEdit(this, QStringLiteral("Edit2"));
        Edit2->setReadOnly(true);
        Memo1 = new QPlainTextEdit(this);
        Memo1->setObjectName(QStringLiteral("Memo1"));
        Edit3 = makeEdit(this, QStringLiteral("Edit3"));
        BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("确定"));
        BitBtn2 = makeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("退出"));
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{Edit1, ComboBox1, Edit2, Memo1, Edit3, BitBtn1, BitBtn2})
            layout->addWidget(w);
        for (QLineEdit* e : {Edit1, Edit3})
            onExit(e, [this, e] { steps << e->objectName() + QStringLiteral(" left"); });
        connect(BitBtn1, &QPushButton::clicked, this, [this] { steps << QStringLiteral("确定"); });
        connect(BitBtn2, &QPushButton::clicked, this, [this] { steps << QStringLiteral("退出"); });
        enterMovesOn(this, BitBtn1, BitBtn2);
    }

    QLineEdit* Edit1;
    QComboBox* ComboBox1;
    QLineEdit* Edit2;
    QPlainTextEdit* Memo1;
    QLineEdit* Edit3;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QStringList steps;
};

class KeyFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    // Focus on w, then the key pressed where the focus is; the name of the focus afterwards.
    QString press(QWidget* w, Qt::Key key)
    {
        w->setFocus(Qt::OtherFocusReason);
        dialog.steps.clear(); // leaving the box the focus was in before
        QTest::keyClick(QApplication::focusWidget(), key);
        QWidget* focus = QApplication::focusWidget();
        for (QWidget* p = focus; p; p = p->parentWidget())
            if (p == dialog.ComboBox1)
                return p->objectName();
        return focus ? focus->objectName() : QString();
    }

    KeyDialog dialog;
};

} // namespace

TEST_F(KeyFlowTest, EnterLeavesTheBoxAndMovesToTheNextBox)
{
    struct Case {
        QWidget* from;
        Qt::Key key;
        const char* focusAfter;
        QStringList steps;
    };
    const Case cases[] = {
        {dialog.Edit1, Qt::Key_Return, "ComboBox1", {"Edit1 left"}},
        {dialog.Edit1, Qt::Key_Enter, "ComboBox1", {"Edit1 left"}}, // the keypad's Enter
        // The read-only box is passed over; a multi-line text keeps Enter for its new lines.
        {dialog.ComboBox1, Qt::Key_Return, "Memo1", {}},
        {dialog.Memo1, Qt::Key_Return, "Memo1", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from->objectName().toStdString());
        EXPECT_EQ(press(c.from, c.key), QString::fromUtf8(c.focusAfter));
        EXPECT_EQ(dialog.steps, c.steps);
    }
    EXPECT_EQ(dialog.Memo1->toPlainText(), QStringLiteral("\n"));
}

TEST_F(KeyFlowTest, EnterInTheLastBoxLeavesItThenPressesOk)
{
    press(dialog.Edit3, Qt::Key_Return);
    EXPECT_EQ(dialog.steps, (QStringList{"Edit3 left", "确定"}));
}

TEST_F(KeyFlowTest, OnlyOkTakesEnterAndEscPressesExit)
{
    press(dialog.BitBtn1, Qt::Key_Return);
    EXPECT_EQ(dialog.steps, QStringList{"确定"});
    EXPECT_EQ(press(dialog.BitBtn2, Qt::Key_Return), QStringLiteral("BitBtn2"));
    EXPECT_TRUE(dialog.steps.isEmpty()) << "a closing button took Enter";
    EXPECT_TRUE(dialog.isVisible());
    press(dialog.Edit3, Qt::Key_Escape);
    EXPECT_EQ(dialog.steps, QStringList{"退出"});
    EXPECT_TRUE(dialog.isVisible()) << "Esc rejected the dialog instead of pressing 退出";
}

TEST_F(KeyFlowTest, AnEnterTargetSkipsTheBoxesBetween)
{
    setEnterTarget(dialog.Edit1, dialog.Edit3);
    EXPECT_EQ(press(dialog.Edit1, Qt::Key_Return), QStringLiteral("Edit3"));
    EXPECT_EQ(dialog.steps, QStringList{"Edit1 left"});
}
