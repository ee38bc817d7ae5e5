# The Help menu built from a "Help" folder, and the About window.
if(TARGET vantrel_app)
  vantrel_add_test(vantrel_help_about_test QT SOURCES HelpAboutTest.cpp
    LIBS vantrel_app vantrel_qt_test_main Qt6::Test)
  target_include_directories(vantrel_help_about_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
endif()
