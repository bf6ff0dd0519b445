#pragma once
// Work that may run long (an export, a summary): once it has taken about a second, a
// progress dialog shows how far it got and offers to cancel. Short work shows nothing.
#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

// Thrown by the work when the operator cancelled it; whoever started the work undoes what it
// began and reports nothing.
struct WorkCancelled {};

class LongWork {
public:
    LongWork(QWidget* parent, const QString& label, int steps);
    ~LongWork();
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;

    // `done` of the steps are finished. Throws WorkCancelled once the operator cancelled.
    void step(int done);

    // How long work runs before the dialog shows (about a second); tests shorten it.
    static void setDelay(int milliseconds);
    // Runs as the dialog shows (tests answer it there); empty: nothing.
    static void setShownHook(std::function<void(QProgressDialog*)> hook);

private:
    QWidget* m_parent;
    QString m_label;
    int m_steps;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};
