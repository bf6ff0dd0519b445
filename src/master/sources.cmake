target_sources(jxccore PRIVATE
  src/master/TreeFile.h src/master/TreeFile.cpp
)
