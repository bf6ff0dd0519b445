#pragma once
// Drives the modal boxes and dialogs a user action opens, the way Qt's own message box
// tests do: a timer finds QApplication::activeModalWidget() and answers it.
//
//   ModalScript script;
//   script.expectBox("提示", "无此操作员代码！");
//   script.onDialog("TForm9", [](QWidget* d) { type(child<QLineEdit>(d, "Edit1"), "01"); ... });
//   click(BitBtn1);          // returns once every modal it opened is closed
//   script.verify();
//
// Steps are answered in order, also when one modal opens another. A modal that does not
// match the next step (or appears with no script at all) fails the test and is closed, so
// tests never hang; so is a handled dialog still open after the timeout. verify() fails
// for each step that never appeared.
#include "support/QtPrinters.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <functional>
#include <optional>

class ModalScript {
public:
    ModalScript();
    ~ModalScript(); // verifies when verify() was not called
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // A message box with this caption and text, answered with the button.
    // icon NoIcon: any icon.
    ModalScript& expectBox(const QString& caption, const QString& text,
                           QMessageBox::StandardButton answer = QMessageBox::Ok,
                           QMessageBox::Icon icon = QMessageBox::NoIcon);
    // The top-level error handler's box with this text.
    ModalScript& expectError(const QString& text);
    // The error box whatever its text (an engine's message); the text is kept in *text.
    ModalScript& expectAnyError(QString* text = nullptr);
    // An information box 「提示」 whatever its text (one naming a file); the text is kept in *text.
    ModalScript& expectInfoBox(QString* text = nullptr);
    // The input box; nullopt answers Cancel.
    ModalScript& answerInput(const QString& caption, const QString& prompt,
                             std::optional<QString> answer);
    // A dialog whose objectName or class name is `name`; the handler fills it and closes it
    // (normally by clicking its button).
    ModalScript& onDialog(const QString& name, std::function<void(QWidget*)> handler);

    // Waits up to timeoutMs for the remaining steps; false (and a failure per step) when
    // some never appeared.
    bool verify(int timeoutMs = 5000);
    bool done() const { return m_steps.empty(); }
    // What appeared, in order, as "caption: text" or the dialog's name.
    const QStringList& seen() const { return m_seen; }

private:
    friend class ModalDriver;
    struct Step {
        QString description;
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> answer;
    };
    std::deque<Step> m_steps;
    QStringList m_seen;
    bool m_verified = false;
};

// The timer behind ModalScript; started by the test main, it also closes (and reports)
// modals that appear while no script is waiting.
class ModalDriver : public QObject {
public:
    static ModalDriver& instance();
    void start();
    void push(ModalScript* script);
    void pop(ModalScript* script);
    int timeoutMs = 5000;

private:
    ModalDriver() = default;
    void tick();
    void handle(QWidget* modal);

    std::vector<ModalScript*> m_scripts;
    QList<QPointer<QWidget>> m_handled; // answered or dismissed, expected to close
    QPointer<QWidget> m_active;         // the modal on top at the last tick
    qint64 m_activeSince = 0;
    bool m_started = false;
};

// How a modal is described in failures: "box 「提示」 text" or "dialog TForm9".
QString describeModal(QWidget* modal);
// Closes a modal without answering it: Cancel (or Escape) for boxes, reject() for dialogs.
void dismissModal(QWidget* modal);
