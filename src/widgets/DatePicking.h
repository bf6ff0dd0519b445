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

// A date picker says so when the operator leaves it with text that is not a date, instead of
// quietly going back to the date it had.
void refuseBadDates(QDateEdit* picker);
