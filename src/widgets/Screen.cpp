#include "widgets/Screen.h"

#include "widgets/Controls.h"
#include "widgets/ErrorHandler.h"

#include <QGridLayout>
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

QGridLayout* labelledFields(QWidget* screen, const QList<QWidget*>& fields, const QStringList& labels, int rows,
                            int span)
{
    auto* grid = new QGridLayout;
    for (int i = 0; i < fields.size(); ++i) {
        grid->addWidget(makeLabel(screen, QStringLiteral("Label%1").arg(i + 1), labels.value(i)), i % rows,
                        (i / rows) * span, Qt::AlignRight);
        grid->addWidget(fields[i], i % rows, (i / rows) * span + 1);
    }
    return grid;
}
