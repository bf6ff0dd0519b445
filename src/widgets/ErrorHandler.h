#pragma once
// The top-level error handler: any failure a screen does not handle itself ends the
// operation and shows its text in the error box; the screen stays open.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QObject>
#include <QWidget>

#include <exception>
#include <functional>
#include <type_traits>

// Shows the text of the current exception in the error box. Call from a catch block.
void reportCurrentException(QWidget* parent);

// Runs f; a thrown error is shown in the error box. True when f finished without one.
template <class F>
bool guarded(QWidget* parent, F&& f)
{
    try {
        std::invoke(std::forward<F>(f));
        return true;
    } catch (...) {
        reportCurrentException(parent);
        return false;
    }
}

// Catches whatever escapes an event handler, so no error ends the program. Loads Qt's own
// Chinese translation (qtbase_zh_CN) from Qt's translations folder when it is installed.
class JxcApplication : public QApplication {
public:
    JxcApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

namespace detail {
template <class T>
QWidget* guardParent(T* receiver, QObject* sender)
{
    if constexpr (std::is_base_of_v<QWidget, T>)
        return receiver;
    else if (auto* w = qobject_cast<QWidget*>(sender))
        return w->window();
    return nullptr;
}
} // namespace detail

// connect() through the guard. The handler takes the signal's arguments or none.
template <class Sender, class Signal, class T, class Handler>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, T* receiver, Handler handler)
{
    return QObject::connect(sender, signal, receiver, [sender, receiver, handler](auto... args) {
        guarded(detail::guardParent(receiver, sender), [&] {
            if constexpr (std::is_invocable_v<Handler, T*, decltype(args)...>)
                std::invoke(handler, receiver, args...);
            else
                std::invoke(handler, receiver);
        });
    });
}

// onClick(BitBtn5, this, &TForm8::BitBtn5Click)
template <class T, class Handler>
QMetaObject::Connection onClick(QAbstractButton* button, T* receiver, Handler handler)
{
    return QObject::connect(button, &QAbstractButton::clicked, receiver, [button, receiver, handler] {
        guarded(detail::guardParent(receiver, button), [&] { std::invoke(handler, receiver); });
    });
}

// A menu entry: onTriggered(N6, this, &TForm1::N6Click)
template <class T, class Handler>
QMetaObject::Connection onTriggered(QAction* action, T* receiver, Handler handler)
{
    return QObject::connect(action, &QAction::triggered, receiver, [action, receiver, handler] {
        guarded(detail::guardParent(receiver, action), [&] { std::invoke(handler, receiver); });
    });
}

// Runs the handler when the widget loses (onExit) or gains (onEnter) the focus within its
// window; a window merely losing activation (a message box appearing) does not count.
// Handlers run guarded, in the order they were added.
void onExit(QWidget* widget, std::function<void()> handler);
void onEnter(QWidget* widget, std::function<void()> handler);
// A control's own step on leaving it, run before the screen's exit handlers; when it
// throws, the error is shown and the exit handlers do not run.
void beforeExit(QWidget* widget, std::function<void()> step);
// A check of what the box holds, run before even the control's own step; when it throws,
// nothing else of leaving the box runs.
void checkOnExit(QWidget* widget, std::function<void()> step);

template <class T, class Handler>
void onExit(QWidget* widget, T* receiver, Handler handler)
{
    onExit(widget, [receiver, handler] { std::invoke(handler, receiver); });
}

template <class T, class Handler>
void onEnter(QWidget* widget, T* receiver, Handler handler)
{
    onEnter(widget, [receiver, handler] { std::invoke(handler, receiver); });
}
