# Tests of the MD5 code, built into core_tests.
target_sources(core_tests PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Md5ContextTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Md5PaddingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MultiMd5Test.cpp
)
