# Dialogs, cursors, keyboard state and the desktop's services. ScriptedDialogs
# is part of the library so that the tests of every folder can script dialogs.
target_sources(vantrel_platform_qt PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptedDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Cursors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtKeyboardProbe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SystemServices.cpp
)
