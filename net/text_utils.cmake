# Header, cookie, address and code-page text routines.
target_sources(tl_net PRIVATE ${CMAKE_CURRENT_LIST_DIR}/text_utils.cpp)
