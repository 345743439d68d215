# The main window: the client area with the board and its displays, the menus
# and the timers, on the drawing widgets, the screens and the dialogs.
add_library(zeko_main_window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/board_canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_zeko.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_icon.cpp)
target_include_directories(zeko_main_window PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(zeko_main_window PUBLIC zeko_board zeko_board_screens zeko_dialogs
                      zeko_game zeko_settings zeko_platform Qt6::Widgets)
