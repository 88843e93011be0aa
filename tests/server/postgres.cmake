# The PostgreSQL server of a test run: the test postgres_start starts it on a free loopback
# port before the first test that needs it, postgres_stop removes it after the last. Tests
# that need it are registered through qz_discover_postgres_tests.
set(QZ_POSTGRES_TEST_DIR ${CMAKE_CURRENT_BINARY_DIR}/postgres)
set(QZ_POSTGRES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/postgres.sh)
add_test(NAME postgres_start COMMAND bash ${QZ_POSTGRES_SCRIPT} start ${QZ_POSTGRES_TEST_DIR})
add_test(NAME postgres_stop COMMAND bash ${QZ_POSTGRES_SCRIPT} destroy ${QZ_POSTGRES_TEST_DIR})
set_tests_properties(postgres_start PROPERTIES FIXTURES_SETUP qz_postgres)
set_tests_properties(postgres_stop PROPERTIES FIXTURES_CLEANUP qz_postgres)

# The tests of `target` once more, named "pg." + name, each on its own database on the run's
# PostgreSQL server. Other arguments of gtest_discover_tests may follow, PROPERTIES last.
function(qz_discover_postgres_tests target)
  cmake_parse_arguments(ARG "" "" "PROPERTIES" ${ARGN})
  gtest_discover_tests(${target} TEST_PREFIX pg. ${ARG_UNPARSED_ARGUMENTS} PROPERTIES FIXTURES_REQUIRED qz_postgres
    ENVIRONMENT QZ_TEST_POSTGRES=${QZ_POSTGRES_TEST_DIR}/url ${ARG_PROPERTIES})
endfunction()

