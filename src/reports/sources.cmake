target_sources(jxccore PRIVATE
  src/reports/SpreadsheetExport.h src/reports/SpreadsheetExport.cpp
  src/reports/QueryScreen.h src/reports/QueryScreen.cpp
)
