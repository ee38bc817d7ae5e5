# The About window.
if(TARGET vantrel_app)
  vantrel_add_test(vantrel_about_box_test QT SOURCES AboutBoxTest.cpp
    LIBS vantrel_app vantrel_qt_test_main Qt6::Test)
  target_include_directories(vantrel_about_box_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
endif()
