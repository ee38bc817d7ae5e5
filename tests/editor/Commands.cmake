# The point commands and the Scale dialog, on the offscreen platform.
vantrel_qt_test_main()
vantrel_add_test(vantrel_editor_commands_test QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CommandsTest.cpp
  LIBS vantrel_editor vantrel_qt_test_main Qt6::Test)
target_include_directories(vantrel_editor_commands_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
