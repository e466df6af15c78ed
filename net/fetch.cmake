# The two HTTP request routines and what they share: reply cookies, handle owners and the
# character-set conversion of WinHttp bodies.
target_sources(tl_net PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/wininet_fetch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/winhttp_fetch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/charset_convert.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reply_cookies.cpp)
