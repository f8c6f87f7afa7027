# Shared build conventions of every Vimek library and test executable.
# No precompiled headers: with one shared header per kind of target the
# compilers' system time grew fourfold (page faults on the 300 MB header
# files) and a clean build took twice as long; unity batches (see the top
# CMakeLists.txt) save the header parsing instead.

# Sets the project's compile options on a target: warnings, and no implicit
# conversion between byte strings and text (every such conversion names its
# code page).
function(vimek_target_defaults target)
  target_compile_definitions(${target} PRIVATE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER)
  # Case tables and print definitions are aggregates that leave their trailing
  # members at their defaults on purpose.
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# Test code is compiled without optimisation: it compiles faster, and the
# code under test keeps the libraries' optimised build.
function(vimek_test_defaults target)
  target_compile_options(${target} PRIVATE -O0)
endfunction()

# Qt Test without the compile definitions that its own target adds: those
# carry absolute source and build paths, which would give every checkout its
# own compiled objects in the compiler cache.
function(vimek_add_qttest)
  add_library(vimek_qttest INTERFACE)
  target_include_directories(vimek_qttest INTERFACE $<TARGET_PROPERTY:Qt6::Test,INTERFACE_INCLUDE_DIRECTORIES>)
  target_link_libraries(vimek_qttest INTERFACE $<TARGET_FILE:Qt6::Test> Qt6::Core)
  target_compile_definitions(vimek_qttest INTERFACE QT_TESTLIB_LIB)
endfunction()

# vimek_add_library(<name> [GUI] DEPS <targets...>)
# A static library of every .cpp/.h (and .qrc) file in the calling folder.
# Without GUI the library may link QtCore only (data side); with GUI it gets
# QtGui and QtWidgets as well.
function(vimek_add_library name)
  cmake_parse_arguments(ARG "GUI" "" "DEPS;SOURCES" ${ARGN})
  if(ARG_SOURCES)
    set(sources ${ARG_SOURCES})
  else()
    file(GLOB sources CONFIGURE_DEPENDS
      ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
      ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  endif()
  add_library(${name} STATIC ${sources})
  vimek_target_defaults(${name})
  target_link_libraries(${name} PUBLIC Qt6::Core ${ARG_DEPS})
  if(ARG_GUI)
    target_link_libraries(${name} PUBLIC Qt6::Gui Qt6::Widgets)
  endif()
endfunction()

# vimek_add_test(<name> DEPS <targets...>)
# One GoogleTest executable of every .cpp in the calling folder, registered
# with CTest. GUI tests run on the offscreen platform.
function(vimek_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "DEPS;SOURCES" ${ARGN})
  if(ARG_SOURCES)
    set(sources ${ARG_SOURCES})
  else()
    file(GLOB sources CONFIGURE_DEPENDS
      ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
      ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  endif()
  add_executable(${name} ${sources})
  vimek_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock vimek_qttest)
  vimek_test_defaults(${name})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  set(environment "QT_QPA_PLATFORM=offscreen;LANG=sk_SK.UTF-8;VIMEK_SOURCE_DIR=${PROJECT_SOURCE_DIR};VIMEK_BINARY_DIR=${PROJECT_BINARY_DIR}")
  if(VIMEK_SANITIZE)
    # The database client keeps some allocations for the life of the process.
    set(supp ${PROJECT_SOURCE_DIR}/tests/sanitizer)
    list(APPEND environment "LSAN_OPTIONS=suppressions=${supp}/lsan.supp:print_suppressions=0"
      "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=${supp}/ubsan.supp"
      "ASAN_OPTIONS=detect_stack_use_after_return=0:handle_segv=0") # the crash tests fault on purpose
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${environment}")
endfunction()
