#include "widgets/DatePicking.h"

#include "db/Errors.h"
#include "db/SqlText.h"
#include "widgets/DataControls.h"
#include "widgets/ErrorHandler.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QDate>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace {

const char* const kMonthCalendar = "jxcMonthCalendar";

bool within(const QWidget* area, const QWidget* w)
{
    return w && area && (w == area || area->isAncestorOf(w));
}

// Hides the calendar when the focus goes elsewhere and on Esc; watches the box and every
// focusable part of the calendar (its day table, month and year buttons).
class CalendarWatch : public QObject {
public:
    CalendarWatch(QCalendarWidget* calendar, QLineEdit* box) : QObject(calendar), m_calendar(calendar), m_box(box)
    {
        box->installEventFilter(this);
        calendar->installEventFilter(this);
        for (QWidget* part : calendar->findChildren<QWidget*>())
            if (part->focusPolicy() != Qt::NoFocus)
                part->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape
            && m_calendar->isVisible()) {
            m_calendar->hide();
            if (watched != m_box)
                m_box->setFocus(Qt::OtherFocusReason);
            return true; // Esc closes the calendar, not the screen
        }
        if (event->type() == QEvent::FocusOut && watched != m_box) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                return false;
            // The focus widget is already the new one while the old one hears of it.
            QWidget* next = QApplication::focusWidget();
            if (!within(m_calendar, next) && next != m_box.data())
                m_calendar->hide();
        }
        return false;
    }

private:
    QCalendarWidget* m_calendar;
    QPointer<QLineEdit> m_box;
};

} // namespace

QCalendarWidget* makeMonthCalendar(QWidget* parent, const QString& name)
{
    auto* calendar = new QCalendarWidget(parent);
    calendar->setObjectName(name);
    calendar->setProperty(kMonthCalendar, true);
    calendar->setSelectedDate(QDate::currentDate());
    calendar->setGridVisible(true);
    calendar->hide();
    return calendar;
}

void showCalendar(QCalendarWidget* calendar, QWidget* box)
{
    QWidget* area = calendar->parentWidget();
    if (area) {
        for (QCalendarWidget* other : area->window()->findChildren<QCalendarWidget*>())
            if (other != calendar && other->property(kMonthCalendar).toBool())
                other->hide();
    }
    calendar->resize(calendar->sizeHint().expandedTo(calendar->minimumSizeHint()));
    if (area && box) {
        const QSize size = calendar->size();
        const QPoint boxTop = box->mapTo(area, QPoint(0, 0));
        QPoint at(boxTop.x(), boxTop.y() + box->height());
        if (at.y() + size.height() > area->height() && boxTop.y() - size.height() >= 0)
            at.setY(boxTop.y() - size.height());
        at.setX(std::clamp(at.x(), 0, std::max(0, area->width() - size.width())));
        at.setY(std::clamp(at.y(), 0, std::max(0, area->height() - size.height())));
        calendar->move(at);
    }
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

QString notADateMessage(const QString& text)
{
    return QStringLiteral("“%1”不是正确的日期，请按“%2”的样式输入！").arg(text, shortDate(QDate::currentDate()));
}

void attachCalendar(QCalendarWidget* calendar, QLineEdit* box)
{
    new CalendarWatch(calendar, box);
    onEnter(box, [calendar, box] {
        if (!calendar->property("jxcTaking").toBool())
            showCalendar(calendar, box);
    });
    onExit(box, [calendar] {
        if (!within(calendar, QApplication::focusWidget()))
            calendar->hide();
    });
    // Before the box writes its field: a text that is not a date never reaches it.
    checkOnExit(box, [box] {
        const QString text = box->text();
        if (text.trimmed().isEmpty() || parseDateText(text).isValid())
            return;
        if (auto* bound = qobject_cast<DBEdit*>(box))
            bound->link().refresh();
        throw ConversionError(notADateMessage(text));
    });
    QObject::connect(calendar, &QCalendarWidget::activated, box, [calendar, box] {
        guarded(box->window(), [&] {
            takeCalendarDate(calendar, box);
            // Back in the box to go on typing; that entry does not open the calendar again.
            calendar->setProperty("jxcTaking", true);
            box->setFocus(Qt::OtherFocusReason);
            calendar->setProperty("jxcTaking", false);
        });
    });
}

DatePicker::DatePicker(QWidget* parent) : QDateEdit(QDate::currentDate(), parent), m_entered(date())
{
    setDisplayFormat(QStringLiteral("yyyy/M/d"));
    setCalendarPopup(true);
    // Before the screen's own leave handlers, and before Qt falls back to the last good date.
    checkOnExit(this, [this] { refuseIfNotADate(); });
}

QValidator::State DatePicker::validate(QString& input, int& pos) const
{
    QString checked = input;
    int at = pos;
    const QValidator::State state = QDateEdit::validate(checked, at);
    // Qt accepts a day past the month's end by cutting it to the last day; not here.
    if (state == QValidator::Acceptable && checked != input && !QDate::fromString(input, displayFormat()).isValid())
        return QValidator::Intermediate;
    input = checked;
    pos = at;
    return state;
}

void DatePicker::fixup(QString&) const
{
    // A text that is not a date is refused, never mended into some other date.
}

void DatePicker::focusInEvent(QFocusEvent* event)
{
    // Back from the calendar, or into a window coming back with a half-typed date, the date
    // to go back to stays; a window's first focus takes the date it shows.
    const bool returning = event->reason() == Qt::PopupFocusReason
                           || (event->reason() == Qt::ActiveWindowFocusReason
                               && !QDate::fromString(lineEdit()->text(), displayFormat()).isValid());
    if (!returning)
        m_entered = date();
    m_typedAt = -1;
    m_movedOn = false;
    QDateEdit::focusInEvent(event);
}

void DatePicker::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        refuseIfNotADate();
    const QString typed = event->text();
    const bool digit = typed.size() == 1 && typed[0].isDigit();
    // A part typed full moves on by itself: the separator typed after it is already there.
    if (m_movedOn && typed == QLatin1String("/")) {
        m_movedOn = false;
        m_typedAt = -1;
        return;
    }
    m_movedOn = false;
    const QLineEdit* edit = lineEdit();
    if (digit) {
        // Qt takes a year only within its range at every key, so a year typed over the
        // whole text or at a cursor put inside it never took: the part is selected first,
        // as Qt does when it is entered by Tab, and the digits replace it.
        if (edit->hasSelectedText() && edit->selectedText() == edit->text())
            setSelectedSection(sectionAt(0));
        else if (!edit->hasSelectedText() && edit->cursorPosition() != m_typedAt)
            setSelectedSection(currentSection());
    }
    const Section before = currentSection();
    QDateEdit::keyPressEvent(event);
    const bool typing = digit || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
    m_typedAt = typing ? edit->cursorPosition() : -1;
    if (digit && currentSection() != before) {
        m_movedOn = true;
        m_typedAt = -1;
    }
}

void DatePicker::refuseIfNotADate()
{
    const QString typed = lineEdit()->text();
    if (QDate::fromString(typed, displayFormat()).isValid())
        return;
    setDate(m_entered);
    showInfo(window(), QStringLiteral("“%1”不是正确的日期，日期仍为 %2。").arg(typed, lineEdit()->text()));
}
