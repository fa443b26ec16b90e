# Helpers shared by the CMake files of the project.

# vellora_add_test(<name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>] [OWN_MAIN] [DESKTOP])
# One GoogleTest executable; every test case becomes one CTest test, discovered
# when CTest runs (so cross-built tests are listed through Wine at test time).
function(vellora_add_test name)
  cmake_parse_arguments(T "OWN_MAIN;DESKTOP" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} vellora_testlib GTest::gtest)
  if(NOT T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  set(labels ${T_LABELS})
  if(WIN32)
    list(APPEND labels wine)
  else()
    list(APPEND labels native)
  endif()
  # Tests that move the mouse, take the focus or bring windows to the front
  # share one desktop: they take turns, while the others still run beside them.
  set(lock)
  if(T_DESKTOP)
    set(lock RESOURCE_LOCK desktop)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS "${labels}" TIMEOUT 300 ${lock})
endfunction()
