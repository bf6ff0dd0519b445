#include "app/MenuTable.h"

#include "db/ProgramState.h"
#include "app/InitializationScreen.h"
#include "app/LoginLogScreen.h"
#include "app/OperatorScreen.h"
#include "ledger/BooksCheckScreen.h"
#include "ledger/CashJournalScreen.h"
#include "ledger/ExpenseVoucherScreen.h"
#include "ledger/GoodsJournalScreen.h"
#include "ledger/LossVoucherScreen.h"
#include "ledger/OpenItemsScreen.h"
#include "ledger/PriceQueryScreen.h"
#include "ledger/RankingScreen.h"
#include "ledger/StockAlarmScreen.h"
#include "master/CategoryScreen.h"
#include "reports/CategorySummaryScreen.h"
#include "reports/StockSummaryScreen.h"
#include "reports/SummaryReportScreen.h"
#include "reports/VoucherSummaryScreen.h"
#include "master/CompanyScreen.h"
#include "master/EmployeeListScreen.h"
#include "master/GoodsListScreen.h"
#include "master/PartnerListScreen.h"
#include "master/WorkingCapitalScreen.h"
#include "vouchers/TradeVoucherScreens.h"

const std::vector<MenuScreen>& menuScreens()
{
    static const std::vector<MenuScreen> rows = {
        {"N18", [](QWidget* parent) {
             myvar::goodsPickMode = 0; // from the menu the goods list picks for no one
             openModal<TForm6>(parent);
         }},
        {"N11", openModal<TForm50>},
        {"N2", openModal<TForm3>},
        {"N16", openModal<TForm20>},
        {"N33", openModal<TForm51>},
        {"N4", openModal<TForm4>},
        {"N41", openModal<TForm53>},
        {"N30", openModal<TForm32>},
        {"N28", openModal<TForm23>},
        {"N29", openModal<TForm24>},
        {"N24", openModal<TForm46>},
        {"N32", openModal<TForm47>},
        {"N31", openModal<TForm30>},
        {"N14", openModal<TForm33>},
        {"N15", openModal<TForm34>},
        {"N37", openModal<TForm36>},
        {"N44", openModal<TForm56>},
        {"N6", openModal<TForm8>},
        {"N21", openModal<TForm18>},
        {"N22", openModal<TForm16>},
        {"N7", openModal<TForm11>},
        {"N9", openModal<TForm14>},
        {"N10", openModal<TForm15>},
        {"N51", openModal<TForm58>},
        {"N12", openModal<TForm21>},
        {"N45", openModal<TForm54>},
        {"N46", openModal<TForm55>},
        {"N26", openModal<TForm22>},
        {"N13", openModal<TForm31>},
        {"N47", openModal<TForm57>},
    };
    return rows;
}

OpenScreen screenFor(const QString& entry)
{
    for (const MenuScreen& row : menuScreens())
        if (entry == QLatin1String(row.entry))
            return row.open;
    return nullptr;
}
