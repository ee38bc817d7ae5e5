# The document window on the offscreen platform, with scripted dialogs.
# TSAN: these programs start preview threads, so they also run under
# ThreadSanitizer.
vantrel_qt_test_main()
vantrel_add_test(vantrel_editor_window_test QT TSAN
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DrawingWindowTest.cpp
  LIBS vantrel_editor vantrel_qt_test_main Qt6::Test)
target_include_directories(vantrel_editor_window_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
# The canvas tools, driven with mouse events on the offscreen platform.
vantrel_add_test(vantrel_editor_tools_test QT TSAN
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ToolsTest.cpp
  LIBS vantrel_editor vantrel_qt_test_main Qt6::Test)
target_include_directories(vantrel_editor_tools_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
# The live preview through the window: status line, bar, Stop, restarts, closing.
vantrel_add_test(vantrel_editor_preview_window_test QT TSAN
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PreviewWindowTest.cpp
  LIBS vantrel_editor vantrel_qt_test_main Qt6::Test)
target_include_directories(vantrel_editor_preview_window_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
