if(KESTRIN_SANITIZE)
  add_compile_options(-fsanitize=${KESTRIN_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${KESTRIN_SANITIZE})
endif()

# Fuzz builds: every library carries the fuzzer's coverage hooks, so the targets see into the
# readers they drive.
if(KESTRIN_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
