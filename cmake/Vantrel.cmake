# Helpers shared by every folder's CMakeLists.txt.

# vantrel_add_test(<name> SOURCES ... LIBS ... [TSAN] [QT])
#   One GoogleTest executable registered with ctest. TSAN marks tests of the
#   model and of threads: they also run in the ThreadSanitizer build, and the
#   custom target vantrel_tsan_tests builds exactly them. QT tests run on Qt's
#   offscreen platform.
if(NOT TARGET vantrel_tsan_tests)
  add_custom_target(vantrel_tsan_tests)
endif()

function(vantrel_add_test name)
  cmake_parse_arguments(T "TSAN;QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  # Shared test helpers (tests/support) are included as "support/...".
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  if(NOT T_QT)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  set(labels "")
  if(T_TSAN)
    list(APPEND labels tsan)
    add_dependencies(vantrel_tsan_tests ${name})
  endif()
  if(T_QT)
    list(APPEND labels qt)
    target_link_libraries(${name} PRIVATE Qt6::Test)  # tests/support/Settle.h waits with it
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT 600
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# vantrel_qt_test_main()
#   Makes the shared entry point of the Qt test programs (a QApplication, and
#   a wait for the program's worker threads before it exits) unless a folder
#   built earlier has made it, so every test folder can be built on its own.
function(vantrel_qt_test_main)
  if(NOT TARGET vantrel_qt_test_main)
    add_library(vantrel_qt_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/platform/qt/QtTestMain.cpp)
    target_link_libraries(vantrel_qt_test_main PUBLIC GTest::gtest Qt6::Widgets
                          PRIVATE vantrel_platform_core)
  endif()
endfunction()

# Fails the configuration when a target that must stay free of Qt links it,
# directly or through another target.
function(vantrel_check_no_qt)
  foreach(target ${ARGN})
    if(NOT TARGET ${target})
      continue()
    endif()
    set(pending ${target})
    set(seen "")
    while(pending)
      list(POP_FRONT pending current)
      if(current IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${current})
      if(current MATCHES "Qt")
        message(FATAL_ERROR "${target} must not depend on Qt, but reaches ${current}")
      endif()
      if(TARGET ${current})
        get_target_property(libs ${current} LINK_LIBRARIES)
        get_target_property(ilibs ${current} INTERFACE_LINK_LIBRARIES)
        foreach(lib ${libs} ${ilibs})
          if(lib AND NOT lib MATCHES "NOTFOUND")
            list(APPEND pending ${lib})
          endif()
        endforeach()
      endif()
    endwhile()
  endforeach()
endfunction()
