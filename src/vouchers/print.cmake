target_sources(jxccore PRIVATE
  src/vouchers/VoucherPrintLayout.h src/vouchers/VoucherPrintLayout.cpp
  src/vouchers/VoucherPrintDraw.h src/vouchers/VoucherPrintDraw.cpp
  src/vouchers/VoucherPrintForm.h src/vouchers/VoucherPrintForm.cpp
)
