#include "support/ModalScript.h"

#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

QString describeModal(QWidget* modal)
{
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        return QStringLiteral("box 「%1」 \"%2\"").arg(box->windowTitle(), box->text());
    if (auto* input = qobject_cast<QInputDialog*>(modal))
        return QStringLiteral("input box 「%1」 \"%2\"").arg(input->windowTitle(), input->labelText());
    const QString name = modal->objectName().isEmpty() ? QString::fromLatin1(modal->metaObject()->className())
                                                         : modal->objectName();
    return QStringLiteral("dialog %1 「%2」").arg(name, modal->windowTitle());
}

void dismissModal(QWidget* modal)
{
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        for (auto which : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
            if (QAbstractButton* b = box->button(which)) {
                b->click();
                return;
            }
        }
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    if (modal->isVisible())
        modal->close();
    if (modal->isVisible())
        modal->hide();
}

ModalScript::ModalScript()
{
    ModalDriver::instance().push(this);
}

ModalScript::~ModalScript()
{
    if (!m_verified)
        verify();
    ModalDriver::instance().pop(this);
}

ModalScript& ModalScript::expectBox(const QString& caption, const QString& text,
                                    QMessageBox::StandardButton answer, QMessageBox::Icon icon)
{
    Step step;
    step.description = QStringLiteral("box 「%1」 \"%2\"").arg(caption, text);
    step.matches = [=](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        return box && box->windowTitle() == caption && box->text() == text
            && (icon == QMessageBox::NoIcon || box->icon() == icon);
    };
    step.answer = [=](QWidget* w) {
        auto* box = static_cast<QMessageBox*>(w);
        QAbstractButton* button = box->button(answer);
        if (!button) {
            ADD_FAILURE() << "the box " << describeModal(w).toStdString() << " has no such button";
            dismissModal(w);
            return;
        }
        button->click();
    };
    m_steps.push_back(std::move(step));
    return *this;
}

ModalScript& ModalScript::expectError(const QString& text)
{
    return expectBox(kErrorCaption, text, QMessageBox::Ok, QMessageBox::Critical);
}

ModalScript& ModalScript::expectAnyError(QString* text)
{
    Step step;
    step.description = QStringLiteral("error box 「%1」").arg(kErrorCaption);
    step.matches = [](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        return box && box->windowTitle() == kErrorCaption && box->icon() == QMessageBox::Critical;
    };
    step.answer = [text](QWidget* w) {
        auto* box = static_cast<QMessageBox*>(w);
        if (text)
            *text = box->text();
        box->button(QMessageBox::Ok)->click();
    };
    m_steps.push_back(std::move(step));
    return *this;
}

ModalScript& ModalScript::expectInfoBox(QString* text)
{
    Step step;
    step.description = QStringLiteral("information box 「%1」").arg(kHintCaption);
    step.matches = [](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        return box && box->windowTitle() == kHintCaption && box->icon() == QMessageBox::Information;
    };
    step.answer = [text](QWidget* w) {
        auto* box = static_cast<QMessageBox*>(w);
        if (text)
            *text = box->text();
        box->button(QMessageBox::Ok)->click();
    };
    m_steps.push_back(std::move(step));
    return *this;
}

ModalScript& ModalScript::answerInput(const QString& caption, const QString& prompt,
                                      std::optional<QString> answer)
{
    Step step;
    step.description = QStringLiteral("input box 「%1」 \"%2\"").arg(caption, prompt);
    step.matches = [=](QWidget* w) {
        auto* input = qobject_cast<QInputDialog*>(w);
        return input && input->windowTitle() == caption && input->labelText() == prompt;
    };
    step.answer = [=](QWidget* w) {
        auto* input = static_cast<QInputDialog*>(w);
        if (answer) {
            input->setTextValue(*answer);
            input->accept();
        } else {
            input->reject();
        }
    };
    m_steps.push_back(std::move(step));
    return *this;
}

ModalScript& ModalScript::onDialog(const QString& name, std::function<void(QWidget*)> handler)
{
    Step step;
    step.description = QStringLiteral("dialog %1").arg(name);
    step.matches = [=](QWidget* w) {
        return !qobject_cast<QMessageBox*>(w)
            && (w->objectName() == name || QString::fromLatin1(w->metaObject()->className()) == name);
    };
    step.answer = std::move(handler);
    m_steps.push_back(std::move(step));
    return *this;
}

bool ModalScript::verify(int timeoutMs)
{
    m_verified = true;
    QElapsedTimer timer;
    timer.start();
    while (!m_steps.empty() && timer.elapsed() < timeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    for (const auto& step : m_steps)
        ADD_FAILURE() << "expected " << step.description.toStdString() << " never appeared; seen: ["
                      << m_seen.join(QStringLiteral("; ")).toStdString() << "]";
    const bool ok = m_steps.empty();
    m_steps.clear();
    return ok;
}

ModalDriver& ModalDriver::instance()
{
    static ModalDriver* driver = new ModalDriver;
    return *driver;
}

void ModalDriver::start()
{
    if (m_started)
        return;
    m_started = true;
    auto* timer = new QTimer(this);
    timer->setInterval(30);
    connect(timer, &QTimer::timeout, this, &ModalDriver::tick);
    timer->start();
}

void ModalDriver::push(ModalScript* script)
{
    start();
    m_scripts.push_back(script);
}

void ModalDriver::pop(ModalScript* script)
{
    std::erase(m_scripts, script);
}

void ModalDriver::tick()
{
    QWidget* modal = QApplication::activeModalWidget();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (modal != m_active) {
        m_active = modal;
        m_activeSince = now;
    }
    if (!modal || !modal->isVisible())
        return;
    m_handled.removeAll(QPointer<QWidget>());
    if (m_handled.contains(modal)) {
        if (now - m_activeSince > timeoutMs) {
            ADD_FAILURE() << describeModal(modal).toStdString() << " was still open " << timeoutMs
                          << " ms after it was answered; closed";
            m_activeSince = now;
            dismissModal(modal);
        }
        return;
    }
    m_handled << modal;
    handle(modal);
}

void ModalDriver::handle(QWidget* modal)
{
    ModalScript* script = m_scripts.empty() ? nullptr : m_scripts.back();
    const QString what = describeModal(modal);
    if (script)
        script->m_seen << what;
    if (!script || script->m_steps.empty() || !script->m_steps.front().matches(modal)) {
        const QString expected = script && !script->m_steps.empty()
            ? script->m_steps.front().description
            : QStringLiteral("nothing");
        ADD_FAILURE() << "unexpected " << what.toStdString() << " (expected " << expected.toStdString()
                      << "); closed";
        QTimer::singleShot(0, modal, [modal] { dismissModal(modal); });
        return;
    }
    auto answer = std::move(script->m_steps.front().answer);
    script->m_steps.pop_front();
    // Answered from a fresh timer event, so this timer keeps running for the modals the
    // answer itself opens.
    QPointer<QWidget> target = modal;
    QTimer::singleShot(0, modal, [target, answer = std::move(answer)] {
        if (!target)
            return;
        try {
            answer(target);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "answering " << describeModal(target).toStdString() << " threw: " << e.what();
            if (target)
                dismissModal(target);
        }
    });
}
