# CTest starts the most expensive tests first: by the times of the last run in the build
# folder, and in a fresh one (CI's) by each test's COST. A long test started last would run
# on one core while the other waits, so the tests of this list carry their seconds as COST.
# They also run beside other tests: a test that runs alone stretches the run by its whole
# length wherever it starts, so a long one must be one that mostly waits.
# A test found by gtest_discover_tests exists only once CTest has read the folder's list of
# discovered tests, so the costs go into a file read after it: call this after the folder's
# gtest_discover_tests, with pairs of a test's full name (as `ctest -N` shows it) and its
# seconds on a quiet machine.
function(qz_long_tests)
  set(lines "")
  while(ARGN)
    list(POP_FRONT ARGN name seconds)
    string(APPEND lines "set_tests_properties([==[${name}]==] PROPERTIES COST ${seconds} RUN_SERIAL FALSE)\n")
  endwhile()
  set(file ${CMAKE_CURRENT_BINARY_DIR}/long_tests.cmake)
  file(WRITE ${file} ${lines})
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${file})
endfunction()
