vantrel_add_test(vantrel_dialogs_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DialogsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DesktopServicesTest.cpp
  QT
  LIBS vantrel_platform_qt vantrel_qt_test_main Qt6::Test)
