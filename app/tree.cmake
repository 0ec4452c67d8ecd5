# The clip tree: how its rows look, what its menus offer and what a drop does (portable,
# tested natively), and the Win32 code that draws the rows and runs the mouse and commands.
quillery_library(quillery_tree_rules
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/row_look.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clip_tree_rules.cpp
  DEPENDS quillery_categories
)

if(WIN32)
  quillery_library(quillery_tree_ui
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/clip_tree_controller.cpp
      ${CMAKE_CURRENT_LIST_DIR}/clip_tree_menu.cpp
      ${CMAKE_CURRENT_LIST_DIR}/clip_tree_painter.cpp
    DEPENDS quillery_tree_rules quillery_win32_ui quillery_categories
  )
  target_link_libraries(quillery_tree_ui PUBLIC comctl32)
endif()
