#include "master/EntryScreen.h"

#include "widgets/Controls.h"
#include "widgets/KeyFlow.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

EntryScreen::EntryScreen(QWidget* parent, const QString& name, const QString& caption, bool adding,
                         ResultSet* listRows)
    : Screen(parent, name, caption), m_adding(adding), m_listRows(listRows)
{
}

void EntryScreen::layOutEntry(QLayout* fields, const QString& closeCaption)
{
    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("确定"));
    BitBtn2 = makeButton(this, QStringLiteral("BitBtn2"), closeCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttonRow({BitBtn1, BitBtn2}, Qt::AlignRight));
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::close);
    enterMovesOn(this, BitBtn1, BitBtn2);
}
