# Windows programs of the tests run through Wine; CTest brings the private Wine environment up
# before the first of them and ends it after the last.
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
set(ROWTENDER_WINE_DIR ${CMAKE_BINARY_DIR}/wine)

# rowtender_add_wine_test(target [RUN_SERIAL]): one CTest test that runs a GoogleTest program.
function(rowtender_add_wine_test target)
  if(NOT ROWTENDER_RUN_WINE_TESTS)
    return()
  endif()
  cmake_parse_arguments(arg "RUN_SERIAL" "TIMEOUT" "" ${ARGN})
  add_test(NAME ${target} COMMAND ${target} --gtest_color=no
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine LABELS wine)
  if(arg_RUN_SERIAL)
    set_tests_properties(${target} PROPERTIES RUN_SERIAL TRUE)
  endif()
  if(arg_TIMEOUT)
    set_tests_properties(${target} PROPERTIES TIMEOUT ${arg_TIMEOUT})
  endif()
endfunction()
