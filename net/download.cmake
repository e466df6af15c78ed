target_sources(tl_net PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/file_download.cpp
  ${CMAKE_CURRENT_LIST_DIR}/address_resolve.cpp)
