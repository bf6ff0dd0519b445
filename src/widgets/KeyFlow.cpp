#include "widgets/KeyFlow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTextEdit>

namespace {

const char* const kEnterTarget = "jxcEnterTarget";

// The control a focused part belongs to: a combo box's or a date picker's own line edit
// stands for the combo box or the picker.
QWidget* controlOf(QWidget* w)
{
    for (QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
        if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p))
            w = p;
    return w;
}

bool keepsOwnEnter(QWidget* w)
{
    for (; w; w = w->parentWidget())
        if (qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QAbstractItemView*>(w))
            return true;
    return false;
}

// A box the operator types into or ticks.
bool isBox(QWidget* w)
{
    if (!w->isEnabled() || !w->isVisible() || !(w->focusPolicy() & Qt::TabFocus))
        return false;
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return !edit->isReadOnly();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w))
        return !spin->isReadOnly();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        return !plain->isReadOnly();
    if (auto* rich = qobject_cast<QTextEdit*>(w))
        return !rich->isReadOnly();
    return qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
}

// The next box after `control` in the tab order; nullptr when it is the last one.
QWidget* nextBox(QWidget* dialog, QWidget* control)
{
    QWidget* w = control;
    for (int steps = 0; steps < 1000; ++steps) {
        w = w->nextInFocusChain();
        if (!w || w == control || w == dialog)
            return nullptr;
        if (w->window() != dialog || control->isAncestorOf(w))
            continue;
        QWidget* candidate = controlOf(w);
        if (candidate != control && isBox(candidate))
            return candidate;
    }
    return nullptr;
}

class KeyFlow : public QObject {
public:
    KeyFlow(QWidget* dialog, QAbstractButton* ok, QAbstractButton* escape)
        : QObject(dialog), m_dialog(dialog), m_ok(ok), m_escape(escape)
    {
        dialog->installEventFilter(this);
        for (QWidget* w : dialog->findChildren<QWidget*>())
            if (w->focusPolicy() != Qt::NoFocus)
                w->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (mods != Qt::NoModifier)
            return false;
        if (key->key() == Qt::Key_Escape)
            return watched == m_dialog && pressEscape();
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus->window() != m_dialog || keepsOwnEnter(focus))
            return false;
        QWidget* control = controlOf(focus);
        if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->view()->isVisible())
            return false; // Enter picks from the open list
        if (auto* button = qobject_cast<QAbstractButton*>(control);
            button && !qobject_cast<QCheckBox*>(button) && !qobject_cast<QRadioButton*>(button)) {
            if (button == m_ok && button->isEnabled())
                button->click();
            return true;
        }
        QWidget* target = control->property(kEnterTarget).value<QWidget*>();
        if (!target || !isBox(target))
            target = nextBox(m_dialog, control);
        if (target) {
            target->setFocus(Qt::TabFocusReason);
            return true;
        }
        pressOk();
        return true;
    }

private:
    bool pressEscape()
    {
        if (!m_escape || !m_escape->isEnabled())
            return false;
        m_escape->click();
        return true;
    }

    // The last box is left first, so its leave-handling runs before "确定".
    void pressOk()
    {
        if (!m_ok || !m_ok->isEnabled())
            return;
        QPointer<QAbstractButton> ok = m_ok;
        ok->setFocus(Qt::TabFocusReason);
        if (ok && ok->isEnabled())
            ok->click();
    }

    QWidget* m_dialog;
    QPointer<QAbstractButton> m_ok;
    QPointer<QAbstractButton> m_escape;
};

} // namespace

void enterMovesOn(QWidget* dialog, QAbstractButton* ok, QAbstractButton* escape)
{
    new KeyFlow(dialog, ok, escape);
}

void setEnterTarget(QWidget* from, QWidget* to)
{
    from->setProperty(kEnterTarget, QVariant::fromValue(to));
}
