# The language files shipped beside the program, made from the sources in
# src/resources/language (one UTF-8 table per window, "Main.tsv" -> "Main.txt")
# into the program folder layout: bin/Language/<program name>/.
include_guard(GLOBAL)

find_package(Python3 COMPONENTS Interpreter REQUIRED)

set(QUIB_LANGUAGE_SOURCE_DIR ${CMAKE_SOURCE_DIR}/src/resources/language)
set(QUIB_LANGUAGE_DIR ${CMAKE_BINARY_DIR}/bin/Language/quibFMarchive
  CACHE INTERNAL "Folder of the built language files")
set(_quib_language_tool ${QUIB_LANGUAGE_SOURCE_DIR}/make_language_file.py)

file(GLOB _quib_language_sources CONFIGURE_DEPENDS ${QUIB_LANGUAGE_SOURCE_DIR}/*.tsv)
set(_quib_language_outputs "")
foreach(src ${_quib_language_sources})
  get_filename_component(name ${src} NAME_WE)
  set(out ${QUIB_LANGUAGE_DIR}/${name}.txt)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUIB_LANGUAGE_DIR}
    COMMAND ${Python3_EXECUTABLE} ${_quib_language_tool} ${src} ${out}
    DEPENDS ${src} ${_quib_language_tool}
    COMMENT "Language file ${name}.txt"
    VERBATIM)
  list(APPEND _quib_language_outputs ${out})
endforeach()

add_custom_target(quib_language_files ALL DEPENDS ${_quib_language_outputs})
