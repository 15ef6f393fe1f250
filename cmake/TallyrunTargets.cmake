# Build rules shared by every folder.

# The warning flags of our own code, in one place. Every target built from our sources links
# this target privately; the libraries' headers are system headers and stay out of it. CI
# builds with TALLYRUN_WERROR=ON, so a new warning fails the build there.
add_library(tallyrun_warnings INTERFACE)
target_compile_options(tallyrun_warnings INTERFACE -Wall -Wextra
                       $<$<BOOL:${TALLYRUN_WERROR}>:-Werror>)

# tallyrun_library(NAME [SOURCES file...] [EXCLUDE file...] [DEPS lib...]
#                  [PRIVATE_DEPS lib...]) builds one static library. Without SOURCES it takes
# every .cpp and .h in the calling folder (main.cpp and the EXCLUDE files excepted), so adding
# a file needs no edit here. DEPS are the libraries its headers expose to users; PRIVATE_DEPS
# are used by its sources only. The project root is on the include path: headers are included
# as "scan/folder_total.h". scripts/check_layers.sh keeps includes going one way.
function(tallyrun_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;EXCLUDE;DEPS;PRIVATE_DEPS" ${ARGN})
  if(ARG_SOURCES)
    set(sources ${ARG_SOURCES})
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    foreach(file ${ARG_EXCLUDE})
      list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${file})
    endforeach()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS} tallyrun_warnings)
endfunction()

# tallyrun_qt_precompiled_headers(TARGET) precompiles the Qt headers that nearly every source of
# a widget library includes; parsing them is about half of compiling such a file. Only with GCC
# (the clang build compiles every file without it, which also catches a missing #include), and
# only for the libraries with many sources: a test or tool would spend more on its own header
# than it saves. ccache still caches these files: scripts/build.sh sets the sloppiness it needs.
function(tallyrun_qt_precompiled_headers target)
  if(TALLYRUN_PCH AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_precompile_headers(${target} PRIVATE <QApplication> <QPainter> <QWidget> <QImage>
                              <QFont> <QString> <functional> <memory> <string> <vector>)
  endif()
endfunction()

# tallyrun_executable(NAME file...) builds one of our tools, benchmarks or fuzz targets with the
# project's include path and warnings.
function(tallyrun_executable name)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE tallyrun_warnings)
endfunction()

# tallyrun_test(NAME [GUI] SOURCES file... LIBS lib... [LABELS label...]) builds one
# GoogleTest executable and registers each of its tests with CTest, with the given labels. With GUI, main() makes a
# QApplication first; widget tests run on the offscreen platform unless a test starts its
# own X server. Either main() pins the locale, so the tests pass under any locale.
function(tallyrun_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS;LABELS" ${ARGN})
  if(ARG_GUI)
    set(main tallyrun_testmain_gui)
  else()
    set(main tallyrun_testmain)
  endif()
  tallyrun_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock Qt6::Test
                        ${main})
  # An empty LABELS value would shift the property list, so it is added only when given.
  set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  # `tallyrun_thread_tests` builds just the programs whose tests run under the thread sanitizer.
  if("thread" IN_LIST ARG_LABELS)
    if(NOT TARGET tallyrun_thread_tests)
      add_custom_target(tallyrun_thread_tests)
    endif()
    add_dependencies(tallyrun_thread_tests ${name})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
endfunction()

# tallyrun_x11_test(NAME SOURCES file... LIBS lib...) builds a GoogleTest executable whose main()
# starts a private Xvfb and sets QT_QPA_PLATFORM=xcb and DISPLAY itself before the
# QApplication, so it keeps neither the GUI main nor the offscreen environment of tallyrun_test.
function(tallyrun_x11_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  tallyrun_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} tallyrun_testmain_x11 Qt6::Test)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS x11 TIMEOUT 120)
endfunction()

# tallyrun_session_test(NAME [WAYLAND] SOURCES file... LIBS lib...) builds a
# GoogleTest executable whose main() starts a private session bus (and with WAYLAND a headless
# weston, which the QApplication then uses) before the QApplication. Without WAYLAND the
# widgets are on the offscreen platform. The fake portal answers from a thread of its own, so
# such tests are labelled 'thread'.
function(tallyrun_session_test name)
  cmake_parse_arguments(ARG "WAYLAND" "" "SOURCES;LIBS" ${ARGN})
  set(main tallyrun_testmain_dbus)
  if(ARG_WAYLAND)
    set(main tallyrun_testmain_wayland)
  endif()
  tallyrun_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${main} GTest::gmock Qt6::Test)
  if(NOT TARGET tallyrun_thread_tests)
    add_custom_target(tallyrun_thread_tests)
  endif()
  add_dependencies(tallyrun_thread_tests ${name})
  # One label: test discovery keeps only the first of a list.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS thread TIMEOUT 120)
endfunction()
