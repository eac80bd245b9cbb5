# The session and the record texts, tested with no Qt: the desktop build and the core-only build
# both run them.
find_package(GTest QUIET)
if(GTest_FOUND)
  file(GLOB SESSION_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/session/*.cpp)
  add_executable(orbisk_session_tests ${SESSION_TEST_SOURCES})
  target_link_libraries(orbisk_session_tests PRIVATE orbisk_session GTest::gtest
                                                     GTest::gtest_main)
  add_test(NAME session COMMAND orbisk_session_tests)
endif()
