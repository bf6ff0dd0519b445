target_sources(jxccore PRIVATE
)
