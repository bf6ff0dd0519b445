// The screens' date picker, typed into as an operator does: a text that is not a date is
// refused when the picker is left or Enter is pressed, and never mended into another date.
#include "support/ModalScript.h"
#include "support/UiHelpers.h"
#include "widgets/Controls.h"
#include "widgets/DatePicking.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// Not today: a new picker shows today, and the date set after must be the one it goes back to.
const QDate kShown(2026, 12, 10);

class DatePickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        picker = makeDatePicker(&window, QStringLiteral("DateTimePicker1"));
        picker->setDate(kShown);
        next = makeEdit(&window, QStringLiteral("Edit1"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(picker);
        layout->addWidget(next);
        onExit(picker, [this] { ++exits; });
        window.show();
        focus(picker);
        ASSERT_EQ(QApplication::focusWidget(), picker);
    }

    // As a click or Tab would; a message box that just closed may have left the window
    // inactive, and an inactive window moves no focus.
    void focus(QWidget* w)
    {
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        w->setFocus(Qt::TabFocusReason);
    }

    // Selects the whole date and types over it, key by key, where the focus is; a Backspace
    // for each '<'.
    void typeDate(const char* keys)
    {
        picker->selectAll();
        for (const char* k = keys; *k; ++k) {
            if (*k == '<')
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
            else
                QTest::keyClick(QApplication::focusWidget(), *k);
        }
    }

    QString shown() const { return picker->findChild<QLineEdit*>()->text(); }

    QWidget window;
    QDateEdit* picker = nullptr;
    QLineEdit* next = nullptr;
    int exits = 0;
};

enum class Then { Leave, Enter };

TEST_F(DatePickerTest, TextThatIsNotADateIsRefusedInChineseAndTheDateStays)
{
    struct Case {
        const char* keys;
        const char* text;
        Then then;
    };
    const Case cases[] = {
        {"2026/2/30", "2026/2/30", Then::Leave}, // Qt's picker makes this 2026/2/28
        {"2026/2/30", "2026/2/30", Then::Enter},
        {"2026/2/29", "2026/2/29", Then::Leave}, // not a leap year
        {"2026/4/31", "2026/4/31", Then::Enter},
        {"2026/12/10<<", "2026/12/", Then::Leave}, // the day rubbed out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + (c.then == Then::Leave ? " leave" : " Enter"));
        focus(picker);
        typeDate(c.keys);
        EXPECT_EQ(shown(), QString::fromLatin1(c.text)) << "the typed text is kept while typing";
        ModalScript script;
        script.expectBox(kHintCaption, QStringLiteral("“%1”不是正确的日期，日期仍为 2026/12/10。").arg(QLatin1String(c.text)));
        if (c.then == Then::Leave)
            focus(next);
        else
            QTest::keyClick(picker, Qt::Key_Return);
        EXPECT_TRUE(script.verify());
        EXPECT_EQ(picker->date(), kShown);
        EXPECT_EQ(shown(), QStringLiteral("2026/12/10"));
    }
}

TEST_F(DatePickerTest, ADateIsTakenAsTypedWithoutAMessage)
{
    for (const char* keys : {"2026/2/28", "2026/1/1", "2026/12/31"}) {
        SCOPED_TRACE(keys);
        focus(picker);
        typeDate(keys);
        ModalScript script; // any box fails the test
        exits = 0;
        focus(next);
        EXPECT_TRUE(script.verify());
        EXPECT_EQ(picker->date(), QDate::fromString(QString::fromLatin1(keys), QStringLiteral("yyyy/M/d")));
        EXPECT_EQ(exits, 1) << "leaving it runs the screen's handler";
    }
}

// Qt's own picker drops a year typed over the whole date or at a cursor put inside it, and a
// separator typed after a part that filled up skips the next part.
TEST_F(DatePickerTest, AnotherYearTypedOverTheDateOrIntoItsYearIsTaken)
{
    for (const char* keys : {"2025/3/4", "2025/12/31", "1999/1/1", "2024/10/5", "2030/2/9"}) {
        SCOPED_TRACE(keys);
        picker->setDate(kShown);
        focus(picker);
        typeDate(keys);
        EXPECT_EQ(shown(), QString::fromLatin1(keys));
        focus(next);
        EXPECT_EQ(picker->date(), QDate::fromString(QString::fromLatin1(keys), QStringLiteral("yyyy/M/d")));
    }

    // A click between the year's digits, then a year: the year is replaced.
    picker->setDate(kShown);
    focus(picker);
    QLineEdit* edit = picker->findChild<QLineEdit*>();
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->fontMetrics().horizontalAdvance(QStringLiteral("20")) + 2, edit->height() / 2));
    ASSERT_GT(edit->cursorPosition(), 0);
    ASSERT_LT(edit->cursorPosition(), 4);
    QTest::keyClicks(QApplication::focusWidget(), "2024");
    EXPECT_EQ(shown(), QStringLiteral("2024/12/10"));
    // and the month after it, typed at once
    QTest::keyClicks(QApplication::focusWidget(), "/3");
    EXPECT_EQ(shown(), QStringLiteral("2024/3/10"));
}

TEST_F(DatePickerTest, GoesBackToTheDateItHadWhenEntered)
{
    // Typing 2026/2/30 passes through 2026/2/3, a date; refusing goes back further than that.
    typeDate("2026/2/30");
    ModalScript script;
    script.expectInfoBox();
    focus(next);
    EXPECT_TRUE(script.verify());
    EXPECT_EQ(picker->date(), kShown);
    EXPECT_EQ(window.focusWidget(), next) << "the focus is where the operator took it";
}

} // namespace
