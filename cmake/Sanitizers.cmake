if(KESTRIN_SANITIZE)
  add_compile_options(-fsanitize=${KESTRIN_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${KESTRIN_SANITIZE})
endif()
# The fuzz build instruments every library for coverage, so that libFuzzer sees the code under
# test and not only the fuzz targets themselves.
if(KESTRIN_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
