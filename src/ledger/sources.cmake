target_sources(jxccore PRIVATE
  src/ledger/StockAlarmScreen.h src/ledger/StockAlarmScreen.cpp
  src/ledger/OverdueAlarmScreen.h src/ledger/OverdueAlarmScreen.cpp
  src/ledger/OpenItemsScreen.h src/ledger/OpenItemsScreen.cpp
)
