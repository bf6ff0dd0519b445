// Message boxes, the input box, the error handler, the typing limit and the status bar.
#include "db/ProgramState.h"
#include "db/Errors.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"
#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/InputBox.h"
#include "widgets/MessageBoxes.h"
#include "widgets/StatusBar.h"

#include <QDialog>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest-spi.h>

TEST(MessageBoxes, CaptionsIconsAndAnswers)
{
    QWidget screen;
    ModalScript script;
    script.expectBox(QStringLiteral("提示"), QStringLiteral("已到首记录！"), QMessageBox::Ok, QMessageBox::Information)
        .expectBox(QStringLiteral("警告"), QStringLiteral("连接数据库错误！"), QMessageBox::Ok, QMessageBox::Information)
        .expectBox(QStringLiteral("提示"), QStringLiteral("确定将删除: 甲 吗？"), QMessageBox::Ok, QMessageBox::Warning)
        .expectBox(QStringLiteral("提示"), QStringLiteral("确定将删除: 乙 吗？"), QMessageBox::Cancel, QMessageBox::Warning)
        .expectBox(QStringLiteral("警告"), QStringLiteral("继续吗?"), QMessageBox::Ok, QMessageBox::Question)
        .expectError(QStringLiteral("出错了"));
    showInfo(&screen, QStringLiteral("已到首记录！"));
    showInfo(&screen, QStringLiteral("连接数据库错误！"), kWarningCaption);
    EXPECT_TRUE(askWarning(&screen, QStringLiteral("确定将删除: 甲 吗？")));
    EXPECT_FALSE(askWarning(&screen, QStringLiteral("确定将删除: 乙 吗？")));
    EXPECT_TRUE(askOkCancel(&screen, QStringLiteral("继续吗?"), kWarningCaption));
    showError(&screen, QStringLiteral("出错了"));
    EXPECT_TRUE(script.verify());
}

TEST(InputBox, ReturnsTheTextOnOkAndNothingOnCancel)
{
    ModalScript script;
    script.answerInput(QStringLiteral("查询"), QStringLiteral("请输入凭证号"), QStringLiteral("CG1001044_001"))
        .answerInput(QStringLiteral("查询"), QStringLiteral("请输入凭证号"), QString())
        .answerInput(QStringLiteral("查询"), QStringLiteral("请输入凭证号"), std::nullopt);
    const auto ask = [] { return inputBox(nullptr, QStringLiteral("查询"), QStringLiteral("请输入凭证号"), QStringLiteral("x")); };
    EXPECT_EQ(ask(), std::optional<QString>(QStringLiteral("CG1001044_001")));
    EXPECT_EQ(ask(), std::optional<QString>(QString()));
    EXPECT_EQ(ask(), std::nullopt);
}

// A screen whose handlers fail the ways a screen's can.
class FailingScreen : public QWidget {
public:
    FailingScreen()
    {
        BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("确定"));
        BitBtn2 = makeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("保存"));
        onClick(BitBtn1, this, &FailingScreen::BitBtn1Click);
        onClick(BitBtn2, this, &FailingScreen::BitBtn2Click);
    }
    void BitBtn1Click()
    {
        steps << 1;
        throw ConversionError(QStringLiteral("'x' is not a valid floating point value"));
        steps << 2; // never reached: the operation stops where it failed
    }
    void BitBtn2Click() { throw std::runtime_error("disk full"); }
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QList<int> steps;
};

TEST(ErrorHandler, AHandlerErrorShowsItsTextAndTheScreenStays)
{
    FailingScreen screen;
    screen.show();
    ModalScript script;
    script.expectError(QStringLiteral("'x' is not a valid floating point value"))
        .expectError(QStringLiteral("disk full"));
    click(screen.BitBtn1);
    click(screen.BitBtn2);
    EXPECT_TRUE(script.verify());
    EXPECT_EQ(screen.steps, QList<int>{1});
    EXPECT_TRUE(screen.isVisible());
}

TEST(ErrorHandler, ErrorsEscapingAnEventHandlerAreShownByTheApplication)
{
    QWidget screen;
    ModalScript script;
    script.expectError(QStringLiteral("数据库已关闭"));
    QTimer::singleShot(0, &screen, [] { throw DbError(QStringLiteral("数据库已关闭")); });
    EXPECT_TRUE(script.verify());
}

TEST(ErrorHandler, MenuEntriesRunGuarded)
{
    struct MainWindow : QWidget {
        MainWindow()
        {
            N6 = new QAction(QStringLiteral("采购商品与付款"), this);
            N6->setObjectName(QStringLiteral("N6"));
            onTriggered(N6, this, &MainWindow::N6Click);
        }
        void N6Click() { throw AppError(QStringLiteral("无法打开")); }
        QAction* N6;
    } window;
    ModalScript script;
    script.expectError(QStringLiteral("无法打开"));
    clickMenu(&window, QStringLiteral("N6"));
}

TEST(TypingLimit, LimitsTypingButNotTheProgramsText)
{
    QWidget screen;
    QLineEdit* edit = makeEdit(&screen, QStringLiteral("Edit1"), 4);
    type(edit, QStringLiteral("100123"));
    EXPECT_EQ(edit->text(), QStringLiteral("1001"));
    edit->setText(QStringLiteral("CG1001044_001"));
    EXPECT_EQ(edit->text(), QStringLiteral("CG1001044_001"));
    QSignalSpy enter(edit, &QLineEdit::returnPressed);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(enter.count(), 1); // a long text of the program's is still a whole answer
    type(edit, QStringLiteral("12345"));
    EXPECT_EQ(edit->text(), QStringLiteral("1234"));

    QComboBox* combo = makeCombo(&screen, QStringLiteral("ComboBox1"), {QStringLiteral("一个很长的供货商名称")}, 3);
    type(combo, QStringLiteral("甲乙丙丁"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("甲乙丙"));
    choose(combo, QStringLiteral("一个很长的供货商名称"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("一个很长的供货商名称"));
}

TEST(StatusBar, ShowsOperatorAndTodayWithoutLeadingZeros)
{
    EXPECT_EQ(statusDate(QDate(2008, 3, 5)), QStringLiteral("2008年3月5日    "));
    EXPECT_EQ(statusDate(QDate(2024, 12, 31)), QStringLiteral("2024年12月31日    "));
    myvar::operatorName = QStringLiteral("张三");
    QWidget screen;
    StatusBar* bar = addStatusBar(&screen);
    myvar::operatorName.clear();
    EXPECT_EQ(bar->objectName(), QStringLiteral("StatusBar1"));
    EXPECT_EQ(bar->panelText(0), QStringLiteral("操作员:"));
    EXPECT_EQ(bar->panelText(1), QStringLiteral("张三"));
    EXPECT_EQ(bar->panelText(2), statusDate(QDate::currentDate()));
}

TEST(StatusBar, OperatorPanelShowsItsWholeCaption)
{
    QWidget screen;
    new QVBoxLayout(&screen);
    StatusBar* bar = addStatusBar(&screen);
    screen.resize(300, 80);
    screen.show();
    QApplication::processEvents();
    auto* panel = child<QLabel>(bar, QStringLiteral("StatusBar1Panel0"));
    EXPECT_GE(panel->width(), panel->fontMetrics().horizontalAdvance(QStringLiteral("操作员:")));
}

TEST(Controls, EnterInAFieldPressesNoButton)
{
    QDialog screen;
    QLineEdit* edit = makeEdit(&screen, QStringLiteral("Edit1"));
    QPushButton* button = makeButton(&screen, QStringLiteral("BitBtn1"), QStringLiteral("确定"));
    auto* layout = new QVBoxLayout(&screen);
    layout->addWidget(edit);
    layout->addWidget(button);
    QSignalSpy clicked(button, &QPushButton::clicked);
    screen.show();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_TRUE(screen.isVisible());
}

// The driver itself: nested modals, and what it does with surprises.
class Dialog9 : public QDialog {
public:
    Dialog9()
    {
        setObjectName(QStringLiteral("TForm9"));
        Edit1 = makeEdit(this, QStringLiteral("Edit1"));
        BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("确定"));
        onClick(BitBtn1, this, &Dialog9::BitBtn1Click);
    }
    void BitBtn1Click()
    {
        if (Edit1->text().isEmpty())
            return;
        showInfo(this, QStringLiteral("商品数据添加失败，请重新添加！"));
        accept();
    }
    QLineEdit* Edit1;
    QPushButton* BitBtn1;
};

TEST(ModalScript, AnswersNestedModalsInOrder)
{
    ModalScript script;
    script.onDialog(QStringLiteral("TForm9"), [](QWidget* d) {
        click(d, QStringLiteral("BitBtn1")); // empty code: the dialog stays
        EXPECT_TRUE(d->isVisible());
        type(child<QLineEdit>(d, QStringLiteral("Edit1")), QStringLiteral("01"));
        click(d, QStringLiteral("BitBtn1"));
    });
    script.expectBox(QStringLiteral("提示"), QStringLiteral("商品数据添加失败，请重新添加！"));
    Dialog9 dialog;
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(script.verify());
    EXPECT_EQ(script.seen().size(), 2);
}

TEST(ModalScript, SurprisesFailAndAreClosed)
{
    // A box nobody expected: closed the safe way (Cancel).
    EXPECT_NONFATAL_FAILURE(
        {
            ModalScript script;
            EXPECT_FALSE(askWarning(nullptr, QStringLiteral("确定将删除: 甲 吗？")));
        },
        "unexpected box");
    // Also with no script at all.
    EXPECT_NONFATAL_FAILURE(showInfo(nullptr, QStringLiteral("保存成功")), "unexpected box");
    // A step that never comes.
    EXPECT_NONFATAL_FAILURE(
        {
            ModalScript script;
            script.expectBox(QStringLiteral("提示"), QStringLiteral("保存成功"));
            script.verify(100);
        },
        "never appeared");
    // A dialog its handler leaves open.
    ModalDriver::instance().timeoutMs = 200;
    EXPECT_NONFATAL_FAILURE(
        {
            ModalScript script;
            script.onDialog(QStringLiteral("TForm9"), [](QWidget*) {});
            Dialog9 dialog;
            dialog.exec();
        },
        "still open");
    ModalDriver::instance().timeoutMs = 5000;
}

TEST(UiHelpers, MissingOrWrongControlsSayWhich)
{
    Dialog9 dialog;
    EXPECT_THROW(child<QLineEdit>(&dialog, QStringLiteral("Edit9")), std::runtime_error);
    try {
        child<QLineEdit>(&dialog, QStringLiteral("BitBtn1"));
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "BitBtn1 is a QPushButton, not a QLineEdit");
    }
}

// The program's application object loads Qt's Chinese texts for its standard dialogs.
TEST(QtTranslation, StandardButtonsAndFileDialogsSpeakChinese)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("提示"), QStringLiteral("继续吗?"),
                    QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
    struct Case {
        const char* context;
        const char* english;
    };
    for (const Case& c : {Case{"QFileDialog", "Look in:"}, Case{"QFileDialog", "File &name:"},
                          Case{"QFileDialog", "Save As"}, Case{"QPrintPreviewDialog", "Print Preview"}}) {
        SCOPED_TRACE(c.english);
        const QString text = QCoreApplication::translate(c.context, c.english);
        EXPECT_NE(text, QString::fromUtf8(c.english));
        EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() >= 0x4e00; }))
            << text.toStdString();
    }
}
