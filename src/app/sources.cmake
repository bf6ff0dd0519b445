target_sources(jxccore PRIVATE
  src/app/MenuTable.h src/app/MenuTable.cpp
  src/app/LoginScreen.h src/app/LoginScreen.cpp
  src/app/MainWindow.h src/app/MainWindow.cpp
  src/app/InitializationScreen.h src/app/InitializationScreen.cpp
  src/app/OperatorScreen.h src/app/OperatorScreen.cpp
  src/app/LoginLogScreen.h src/app/LoginLogScreen.cpp
)
