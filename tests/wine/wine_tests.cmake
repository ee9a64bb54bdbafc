# What every test under Wine shares: one prepared prefix, which one test at a time may use (one
# prefix means one wineserver), and the harness's command line. Included by each folder of such
# tests; tests/wine prepares the prefix as the fixture wine_prefix.

find_program(VETRIX_PYTHON3 python3 REQUIRED)

set(VETRIX_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-tests)
set(VETRIX_WINE_ENV ${PROJECT_SOURCE_DIR}/tools/wine-env.sh)

function(vetrix_wine_test name timeout)
  add_test(NAME ${name} ${ARGN})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine_prefix RUN_SERIAL ON TIMEOUT ${timeout})
endfunction()

# Each test_*.py of the calling folder as the test <group>.<name>, run by the harness with the
# inspector, the prefix and the arguments given (at least --exe).
function(vetrix_harness_tests group)
  file(GLOB scripts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.py)
  foreach(script IN LISTS scripts)
    get_filename_component(name ${script} NAME_WE)
    string(REGEX REPLACE "^test_" "" name ${name})
    vetrix_wine_test(${group}.${name} 180
      COMMAND ${VETRIX_PYTHON3} ${script} ${ARGN}
        --inspector $<TARGET_FILE:inspector>
        --prefix ${VETRIX_WINE_PREFIX}
        --wine-env ${VETRIX_WINE_ENV})
    set_property(TEST ${group}.${name} APPEND PROPERTY
      ENVIRONMENT PYTHONPATH=${PROJECT_SOURCE_DIR}/tests)
  endforeach()
endfunction()
