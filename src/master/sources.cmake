target_sources(jxccore PRIVATE
  src/master/TreeFile.h src/master/TreeFile.cpp
  src/master/GoodsListScreen.h src/master/GoodsListScreen.cpp
  src/master/GoodsEntryScreen.h src/master/GoodsEntryScreen.cpp
  src/master/WorkingCapitalScreen.h src/master/WorkingCapitalScreen.cpp
  src/master/CodeListGroup.h src/master/CodeListGroup.cpp
  src/master/CompanyScreen.h src/master/CompanyScreen.cpp
  src/master/CategoryScreen.h src/master/CategoryScreen.cpp
  src/master/EntryScreen.h src/master/EntryScreen.cpp
  src/master/CategoryTreeParts.h src/master/CategoryTreeParts.cpp
  src/master/PartnerListScreen.h src/master/PartnerListScreen.cpp
  src/master/PartnerEntryScreen.h src/master/PartnerEntryScreen.cpp
  src/master/EmployeeListScreen.h src/master/EmployeeListScreen.cpp
  src/master/EmployeeEntryScreen.h src/master/EmployeeEntryScreen.cpp
)
