target_sources(jxccore PRIVATE
  src/ledger/StockAlarmScreen.h src/ledger/StockAlarmScreen.cpp
  src/ledger/OverdueAlarmScreen.h src/ledger/OverdueAlarmScreen.cpp
  src/ledger/OpenItemsScreen.h src/ledger/OpenItemsScreen.cpp
  src/ledger/PriceQueryScreen.h src/ledger/PriceQueryScreen.cpp
  src/ledger/RankingScreen.h src/ledger/RankingScreen.cpp
  src/ledger/JournalScreen.h src/ledger/JournalScreen.cpp
  src/ledger/GoodsJournalScreen.h src/ledger/GoodsJournalScreen.cpp
  src/ledger/CashJournalScreen.h src/ledger/CashJournalScreen.cpp
  src/ledger/BooksCheck.h src/ledger/BooksCheck.cpp
  src/ledger/BooksCheckScreen.h src/ledger/BooksCheckScreen.cpp
  src/ledger/LossExpenseBook.h src/ledger/LossExpenseBook.cpp
  src/ledger/LinesVoucherScreen.h src/ledger/LinesVoucherScreen.cpp
  src/ledger/LossVoucherScreen.h src/ledger/LossVoucherScreen.cpp
  src/ledger/ExpenseVoucherScreen.h src/ledger/ExpenseVoucherScreen.cpp
)
