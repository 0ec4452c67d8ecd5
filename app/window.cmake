# The main window: its portable rules (built and tested natively too) and, on Windows, the
# window itself and the program.
find_package(Threads REQUIRED)

quillery_library(quillery_window_rules
  SOURCES
    window_placement.cpp
    display_state.cpp
    hot_key_poll.cpp
    main_window_tick.cpp
    first_activation.cpp
    closing_sequence.cpp
    load_notice.cpp
    single_instance_key.cpp
    store_fingerprint.cpp
    store_slice_writer.cpp
    background_file_writer.cpp
    auto_save.cpp
  DEPENDS quillery_categories Threads::Threads
)

if(WIN32)
  quillery_library(quillery_main_window
    SOURCES
      clipboard_viewer_chain.cpp
      paste_target.cpp
      system_input.cpp
      tray_icon.cpp
      header_button.cpp
      single_instance.cpp
      clipboard_viewer_form.cpp
    DEPENDS quillery_window_rules quillery_tree_ui quillery_dialogs quillery_shell
            quillery_win32_ui quillery_categories
  )
  target_link_libraries(quillery_main_window PUBLIC comctl32 shell32)

  add_executable(quillery WIN32 main.cpp)
  target_link_libraries(quillery PRIVATE quillery_main_window quillery_resources)
  quillery_target_defaults(quillery)
  # wWinMain rather than WinMain.
  target_link_options(quillery PRIVATE -municode)
endif()
