target_sources(jxccore PRIVATE
  src/db/Errors.h
  src/db/ProgramState.h src/db/ProgramState.cpp
  src/db/SqlText.h src/db/SqlText.cpp
  src/db/JetSql.h src/db/JetSql.cpp
  src/db/Database.h src/db/Database.cpp
  src/db/BookingStatements.h src/db/BookingStatements.cpp
  src/db/ResultSet.h src/db/ResultSet.cpp
  src/db/Schema.h src/db/Schema.cpp
  src/db/Backup.h src/db/Backup.cpp
)
