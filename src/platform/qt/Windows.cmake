# Windows and controls built from records, the canvas, timers, the event
# thread's queue, the application and its event loop.
target_sources(vantrel_platform_qt PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/EventQueue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EventThread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EventPump.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InterfaceFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ControlFactory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CanvasGraphics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CanvasWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StaticText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditField.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToggleButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CheckBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScrollBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgressBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Rectangle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RectangleWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComboBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PushButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Separator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Timer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowGraphics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClientArea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
)
