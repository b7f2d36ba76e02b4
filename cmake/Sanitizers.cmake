if(KESTRIN_SANITIZE)
  add_compile_options(-fsanitize=${KESTRIN_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${KESTRIN_SANITIZE})
endif()
