# tallyrun_library(NAME [DEPS lib...]) builds one static library from every .cpp and .h
# in the calling folder (main.cpp excepted), so adding a file needs no edit here. The
# project root is on the include path: headers are included as "scan/folder_total.h".
function(tallyrun_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    # A folder whose code has not been written yet still takes part in the link.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# tallyrun_test(NAME [GUI] SOURCES file... LIBS lib... [LABELS label...]) builds one
# GoogleTest executable and registers each of its tests with CTest. With GUI, main() makes a
# QApplication first; widget tests run on the offscreen platform unless a test starts its
# own X server.
function(tallyrun_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS;LABELS" ${ARGN})
  if(ARG_GUI)
    set(main tallyrun_testmain_gui)
  else()
    set(main GTest::gtest_main)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock Qt6::Test
                        ${main})
  # An empty LABELS value would shift the property list, so it is added only when given.
  set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
endfunction()

# tallyrun_x11_test(NAME SOURCES file... LIBS lib...) builds a GoogleTest executable whose main()
# starts a private Xvfb and sets QT_QPA_PLATFORM=xcb and DISPLAY itself before the
# QApplication, so it keeps neither the GUI main nor the offscreen environment of tallyrun_test.
function(tallyrun_x11_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} tallyrun_testmain_x11 Qt6::Test)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS x11 TIMEOUT 120)
endfunction()
