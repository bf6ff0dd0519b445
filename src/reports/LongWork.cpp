#include "reports/LongWork.h"

#include <QProgressDialog>

namespace {
int g_delay = 1000;
std::function<void(QProgressDialog*)> g_shown;
}

LongWork::LongWork(QWidget* parent, const QString& label, int steps) : m_parent(parent), m_label(label), m_steps(steps)
{
    m_clock.start();
}

LongWork::~LongWork() = default;

void LongWork::setDelay(int milliseconds)
{
    g_delay = milliseconds;
}

void LongWork::setShownHook(std::function<void(QProgressDialog*)> hook)
{
    g_shown = std::move(hook);
}

void LongWork::step(int done)
{
    if (!m_dialog) {
        if (m_clock.elapsed() < g_delay)
            return;
        m_dialog = std::make_unique<QProgressDialog>(m_label, QStringLiteral("取消"), 0, m_steps, m_parent);
        m_dialog->setObjectName(QStringLiteral("LongWork"));
        m_dialog->setWindowTitle(QStringLiteral("提示"));
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->show();
        if (g_shown)
            g_shown(m_dialog.get());
    }
    // A modal dialog's value change lets the events in, the cancel button's click among them.
    m_dialog->setValue(qBound(0, done, m_steps));
    if (m_dialog->wasCanceled())
        throw WorkCancelled{};
}
