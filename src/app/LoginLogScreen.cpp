#include "app/LoginLogScreen.h"

#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "widgets/Controls.h"
#include "widgets/DBGrid.h"
#include "widgets/ErrorHandler.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

TForm56::TForm56(QWidget* parent) : Screen(parent, QStringLiteral("Form56"), QStringLiteral("查询日志"))
{
    resize(520, 400);

    GroupBox1 = makeGroup(this, QStringLiteral("GroupBox1"), QStringLiteral("查询日志"));
    Label1 = makeLabel(GroupBox1, QStringLiteral("Label1"), QStringLiteral("操作员 "));
    ComboBox1 = makeCombo(GroupBox1, QStringLiteral("ComboBox1"));
    DateTimePicker1 = makeDatePicker(GroupBox1, QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setCalendarPopup(false);
    Label2 = makeLabel(GroupBox1, QStringLiteral("Label2"), QStringLiteral("至"));
    DateTimePicker2 = makeDatePicker(GroupBox1, QStringLiteral("DateTimePicker2"));
    DateTimePicker2->setCalendarPopup(false);
    BitBtn1 = makeButton(GroupBox1, QStringLiteral("BitBtn1"), QStringLiteral("查询"));
    BitBtn2 = makeButton(GroupBox1, QStringLiteral("BitBtn2"), QStringLiteral("退出"));
    m_source = new DataSource(this);
    DBGrid1 = new DBGrid(this, QStringLiteral("DBGrid1"), m_source);

    auto* fields = new QHBoxLayout(GroupBox1);
    fields->addWidget(Label1);
    fields->addWidget(ComboBox1);
    fields->addWidget(DateTimePicker1);
    fields->addWidget(Label2);
    fields->addWidget(DateTimePicker2);
    fields->addWidget(BitBtn1);
    fields->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(DBGrid1);

    onClick(BitBtn1, this, &TForm56::BitBtn1Click);
    onClick(BitBtn2, this, &TForm56::BitBtn2Click);
}

void TForm56::FormShow()
{
    ResultSet names;
    names.open(QStringLiteral("select czymc from J_czyb"));
    QStringList items;
    for (int row = 0; row < names.recordCount(); ++row)
        items << displayText(names.valueAt(row, 0));
    ComboBox1->addItems(items);
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());
    ADOQuery1 = new ResultSet(this);
    m_source->setDataSet(ADOQuery1);
}

void TForm56::BitBtn1Click()
{
    // The last day counts whole: logins before the start of the following day.
    ADOQuery1->open(QStringLiteral("select rzrq as 登陆日期,czy as 操作员 from J_rzb where czy=") +
                    quoted(ComboBox1->currentText()) + QStringLiteral("\nand rzrq>=#") +
                    shortDate(DateTimePicker1->date()) + QStringLiteral("# and rzrq<#") +
                    shortDate(DateTimePicker2->date().addDays(1)) + QStringLiteral("# order by rzrq"));
}

void TForm56::BitBtn2Click()
{
    close();
}
