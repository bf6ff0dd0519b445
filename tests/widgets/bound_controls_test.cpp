// Bound boxes: what they show, when they write, and that typed text is not lost.
#include "db/SqlText.h"
#include "support/InitializedDb.h"
#include "support/ModalScript.h"
#include "support/UiHelpers.h"
#include "widgets/DataControls.h"
#include "widgets/DatePicking.h"
#include "widgets/ErrorHandler.h"

#include "widgets/Controls.h"

#include <QCalendarWidget>
#include <QTest>

class BoundControls : public InitializedDbTest {
protected:
    void SetUp() override
    {
        InitializedDbTest::SetUp();
        Database& db = Database::shared();
        db.exec(QStringLiteral("insert into J_cgb(pzh,fph,ghs,yfk,fqf,cgrq) values('CG1001044_001','F1','甲公司',12.5,0,#2004/4/15#)"));
        db.exec(QStringLiteral("insert into J_cgb(pzh,fph,ghs,yfk,fqf,cgrq) values('CG1001044_002','F2','乙公司',0,1,#2004/4/16#)"));
        set = new ResultSet(db, &screen);
        set->open(QStringLiteral("select * from J_cgb"));
        source = new DataSource(&screen, set);
        fph = new DBEdit(&screen, QStringLiteral("DBEdit1"), source, QStringLiteral("fph"));
        yfk = new DBEdit(&screen, QStringLiteral("DBEdit2"), source, QStringLiteral("yfk"));
        cgrq = new DBEdit(&screen, QStringLiteral("DBEdit3"), source, QStringLiteral("cgrq"));
        ghs = new DBComboBox(&screen, QStringLiteral("DBComboBox1"), source, QStringLiteral("ghs"));
        fqf = new DBCheckBox(&screen, QStringLiteral("DBCheckBox1"), QStringLiteral("选中默认已付清  "), source,
                             QStringLiteral("fqf"));
        pzh = new DBText(&screen, QStringLiteral("DBText1"), source, QStringLiteral("pzh"));
    }

    QVariant storedValue(const QString& column, const QString& key)
    {
        ResultSet rs(Database::shared());
        rs.open(QStringLiteral("select %1 from J_cgb where pzh='%2'").arg(column, key));
        return rs.value(column);
    }
    QString stored(const QString& column, const QString& key) { return displayText(storedValue(column, key)); }

    QWidget screen;
    ResultSet* set = nullptr;
    DataSource* source = nullptr;
    DBEdit* fph = nullptr;
    DBEdit* yfk = nullptr;
    DBEdit* cgrq = nullptr;
    DBComboBox* ghs = nullptr;
    DBCheckBox* fqf = nullptr;
    DBText* pzh = nullptr;
};

TEST_F(BoundControls, ShowTheCurrentRowAndFollowMoves)
{
    EXPECT_EQ(fph->text(), QStringLiteral("F1"));
    EXPECT_EQ(yfk->text(), QStringLiteral("12.5"));
    EXPECT_EQ(cgrq->text(), QStringLiteral("2004/4/15"));
    EXPECT_EQ(ghs->currentText(), QStringLiteral("甲公司"));
    EXPECT_FALSE(fqf->isChecked());
    EXPECT_EQ(pzh->text(), QStringLiteral("CG1001044_001"));
    set->next();
    EXPECT_EQ(fph->text(), QStringLiteral("F2"));
    EXPECT_TRUE(fqf->isChecked());
    EXPECT_EQ(pzh->text(), QStringLiteral("CG1001044_002"));
}

TEST_F(BoundControls, DisabledControlsKeepStillAndCatchUp)
{
    set->disableControls();
    set->next();
    EXPECT_EQ(fph->text(), QStringLiteral("F1"));
    set->enableControls();
    EXPECT_EQ(fph->text(), QStringLiteral("F2"));
    source->setEnabled(false);
    EXPECT_EQ(fph->text(), QString());
}

TEST_F(BoundControls, TypedTextIsWrittenOnPost)
{
    set->edit();
    type(fph, QStringLiteral("F9"));
    type(ghs, QStringLiteral("丙公司"));
    fqf->click();
    cgrq->setText(QStringLiteral("2004/5/1")); // put in by the program, as the calendar does
    set->post();
    const QString key = QStringLiteral("CG1001044_001");
    EXPECT_EQ(stored(QStringLiteral("fph"), key), QStringLiteral("F9"));
    EXPECT_EQ(stored(QStringLiteral("ghs"), key), QStringLiteral("丙公司"));
    EXPECT_TRUE(storedValue(QStringLiteral("fqf"), key).toBool());
    EXPECT_EQ(stored(QStringLiteral("cgrq"), key), QStringLiteral("2004/5/1"));
}

TEST_F(BoundControls, NewRowTakesTypedTextAndCancelRestores)
{
    set->append();
    EXPECT_EQ(fph->text(), QString());
    set->setValue(QStringLiteral("pzh"), QStringLiteral("CG1001044_003"));
    type(fph, QStringLiteral("F3"));
    set->post();
    EXPECT_EQ(stored(QStringLiteral("fph"), QStringLiteral("CG1001044_003")), QStringLiteral("F3"));

    set->first();
    set->edit();
    type(fph, QStringLiteral("作废"));
    set->cancel();
    EXPECT_EQ(fph->text(), QStringLiteral("F1"));
}

TEST_F(BoundControls, LeavingABoxWritesItAndKeepsWhatOthersAreTyping)
{
    set->edit();
    type(fph, QStringLiteral("F7"));
    type(ghs, QStringLiteral("丁公司"));
    leave(fph); // writes fph; the set tells every box the row changed
    EXPECT_EQ(set->text(QStringLiteral("fph")), QStringLiteral("F7"));
    EXPECT_EQ(ghs->currentText(), QStringLiteral("丁公司"));
    set->post();
    EXPECT_EQ(stored(QStringLiteral("ghs"), QStringLiteral("CG1001044_001")), QStringLiteral("丁公司"));
}

TEST_F(BoundControls, TextThatIsNotANumberStopsThePostAndTheExitHandler)
{
    bool exitRan = false;
    onExit(yfk, [&] { exitRan = true; });
    set->edit();
    type(yfk, QStringLiteral("abc"));
    {
        ModalScript script;
        script.expectError(QStringLiteral("'abc' is not a valid floating point value"));
        leave(yfk);
    }
    EXPECT_FALSE(exitRan);
    EXPECT_THROW(set->post(), ConversionError);
    EXPECT_EQ(set->state(), ResultSet::Edit);
    type(yfk, QStringLiteral("7"));
    leave(yfk);
    EXPECT_TRUE(exitRan);
}

TEST_F(BoundControls, CalendarDoubleClickFillsTheBoxAndTheField)
{
    QCalendarWidget* calendar = makeMonthCalendar(&screen, QStringLiteral("MonthCalendar1"));
    attachCalendar(calendar, cgrq);
    EXPECT_TRUE(calendar->isHidden());
    EXPECT_EQ(calendar->selectedDate(), QDate::currentDate());
    enter(cgrq);
    EXPECT_FALSE(calendar->isHidden());
    set->edit();
    calendar->setSelectedDate(QDate(2004, 12, 9));
    emit calendar->activated(calendar->selectedDate());
    EXPECT_TRUE(calendar->isHidden());
    EXPECT_EQ(cgrq->text(), QStringLiteral("2004/12/9"));
    EXPECT_EQ(set->value(QStringLiteral("cgrq")).toDate(), QDate(2004, 12, 9));
}

TEST_F(BoundControls, CalendarOpensWholeJustBelowItsBoxInsideTheScreenAndAlone)
{
    screen.resize(640, 420);
    cgrq->setGeometry(200, 40, 90, 22);
    fph->setGeometry(560, 380, 70, 22); // near the bottom right corner: no room below or to the right
    QCalendarWidget* first = makeMonthCalendar(&screen, QStringLiteral("MonthCalendar1"));
    QCalendarWidget* second = makeMonthCalendar(&screen, QStringLiteral("MonthCalendar2"));
    attachCalendar(first, cgrq);
    attachCalendar(second, fph);
    screen.show();

    enter(cgrq);
    ASSERT_TRUE(first->isVisible());
    EXPECT_GE(first->width(), first->sizeHint().width());
    EXPECT_GE(first->height(), first->sizeHint().height());
    EXPECT_EQ(first->geometry().topLeft(), QPoint(200, 62)); // right under the box
    EXPECT_TRUE(screen.rect().contains(first->geometry()));

    enter(fph);
    EXPECT_TRUE(first->isHidden()) << "two calendars open at once";
    ASSERT_TRUE(second->isVisible());
    EXPECT_TRUE(screen.rect().contains(second->geometry()));
    EXPECT_LE(second->geometry().bottom(), fph->geometry().top()) << "covers its own box";
}

TEST_F(BoundControls, CalendarHidesWhenTheBoxIsLeftOrOnEsc)
{
    QCalendarWidget* calendar = makeMonthCalendar(&screen, QStringLiteral("MonthCalendar1"));
    attachCalendar(calendar, cgrq);
    screen.show();
    enter(cgrq);
    ASSERT_TRUE(calendar->isVisible());
    leave(cgrq);
    EXPECT_TRUE(calendar->isHidden());

    enter(cgrq);
    ASSERT_TRUE(calendar->isVisible());
    QTest::keyClick(cgrq, Qt::Key_Escape);
    EXPECT_TRUE(calendar->isHidden());
}

TEST_F(BoundControls, TypedTextThatIsNotADateIsRefusedInChinese)
{
    QCalendarWidget* calendar = makeMonthCalendar(&screen, QStringLiteral("MonthCalendar1"));
    attachCalendar(calendar, cgrq);
    bool exitRan = false;
    onExit(cgrq, [&] { exitRan = true; });
    set->edit();
    for (const char* bad : {"2026-13-45", "2026/2/30", "明天"}) {
        SCOPED_TRACE(bad);
        exitRan = false;
        type(cgrq, QString::fromUtf8(bad));
        ModalScript script;
        script.expectError(notADateMessage(QString::fromUtf8(bad)));
        leave(cgrq);
        EXPECT_TRUE(script.verify());
        EXPECT_FALSE(exitRan);
        EXPECT_EQ(cgrq->text(), QStringLiteral("2004/4/15")) << "the box keeps the refused text";
        EXPECT_EQ(set->value(QStringLiteral("cgrq")).toDate(), QDate(2004, 4, 15));
    }
    EXPECT_TRUE(notADateMessage(QStringLiteral("x")).contains(QStringLiteral("不是正确的日期")));
    type(cgrq, QStringLiteral("2004/5/1"));
    leave(cgrq);
    EXPECT_TRUE(exitRan);
    EXPECT_EQ(set->value(QStringLiteral("cgrq")).toDate(), QDate(2004, 5, 1));
}

// The schema's widths: fph char(20), ghs char(30); a narrower limit a screen sets stays.
TEST_F(BoundControls, BoxesTakeNoMoreCharactersThanTheirColumnHolds)
{
    EXPECT_EQ(typingLimit(fph), 20);
    EXPECT_EQ(typingLimit(ghs->lineEdit()), 30);
    EXPECT_EQ(typingLimit(yfk), 0); // numbers and dates have no character width
    setTypingLimit(fph, 50);
    setTypingLimit(ghs->lineEdit(), 8);
    set->open();
    EXPECT_EQ(typingLimit(fph), 20);
    EXPECT_EQ(typingLimit(ghs->lineEdit()), 8);
    set->edit();
    type(fph, QString(25, QLatin1Char('9')));
    EXPECT_EQ(fph->text(), QString(20, QLatin1Char('9')));
}

TEST(ColumnLimits, PlainBoxesTakeTheirColumnsWidthWhenItIsNarrower)
{
    QWidget screen;
    struct Case {
        int given;
        const char* table;
        const char* column;
        int limit;
    };
    const Case cases[] = {
        {20, "J_spb", "spdm", 6},  // the goods code box
        {0, "J_yhb", "lxr", 10},   // a company field without a limit of its own
        {4, "J_khb", "khdm", 4},   // narrower than the column: stays
        {10, "J_spb", "zxdj", 10}, // a number column leaves the box as it is
        {10, "j_SPB", "SPMC", 10}, // names without regard to case
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        QLineEdit* edit = makeEdit(&screen, QStringLiteral("Edit1"), c.given);
        limitToColumn(edit, QString::fromUtf8(c.table), QString::fromUtf8(c.column));
        EXPECT_EQ(typingLimit(edit), c.limit);
    }
}
