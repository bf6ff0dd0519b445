#include "ledger/BooksCheckScreen.h"

#include "db/Database.h"
#include "db/SqlText.h"
#include "ledger/BooksCheck.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"
#include "widgets/StatusBar.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The findings as rows of a query, so the grid and the export show them like any other list.
QString findingsSql(const std::vector<BooksDisagreement>& found)
{
    if (found.empty())
        return QStringLiteral("select '' as 项目,'' as 位置,0 as 账面数,0 as 核对数 from J_zjb where 1=0");
    QStringList rows;
    for (const BooksDisagreement& d : found)
        rows << QStringLiteral("select %1 as 项目,%2 as 位置,%3 as 账面数,%4 as 核对数 from J_zjb")
                    .arg(quoted(d.what), quoted(d.where), numText(round2(d.booked)), numText(round2(d.reckoned)));
    return rows.join(QStringLiteral("\nunion all\n"));
}

} // namespace

TForm58::TForm58(QWidget* parent) : QueryScreen(parent, QStringLiteral("Form58"), QStringLiteral("账目核对"))
{
    resize(720, 420);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    DBGrid1 = addGrid(this, QStringLiteral("DBGrid1"));
    BitBtn1 = exportButton(this, QStringLiteral("BitBtn1"));
    BitBtn2 = exitButton(this, QStringLiteral("BitBtn2"));
    auto* box = new QVBoxLayout(this);
    box->addWidget(Label1);
    box->addWidget(DBGrid1);
    box->addLayout(buttonRow({BitBtn1, BitBtn2}, Qt::AlignRight));
    StatusBar1 = statusBar();

    onClick(BitBtn1, this, &TForm58::BitBtn1Click);
}

void TForm58::FormShow()
{
    StatusBar1->fill();
    const std::vector<BooksDisagreement> found = checkBooks(Database::shared());
    if (found.empty()) {
        Label1->setText(QStringLiteral("账目核对无误"));
    } else {
        Label1->setText(QStringLiteral("账目不符之处：%1").arg(found.size()));
        Label1->setStyleSheet(QStringLiteral("color: red"));
    }
    showRows(DBGrid1, findingsSql(found));
    DBGrid1->setColumnWidth(0, 320); // the findings are sentences
}

void TForm58::BitBtn1Click()
{
    exportRows(QStringLiteral("TForm58"));
}
