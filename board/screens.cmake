# The screens shown over and beside the board: the welcome screen and the about
# box. Paths are taken from this file's folder, so the file can be included
# from any CMakeLists.txt.
add_library(zeko_board_screens STATIC
  ${CMAKE_CURRENT_LIST_DIR}/about_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_box.h
  ${CMAKE_CURRENT_LIST_DIR}/maker_emblem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/maker_emblem.h
  ${CMAKE_CURRENT_LIST_DIR}/welcome_screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/welcome_screen.h)
set_target_properties(zeko_board_screens PROPERTIES AUTOMOC ON)
target_include_directories(zeko_board_screens PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(zeko_board_screens PUBLIC zeko_board Qt6::Widgets zeko_settings zeko_game)
# The about box shows the program's major and minor version.
target_compile_definitions(zeko_board_screens
  PUBLIC ZEKO_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} ZEKO_VERSION_MINOR=${PROJECT_VERSION_MINOR})
