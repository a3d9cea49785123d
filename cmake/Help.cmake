# The help files shipped beside the program (bin/quibFMarchive.txt,
# quibFMarchive_First.txt, quibFMarchive_ViewGrid.txt), made from the UTF-8
# templates in src/resources/help. The keys and menu captions they name come
# from the main window's command table and language source at build time, so
# a changed default key or caption changes the help with it.
include_guard(GLOBAL)

find_package(Python3 COMPONENTS Interpreter REQUIRED)

set(QUIB_HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/src/resources/help)
set(QUIB_HELP_DIR ${CMAKE_BINARY_DIR}/bin CACHE INTERNAL "Folder of the built help files")
set(_quib_help_tool ${QUIB_HELP_SOURCE_DIR}/make_help_file.py)
set(_quib_help_table ${CMAKE_SOURCE_DIR}/src/app/MainMenuTable.cpp)
set(_quib_help_language ${CMAKE_SOURCE_DIR}/src/resources/language/Main.tsv)

file(GLOB _quib_help_sources CONFIGURE_DEPENDS ${QUIB_HELP_SOURCE_DIR}/*.txt.in)
set(_quib_help_outputs "")
foreach(src ${_quib_help_sources})
  get_filename_component(file ${src} NAME)
  string(REGEX REPLACE "\\.in$" "" name ${file})
  set(out ${QUIB_HELP_DIR}/${name})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUIB_HELP_DIR}
    COMMAND ${Python3_EXECUTABLE} ${_quib_help_tool} ${src} ${out} ${_quib_help_table} ${_quib_help_language}
    DEPENDS ${src} ${_quib_help_tool} ${_quib_help_table} ${_quib_help_language}
    COMMENT "Help file ${name}"
    VERBATIM)
  list(APPEND _quib_help_outputs ${out})
endforeach()

add_custom_target(quib_help_files ALL DEPENDS ${_quib_help_outputs})
