#include "widgets/StatusBar.h"

#include "db/ProgramState.h"

#include <QBoxLayout>
#include <QDate>
#include <QGridLayout>

StatusBar::StatusBar(QWidget* parent, const QString& name) : QStatusBar(parent)
{
    setObjectName(name);
    setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("%1Panel%2").arg(name).arg(i));
        addWidget(m_panels[i], i == 2 ? 1 : 0);
    }
    // A label sized before its text is set would show a single character of it.
    m_panels[0]->setMinimumWidth(m_panels[0]->fontMetrics().horizontalAdvance(QStringLiteral("操作员:")) + 8);
    m_panels[1]->setAlignment(Qt::AlignCenter);
    m_panels[1]->setMinimumWidth(120);
}

QString StatusBar::panelText(int panel) const
{
    return panel >= 0 && panel < 3 ? m_panels[panel]->text() : QString();
}

void StatusBar::setPanelText(int panel, const QString& text)
{
    if (panel >= 0 && panel < 3)
        m_panels[panel]->setText(text);
}

void StatusBar::fill()
{
    setPanelText(0, QStringLiteral("操作员:"));
    setPanelText(1, myvar::operatorName);
    setPanelText(2, statusDate(QDate::currentDate()));
}

QString statusDate(const QDate& date)
{
    return QStringLiteral("%1年%2月%3日    ").arg(date.year()).arg(date.month()).arg(date.day());
}

StatusBar* addStatusBar(QWidget* screen, bool filled)
{
    auto* bar = new StatusBar(screen);
    if (auto* box = qobject_cast<QBoxLayout*>(screen->layout()))
        box->addWidget(bar);
    else if (auto* grid = qobject_cast<QGridLayout*>(screen->layout()))
        grid->addWidget(bar, grid->rowCount(), 0, 1, grid->columnCount());
    if (filled)
        bar->fill();
    return bar;
}
