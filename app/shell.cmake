# The shell's small dialogs and the update check: their rules in a portable
# library, tested natively too, and the Win32 code in quillery_shell.
quillery_library(quillery_shell_rules
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/update_check.cpp
    ${CMAKE_CURRENT_LIST_DIR}/about_text.cpp
  DEPENDS quillery_dialog_rules quillery_foundation
)

if(WIN32)
  quillery_library(quillery_shell
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/update_shell.cpp
      ${CMAKE_CURRENT_LIST_DIR}/about_box.cpp
      ${CMAKE_CURRENT_LIST_DIR}/hot_key_form.cpp
    DEPENDS quillery_shell_rules quillery_dialogs quillery_win32_ui
  )
  # ShellExecuteA
  target_link_libraries(quillery_shell PUBLIC shell32 comctl32)
endif()
