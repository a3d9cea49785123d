# The help files shipped beside the program (bin/quibFMarchive.txt,
# quibFMarchive_First.txt, quibFMarchive_ViewGrid.txt), made from the UTF-8
# templates in src/resources/help. The keys and menu captions they name come
# from the command tables and language sources of the main window and the
# other keyboard-driven windows at build time, so a changed default key or
# caption changes the help with it.
include_guard(GLOBAL)

find_package(Python3 COMPONENTS Interpreter REQUIRED)

set(QUIB_HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/src/resources/help)
set(QUIB_HELP_DIR ${CMAKE_BINARY_DIR}/bin CACHE INTERNAL "Folder of the built help files")
set(_quib_help_tool ${QUIB_HELP_SOURCE_DIR}/make_help_file.py)
set(_quib_help_table ${CMAKE_SOURCE_DIR}/src/app/MainMenuTable.cpp)
set(_quib_help_language ${CMAKE_SOURCE_DIR}/src/resources/language/Main.tsv)
# The other keyboard-driven windows: name, command table source, language
# source, key-map file.
set(_quib_lang ${CMAKE_SOURCE_DIR}/src/resources/language)
set(_quib_help_windows
  "Text=${CMAKE_SOURCE_DIR}/src/viewers/text/TextCommandTable.cpp,${_quib_lang}/Text.tsv,quibFMarchive-KeyMapText.txt"
  "Image=${CMAKE_SOURCE_DIR}/src/viewers/image/FormImage.cpp,${_quib_lang}/Image.tsv,quibFMarchive-KeyMapImage.txt"
  "Player=${CMAKE_SOURCE_DIR}/src/viewers/player/FormPlayer.cpp,${_quib_lang}/Player.tsv,quibFMarchive-KeyMapPlayer.txt"
  "Browse=${CMAKE_SOURCE_DIR}/src/extract/FormBrowseCommands.cpp,${_quib_lang}/Browse.tsv,quibFMarchive-KeyMapBrowse.txt"
  "Tree=${CMAKE_SOURCE_DIR}/src/extract/FormTree.cpp,${_quib_lang}/Tree.tsv,quibFMarchive-KeyMapTree.txt"
  "PopUp=${CMAKE_SOURCE_DIR}/src/extract/FormPopUpCommands.cpp,${_quib_lang}/PopUp.tsv,quibFMarchive-KeyMapPopUp.txt")
set(_quib_help_window_sources
  ${CMAKE_SOURCE_DIR}/src/viewers/text/TextCommandTable.cpp ${_quib_lang}/Text.tsv
  ${CMAKE_SOURCE_DIR}/src/viewers/image/FormImage.cpp ${_quib_lang}/Image.tsv
  ${CMAKE_SOURCE_DIR}/src/viewers/player/FormPlayer.cpp ${_quib_lang}/Player.tsv
  ${CMAKE_SOURCE_DIR}/src/extract/FormBrowseCommands.cpp ${_quib_lang}/Browse.tsv
  ${CMAKE_SOURCE_DIR}/src/extract/FormTree.cpp ${_quib_lang}/Tree.tsv
  ${CMAKE_SOURCE_DIR}/src/extract/FormPopUpCommands.cpp ${_quib_lang}/PopUp.tsv)

file(GLOB _quib_help_sources CONFIGURE_DEPENDS ${QUIB_HELP_SOURCE_DIR}/*.txt.in)
set(_quib_help_outputs "")
foreach(src ${_quib_help_sources})
  get_filename_component(file ${src} NAME)
  string(REGEX REPLACE "\\.in$" "" name ${file})
  set(out ${QUIB_HELP_DIR}/${name})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUIB_HELP_DIR}
    COMMAND ${Python3_EXECUTABLE} ${_quib_help_tool} ${src} ${out} ${_quib_help_table} ${_quib_help_language}
            ${_quib_help_windows}
    DEPENDS ${src} ${_quib_help_tool} ${_quib_help_table} ${_quib_help_language} ${_quib_help_window_sources}
    COMMENT "Help file ${name}"
    VERBATIM)
  list(APPEND _quib_help_outputs ${out})
endforeach()

add_custom_target(quib_help_files ALL DEPENDS ${_quib_help_outputs})
