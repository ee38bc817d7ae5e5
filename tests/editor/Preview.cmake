# The preview thread against a fake host whose event queue the test drains.
# EventQueue has no Qt in it, so its source is compiled in directly.
vantrel_add_test(vantrel_preview_thread_tests TSAN
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PreviewThreadTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/PreviewGridTest.cpp
          ${CMAKE_SOURCE_DIR}/src/platform/qt/EventQueue.cpp
  LIBS vantrel_editor_model)
set_target_properties(vantrel_preview_thread_tests PROPERTIES AUTOMOC OFF)
