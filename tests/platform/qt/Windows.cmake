# Windows, controls, canvas, timers, the application: their tests on the
# offscreen platform. The marshalling test also runs under ThreadSanitizer.
vantrel_add_test(vantrel_windows_test QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ControlsTest.cpp
  LIBS vantrel_platform_qt vantrel_qt_test_main Qt6::Test)
vantrel_add_test(vantrel_marshal_test QT TSAN
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MarshalTest.cpp
  LIBS vantrel_platform_qt vantrel_qt_test_main Qt6::Test)
