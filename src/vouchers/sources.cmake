target_sources(jxccore PRIVATE
  src/vouchers/VoucherKind.h src/vouchers/VoucherKind.cpp
  src/vouchers/VoucherNumber.h src/vouchers/VoucherNumber.cpp
  src/vouchers/VoucherBook.h src/vouchers/VoucherBook.cpp
  src/vouchers/VoucherScreen.h src/vouchers/VoucherScreen.cpp
  src/vouchers/VoucherDialogs.h src/vouchers/VoucherDialogs.cpp
  src/vouchers/PurchaseVoucherScreen.h src/vouchers/PurchaseVoucherScreen.cpp
)
include(src/vouchers/print.cmake)
