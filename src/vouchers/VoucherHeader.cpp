#include "vouchers/VoucherHeader.h"

#include "db/Errors.h"
#include "db/ProgramState.h"
#include "db/ResultSet.h"
#include "vouchers/VoucherNumber.h"
#include "widgets/Controls.h"
#include "widgets/DataSource.h"
#include "widgets/DatePicking.h"
#include "widgets/ErrorHandler.h"
#include "widgets/InputBox.h"
#include "widgets/MessageBoxes.h"
#include "widgets/StatusBar.h"

#include <QLineEdit>

namespace {

QPushButton* glyphButton(QWidget* parent, const QString& name, const QString& hint, const QString& glyph)
{
    QPushButton* b = makeButton(parent, name, glyph);
    b->setToolTip(hint);
    b->setFixedWidth(28);
    return b;
}

} // namespace

VoucherHeaderScreen::VoucherHeaderScreen(QWidget* parent, const QString& name, const QString& caption,
                                         VoucherHeaderTexts texts)
    : Screen(parent, name, caption), m_texts(std::move(texts))
{
    m_header = new ResultSet(this);
    DataSource1 = new DataSource(this, m_header);
    BitBtn1 = glyphButton(this, QStringLiteral("BitBtn1"), QStringLiteral("首记录"), QStringLiteral("|◀"));
    BitBtn2 = glyphButton(this, QStringLiteral("BitBtn2"), QStringLiteral("上一条"), QStringLiteral("◀"));
    BitBtn3 = glyphButton(this, QStringLiteral("BitBtn3"), QStringLiteral("下一条"), QStringLiteral("▶"));
    BitBtn4 = glyphButton(this, QStringLiteral("BitBtn4"), QStringLiteral("末记录"), QStringLiteral("▶|"));
    BitBtn5 = makeButton(this, QStringLiteral("BitBtn5"), QStringLiteral("添加"));
    BitBtn6 = makeButton(this, QStringLiteral("BitBtn6"), QStringLiteral("修改"));
    BitBtn7 = makeButton(this, QStringLiteral("BitBtn7"), QStringLiteral("查询"));
    BitBtn8 = makeButton(this, QStringLiteral("BitBtn8"), QStringLiteral("打印"));
    BitBtn9 = makeButton(this, QStringLiteral("BitBtn9"), QStringLiteral("退出"));
    StatusBar1 = new StatusBar(this);

    onClick(BitBtn1, this, &VoucherHeaderScreen::BitBtn1Click);
    onClick(BitBtn2, this, &VoucherHeaderScreen::BitBtn2Click);
    onClick(BitBtn3, this, &VoucherHeaderScreen::BitBtn3Click);
    onClick(BitBtn4, this, &VoucherHeaderScreen::BitBtn4Click);
    onClick(BitBtn5, this, &VoucherHeaderScreen::BitBtn5Click);
    onClick(BitBtn6, this, &VoucherHeaderScreen::BitBtn6Click);
    onClick(BitBtn7, this, &VoucherHeaderScreen::BitBtn7Click);
    onClick(BitBtn8, this, &VoucherHeaderScreen::BitBtn8Click);
    onClick(BitBtn9, this, &VoucherHeaderScreen::BitBtn9Click);
    // Runs after the bound boxes have written their text into the row.
    connect(m_header, &ResultSet::updateRecord, this, &VoucherHeaderScreen::dropTimesOfDay);
}

void VoucherHeaderScreen::dropTimesOfDay()
{
    // Voucher dates are days: a time typed with one would drop the voucher out of a range
    // that ends on its day.
    for (const QString& column : dayColumns()) {
        const QVariant v = m_header->value(column);
        if (v.typeId() == QMetaType::QDateTime)
            m_header->setValue(column, v.toDateTime().date());
    }
}

VoucherHeaderScreen::~VoucherHeaderScreen()
{
    // Unlink the bound controls while they all still stand.
    delete DataSource1;
}

void VoucherHeaderScreen::setStateControls(QList<QWidget*> headerBoxes, QList<QWidget*> browsingOnly)
{
    m_headerBoxes = std::move(headerBoxes);
    m_browsingOnly = std::move(browsingOnly);
    setHeaderState(m_state);
}

void VoucherHeaderScreen::alwaysEditable(QLineEdit* box)
{
    connect(box, &QLineEdit::textEdited, this, [this, box] {
        if (m_header->state() == ResultSet::Browse && m_header->recNo() >= 0) {
            // Entering edit mode shows the stored row again: keep what was just typed.
            const QString typed = box->text();
            const int cursor = box->cursorPosition();
            m_header->edit();
            box->setText(typed);
            box->setCursorPosition(cursor);
        }
    });
}

QCalendarWidget* VoucherHeaderScreen::addCalendar(const QString& name, QLineEdit* box)
{
    QCalendarWidget* calendar = makeMonthCalendar(this, name);
    attachCalendar(calendar, box);
    m_calendars << calendar;
    return calendar;
}

void VoucherHeaderScreen::FormShow()
{
    m_header->open(QStringLiteral("select * from ") + m_texts.table);
    fillLists();
    setHeaderState(HeaderState::Browsing);
    Refresh();
    StatusBar1->fill();
    for (QCalendarWidget* calendar : m_calendars)
        calendar->setSelectedDate(QDate::currentDate());
}

QString VoucherHeaderScreen::currentNumber() const
{
    if (!m_header->isActive() || m_header->recNo() < 0)
        return QString();
    return m_header->text(QStringLiteral("pzh")).trimmed();
}

void VoucherHeaderScreen::setHeaderState(HeaderState state)
{
    m_state = state;
    const bool browsing = state == HeaderState::Browsing;
    BitBtn5->setText(browsing ? QStringLiteral("添加") : QStringLiteral("保存"));
    BitBtn6->setText(browsing ? QStringLiteral("修改") : QStringLiteral("恢复"));
    for (QWidget* w : m_browsingOnly)
        w->setEnabled(browsing);
    for (QWidget* w : m_headerBoxes)
        w->setEnabled(!browsing);
}

bool VoucherHeaderScreen::mayAddRow(const QString& saveFirst, const QString& fillFirst)
{
    if (m_state != HeaderState::Browsing) {
        showInfo(this, saveFirst);
        return false;
    }
    if (currentNumber().isEmpty()) {
        showInfo(this, fillFirst);
        return false;
    }
    return true;
}

void VoucherHeaderScreen::BitBtn5Click()
{
    if (m_state == HeaderState::Browsing) {
        // The number first: when the month has none left, no row is appended.
        const QString number = nextVoucherNumber(m_texts.prefix, m_texts.table);
        // A header typed into while browsing is stored before the new one is appended.
        m_header->checkBrowseMode();
        setHeaderState(HeaderState::Adding);
        const QDate today = QDate::currentDate();
        m_header->append();
        m_header->setValue(QStringLiteral("pzh"), number);
        m_header->setValue(m_texts.dateColumn, today);
        m_header->setValue(QStringLiteral("czy"), myvar::operatorName);
        fillNewHeader(*m_header, today);
        Refresh();
        return;
    }
    setHeaderState(HeaderState::Browsing);
    try {
        m_header->post();
    } catch (const AppError&) {
        showInfo(this, m_texts.postFailure);
        m_header->cancel();
    }
    Refresh();
}

void VoucherHeaderScreen::BitBtn6Click()
{
    if (m_state == HeaderState::Browsing) {
        if (m_header->isEmpty())
            return;
        setHeaderState(HeaderState::Editing);
        if (m_header->state() == ResultSet::Browse)
            m_header->edit();
        Refresh();
        return;
    }
    setHeaderState(HeaderState::Browsing);
    m_header->cancel();
    Refresh();
}

void VoucherHeaderScreen::BitBtn1Click()
{
    m_header->first();
    Refresh();
}

void VoucherHeaderScreen::BitBtn2Click()
{
    if (m_header->bof()) {
        m_header->first();
        showInfo(this, QStringLiteral("已到首记录！"));
    } else {
        m_header->prior();
    }
    Refresh();
}

void VoucherHeaderScreen::BitBtn3Click()
{
    if (m_header->eof()) {
        m_header->last();
        showInfo(this, QStringLiteral("已到末记录！"));
    } else {
        m_header->next();
    }
    Refresh();
}

void VoucherHeaderScreen::BitBtn4Click()
{
    m_header->last();
    Refresh();
}

void VoucherHeaderScreen::BitBtn7Click()
{
    const std::optional<QString> answer = inputBox(this, m_texts.findCaption, m_texts.findPrompt, QString());
    if (!answer || answer->isEmpty())
        return;
    if (!m_header->locate(QStringLiteral("pzh"), *answer)) {
        showInfo(this, m_texts.notFound);
        return;
    }
    Refresh();
}

void VoucherHeaderScreen::BitBtn9Click()
{
    close();
}

void VoucherHeaderScreen::done(int result)
{
    // A pending new or edited header is not kept.
    if (m_header->state() == ResultSet::Edit || m_header->state() == ResultSet::Insert)
        m_header->cancel();
    Screen::done(result);
}
