target_sources(jxccore PRIVATE
)
include(src/vouchers/print.cmake)
