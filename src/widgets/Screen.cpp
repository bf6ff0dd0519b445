#include "widgets/Screen.h"

#include "widgets/ErrorHandler.h"

#include <QHBoxLayout>
#include <QPushButton>

Screen::Screen(QWidget* parent, const QString& name, const QString& caption) : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
}

void Screen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    guarded(this, [this] { FormShow(); });
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons, Qt::Alignment align)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    if (!(align & Qt::AlignRight))
        row->addStretch();
    return row;
}

