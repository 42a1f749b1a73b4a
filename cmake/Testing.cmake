# vp_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# builds one GoogleTest binary and registers each of its tests with CTest.
# Every test runs headless (offscreen Qt platform). Label "threaded" marks the
# tests that also run under ThreadSanitizer.
find_package(GTest REQUIRED)
include(GoogleTest)

# Everything the ThreadSanitizer run needs, so that build builds no more.
add_custom_target(threaded_checks)

function(vp_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock Threads::Threads)
  if(NOT "main" IN_LIST T_LABELS)
    target_link_libraries(${T_NAME} PRIVATE vp_test_main)
  endif()
  # Discovered tests take one label and one environment entry only (lists
  # do not survive discovery), so "threaded" wins over the subsystem label;
  # the test main sets VP_SOURCE_DIR and VP_BINARY_DIR itself.
  if("threaded" IN_LIST T_LABELS)
    set(label threaded)
    add_dependencies(threaded_checks ${T_NAME})
  else()
    set(label unit)
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS ${label} TIMEOUT 300)
endfunction()
