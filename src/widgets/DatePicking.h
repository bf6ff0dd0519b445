#pragma once
// Date boxes that show a month calendar when entered and take its date on a double-click.
#include <QCalendarWidget>
#include <QLineEdit>

// A hidden calendar set to today (MonthCalendar1, MonthCalendar2).
QCalendarWidget* makeMonthCalendar(QWidget* parent, const QString& name);

// Entering the box shows the calendar; a double-click (activated) on the calendar writes
// its date as short date text into the box — and into the bound field while the set is
// being edited, when the box is a DBEdit — and hides the calendar. A calendar that is not
// double-clicked stays visible.
void attachCalendar(QCalendarWidget* calendar, QLineEdit* box);

// The double-click step alone, for screens that wire their own handlers.
void takeCalendarDate(QCalendarWidget* calendar, QLineEdit* box);
void showCalendar(QCalendarWidget* calendar);
