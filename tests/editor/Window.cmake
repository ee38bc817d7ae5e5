# The document window on the offscreen platform, with scripted dialogs.
if(NOT TARGET vantrel_qt_test_main)
  # A partial build without tests/platform/qt: the same entry point, built here.
  add_library(vantrel_qt_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/platform/qt/QtTestMain.cpp)
  target_link_libraries(vantrel_qt_test_main PUBLIC GTest::gtest Qt6::Widgets)
endif()
vantrel_add_test(vantrel_editor_window_test QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DrawingWindowTest.cpp
  LIBS vantrel_editor vantrel_qt_test_main Qt6::Test)
target_include_directories(vantrel_editor_window_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
# The canvas tools, driven with mouse events on the offscreen platform.
vantrel_add_test(vantrel_editor_tools_test QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ToolsTest.cpp
  LIBS vantrel_editor vantrel_qt_test_main Qt6::Test)
target_include_directories(vantrel_editor_tools_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
# The live preview through the window: status line, bar, Stop, restarts, closing.
vantrel_add_test(vantrel_editor_preview_window_test QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PreviewWindowTest.cpp
  LIBS vantrel_editor vantrel_qt_test_main Qt6::Test)
target_include_directories(vantrel_editor_preview_window_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
