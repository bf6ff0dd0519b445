#include "widgets/DatePicking.h"

#include "db/SqlText.h"
#include "widgets/DataControls.h"
#include "widgets/ErrorHandler.h"

#include <QDate>

QCalendarWidget* makeMonthCalendar(QWidget* parent, const QString& name)
{
    auto* calendar = new QCalendarWidget(parent);
    calendar->setObjectName(name);
    calendar->setSelectedDate(QDate::currentDate());
    calendar->setGridVisible(true);
    calendar->hide();
    return calendar;
}

void showCalendar(QCalendarWidget* calendar)
{
    calendar->show();
    calendar->raise();
}

void takeCalendarDate(QCalendarWidget* calendar, QLineEdit* box)
{
    box->setText(shortDate(calendar->selectedDate()));
    if (auto* bound = qobject_cast<DBEdit*>(box))
        bound->updateData();
    calendar->hide();
}

void attachCalendar(QCalendarWidget* calendar, QLineEdit* box)
{
    onEnter(box, [calendar] { showCalendar(calendar); });
    QObject::connect(calendar, &QCalendarWidget::activated, box, [calendar, box] {
        guarded(box->window(), [&] { takeCalendarDate(calendar, box); });
    });
}
