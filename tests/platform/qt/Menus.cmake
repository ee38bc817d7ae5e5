# The window layer's Quit needs the windows; until they are in the library
# the menu tests get a stand-in that quits nothing.
set(menus_quit_stub "")
if(NOT EXISTS ${CMAKE_SOURCE_DIR}/src/platform/qt/Windows.cmake)
  set(menus_quit_stub ${CMAKE_CURRENT_LIST_DIR}/RequestQuitStandIn.cpp)
endif()

vantrel_add_test(vantrel_menus_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MenuTreeTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MenuBarWidgetTest.cpp
    ${menus_quit_stub}
  QT
  LIBS vantrel_platform_qt vantrel_qt_test_main Qt6::Test)
