target_sources(jxccore PRIVATE
  src/app/AppState.h src/app/AppState.cpp
)
