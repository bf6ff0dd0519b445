#pragma once
// Date boxes that show a month calendar when entered and take its date on a double-click.
#include <QCalendarWidget>
#include <QDateEdit>
#include <QLineEdit>

// A hidden calendar set to today (MonthCalendar1, MonthCalendar2).
QCalendarWidget* makeMonthCalendar(QWidget* parent, const QString& name);

// Entering the box shows the calendar at its full size just below the box (above it when
// there is no room below), inside its window, and hides every other calendar of the window.
// A double-click (activated) on the calendar writes its date as short date text into the
// box — and into the bound field while the set is being edited, when the box is a DBEdit —
// and hides the calendar. Leaving the box for anything but its calendar, leaving the
// calendar for anything but its box, or Esc in either hides it too.
// Leaving the box with text that is not a date refuses it with a Chinese message: the box
// shows its stored value again and nothing else runs.
void attachCalendar(QCalendarWidget* calendar, QLineEdit* box);

// The double-click step alone, for screens that wire their own handlers.
void takeCalendarDate(QCalendarWidget* calendar, QLineEdit* box);
// Shows the calendar below the box as entering the box does.
void showCalendar(QCalendarWidget* calendar, QWidget* box);

// The message a date box refuses typed text with.
QString notADateMessage(const QString& text);

// The date picker of the screens ("yyyy/M/d"). A typed text that is not a date (2026/2/30,
// 2026/2/) stays as typed while the operator types: Qt's own picker would turn the day into
// the month's last one. Leaving the picker or pressing Enter with such a text refuses it with
// a Chinese message, and the picker goes back to the date it had when it was entered.
// The first digit typed replaces the part of the date it is typed into, as in the Windows
// picker: the year when the whole date is selected.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refuseIfNotADate();

    QDate m_entered;
    int m_typedAt = -1;        // where the last digit left the cursor: the next goes on there
    bool m_movedOn = false;    // the last digit filled its part and Qt moved to the next
};
