# The progressive preview: the thread, its grid and the host it draws for.
# No Qt: the window reaches it through PreviewHost.
target_sources(vantrel_editor_model PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PreviewGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PreviewThreadClass.cpp
)
