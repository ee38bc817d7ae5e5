# Menu items, the shared menu bar and its windows' QMenuBars, dispatch by item name.
target_sources(vantrel_platform_qt PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/MenuDispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuItem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuitMenuItem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppleMenuItem.cpp
)
