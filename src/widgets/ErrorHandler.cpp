#include "widgets/ErrorHandler.h"

#include "db/Errors.h"
#include "widgets/MessageBoxes.h"

#include <QFocusEvent>
#include <QLibraryInfo>
#include <QTranslator>

void reportCurrentException(QWidget* parent)
{
    QString text;
    try {
        throw;
    } catch (const AppError& e) {
        text = e.text();
    } catch (const std::exception& e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("未知错误");
    }
    showError(parent, text);
}

JxcApplication::JxcApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Qt's own boxes and dialogs (buttons, file dialogs, print preview) speak Chinese too.
    auto* qtTexts = new QTranslator(this);
    if (qtTexts->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
    else
        delete qtTexts;
}

bool JxcApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        QWidget* parent = QApplication::activeModalWidget();
        if (!parent)
            parent = QApplication::activeWindow();
        reportCurrentException(parent);
        return true;
    }
}

namespace {
// One per widget, so the order is fixed: the widget's own steps (a data-aware box writing
// its field), then the screen's handlers; when a step fails, the rest do not run.
class FocusHub : public QObject {
public:
    explicit FocusHub(QWidget* widget) : QObject(widget), m_widget(widget)
    {
        widget->installEventFilter(this);
    }

    static FocusHub* of(QWidget* widget)
    {
        for (QObject* child : widget->children())
            if (auto* hub = dynamic_cast<FocusHub*>(child))
                return hub;
        return new FocusHub(widget);
    }

    std::vector<std::function<void()>> check, before, exit, enter;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_widget || (event->type() != QEvent::FocusOut && event->type() != QEvent::FocusIn))
            return false;
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        const bool out = event->type() == QEvent::FocusOut;
        guarded(m_widget->window(), [&] {
            if (out) {
                for (const auto& step : check)
                    step();
                for (const auto& step : before)
                    step();
            }
            for (const auto& handler : out ? exit : enter)
                handler();
        });
        return false;
    }

private:
    QWidget* m_widget;
};
} // namespace

void onExit(QWidget* widget, std::function<void()> handler)
{
    FocusHub::of(widget)->exit.push_back(std::move(handler));
}

void onEnter(QWidget* widget, std::function<void()> handler)
{
    FocusHub::of(widget)->enter.push_back(std::move(handler));
}

void checkOnExit(QWidget* widget, std::function<void()> step)
{
    FocusHub::of(widget)->check.push_back(std::move(step));
}

void beforeExit(QWidget* widget, std::function<void()> step)
{
    FocusHub::of(widget)->before.push_back(std::move(step));
}
