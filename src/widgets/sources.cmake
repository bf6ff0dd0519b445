target_sources(jxccore PRIVATE
  src/widgets/MessageBoxes.h src/widgets/MessageBoxes.cpp
  src/widgets/InputBox.h src/widgets/InputBox.cpp
  src/widgets/ErrorHandler.h src/widgets/ErrorHandler.cpp
  src/widgets/Controls.h src/widgets/Controls.cpp
  src/widgets/DataSource.h src/widgets/DataSource.cpp
  src/widgets/DataControls.h src/widgets/DataControls.cpp
  src/widgets/DBGrid.h src/widgets/DBGrid.cpp
  src/widgets/StatusBar.h src/widgets/StatusBar.cpp
  src/widgets/DatePicking.h src/widgets/DatePicking.cpp
  src/widgets/KeyFlow.h src/widgets/KeyFlow.cpp
  src/widgets/Screen.h src/widgets/Screen.cpp
)
