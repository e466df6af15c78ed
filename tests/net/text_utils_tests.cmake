# Header, cookie, address and code-page text routines (the non-ASCII filter runs the
# platform's regular-expression component).
tl_add_test(text_utils_test ${CMAKE_CURRENT_LIST_DIR}/text_utils_test.cpp LIBS tl_net tl_text LABELS text)
