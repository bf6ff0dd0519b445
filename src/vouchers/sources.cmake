target_sources(jxccore PRIVATE
  src/vouchers/VoucherHeader.h src/vouchers/VoucherHeader.cpp
  src/vouchers/VoucherKind.h src/vouchers/VoucherKind.cpp
  src/vouchers/VoucherNumber.h src/vouchers/VoucherNumber.cpp
  src/vouchers/VoucherBook.h src/vouchers/VoucherBook.cpp
  src/vouchers/VoucherScreen.h src/vouchers/VoucherScreen.cpp
  src/vouchers/ArticleLineDialog.h src/vouchers/ArticleLineDialog.cpp
  src/vouchers/VoucherDialogs.h src/vouchers/VoucherDialogs.cpp
  src/vouchers/TradeVoucherScreens.h
)
include(src/vouchers/print.cmake)
