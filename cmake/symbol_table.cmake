# Programs that name their own functions in crash reports without any debug files: the build links
# the program once, makes a compact symbol table from that link (cmake/make_symbol_table.py, with
# the toolchain's nm), links the same objects again with the table as a resource, and checks that
# the final program's addresses still match the table. Without nm (MSVC) the program is linked
# once, without a table; the platform's symbol library and its PDB name the functions there.
#
# rowtender_add_symbolled_executable(<name> SOURCES <file...> LIBS <lib...>
#                                    [DEFINITIONS <def...>] [LINK_OPTIONS <option...>])
# The program's entry is wWinMain (rowtender_wide_entry).
find_program(ROWTENDER_PYTHON NAMES python3 python)
set(ROWTENDER_SYMBOL_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/make_symbol_table.py)

function(rowtender_add_symbolled_executable name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS;DEFINITIONS;LINK_OPTIONS" ${ARGN})
  if(MSVC OR NOT CMAKE_NM OR NOT ROWTENDER_PYTHON)
    add_executable(${name} WIN32 ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBS})
    target_compile_definitions(${name} PRIVATE ${arg_DEFINITIONS})
    target_link_options(${name} PRIVATE ${arg_LINK_OPTIONS})
    rowtender_wide_entry(${name})
    return()
  endif()

  add_library(${name}_objects OBJECT ${arg_SOURCES})
  target_link_libraries(${name}_objects PRIVATE ${arg_LIBS})
  target_compile_definitions(${name}_objects PRIVATE ${arg_DEFINITIONS})
  foreach(stage ${name}_unsymbolled ${name})
    add_executable(${stage} WIN32 $<TARGET_OBJECTS:${name}_objects>)
    target_link_libraries(${stage} PRIVATE ${arg_LIBS})
    target_link_options(${stage} PRIVATE ${arg_LINK_OPTIONS})
    rowtender_wide_entry(${stage})
  endforeach()
  set_target_properties(${name}_unsymbolled PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/unsymbolled OUTPUT_NAME ${name})

  set(options)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    list(APPEND options --strip-underscore)
  endif()
  set(table ${CMAKE_CURRENT_BINARY_DIR}/${name}_symbols.bin)
  add_custom_command(OUTPUT ${table}
    COMMAND ${ROWTENDER_PYTHON} ${ROWTENDER_SYMBOL_SCRIPT} --nm ${CMAKE_NM}
            --exe $<TARGET_FILE:${name}_unsymbolled> --out ${table} ${options}
    DEPENDS ${name}_unsymbolled ${ROWTENDER_SYMBOL_SCRIPT}
    COMMENT "Symbol table of ${name}" VERBATIM)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${name}_symbols.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT "ROWTENDER_SYMBOLS RCDATA \"${table}\"\n")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${table})
  target_sources(${name} PRIVATE ${rc} ${table})
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${ROWTENDER_PYTHON} ${ROWTENDER_SYMBOL_SCRIPT} --nm ${CMAKE_NM}
            --exe $<TARGET_FILE:${name}> --verify ${table} ${options}
    COMMENT "Checking the symbol table embedded in ${name}" VERBATIM)
endfunction()
