# The point commands and the Scale dialog, on the offscreen platform.
if(NOT TARGET vantrel_qt_test_main)
  # A partial build without tests/platform/qt: the same entry point, built here.
  add_library(vantrel_qt_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/platform/qt/QtTestMain.cpp)
  target_link_libraries(vantrel_qt_test_main PUBLIC GTest::gtest Qt6::Widgets)
endif()
vantrel_add_test(vantrel_editor_commands_test QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CommandsTest.cpp
  LIBS vantrel_editor vantrel_qt_test_main Qt6::Test)
target_include_directories(vantrel_editor_commands_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
