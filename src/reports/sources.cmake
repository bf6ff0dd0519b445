target_sources(jxccore PRIVATE
  src/reports/SpreadsheetExport.h src/reports/SpreadsheetExport.cpp
  src/reports/QueryScreen.h src/reports/QueryScreen.cpp
  src/reports/LongWork.h src/reports/LongWork.cpp
  src/reports/StockSummaryScreen.h src/reports/StockSummaryScreen.cpp
  src/reports/VoucherSummaryScreen.h src/reports/VoucherSummaryScreen.cpp
  src/reports/SummaryReportScreen.h src/reports/SummaryReportScreen.cpp
  src/reports/ChartScreen.h src/reports/ChartScreen.cpp
  src/reports/CategorySummaryScreen.h src/reports/CategorySummaryScreen.cpp
)
