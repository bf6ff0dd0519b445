target_sources(jxccore PRIVATE
  src/ledger/AlarmScreen.h src/ledger/AlarmScreen.cpp
  src/ledger/StockAlarmScreen.h src/ledger/StockAlarmScreen.cpp
  src/ledger/OverdueAlarmScreen.h src/ledger/OverdueAlarmScreen.cpp
)
