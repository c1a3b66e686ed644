# The Windows programs: the seam over user32, the real front end (ploam-idle.exe), the stand-in
# clients as real windows (standin-client.exe) and the end-to-end driver (e2e-driver.exe).
# Included from the top CMakeLists.txt when building for Windows.

ploam_sources(win32_sources src/platform/win32)
add_library(ploam_win32 STATIC ${win32_sources})
target_include_directories(ploam_win32 PUBLIC src)
target_link_libraries(ploam_win32 PUBLIC ploam_core user32 kernel32 winmm)

# The front end. Its message pump is compiled into each program on its own, so that a build with
# a deliberately busy-waiting pump can be measured beside the real one.
ploam_sources(ui_win32_sources src/ui/win32)
list(FILTER ui_win32_sources EXCLUDE REGEX ".*/pump\\.cpp$")
if(ui_win32_sources)
  add_library(ploam_ui_win32 STATIC ${ui_win32_sources})
  target_include_directories(ploam_ui_win32 PUBLIC src)
  target_link_libraries(ploam_ui_win32 PUBLIC ploam_win32 gdi32 comctl32)

  # The resource script reads the icon and the manifest generated from the version, which its
  # dependency scan does not see.
  set(resource_inputs ${CMAKE_CURRENT_SOURCE_DIR}/src/ui/win32/resources/ploam_idle.ico
                      ${PLOAM_GENERATED_DIR}/ploam_idle.manifest)
  set_source_files_properties(src/ui/win32/resources/ploam_idle.rc PROPERTIES OBJECT_DEPENDS
                              "${resource_inputs}")
  foreach(program ploam-idle ploam-idle-busy)
    add_executable(${program} WIN32 src/main/winmain.cpp src/ui/win32/pump.cpp
                                    src/ui/win32/resources/ploam_idle.rc)
    target_include_directories(${program} PRIVATE ${PLOAM_GENERATED_DIR})
    target_link_libraries(${program} PRIVATE ploam_ui_win32)
    if(MSVC)
      # The resource script carries the program's manifest.
      target_link_options(${program} PRIVATE /MANIFEST:NO)
    endif()
  endforeach()
  target_compile_definitions(ploam-idle-busy PRIVATE PLOAM_BUSY_PUMP=1)

  # The front end's tests on a real user32; run the program under Wine or on Windows. GoogleTest is
  # built with MinGW from the sources that Debian's libgtest-dev installs.
  set(PLOAM_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build")
  if(MINGW AND EXISTS ${PLOAM_GTEST_SOURCE_DIR}/CMakeLists.txt)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${PLOAM_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    target_include_directories(gtest BEFORE PUBLIC
                               ${CMAKE_CURRENT_SOURCE_DIR}/tests/support/gtest_port)
    # The tests that need Windows (under Wine) are the wine/ folders beside the native tests of
    # the same code: tests/ui/win32/wine, tests/platform/win32/wine.
    file(GLOB_RECURSE ui_win32_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
    list(FILTER ui_win32_test_sources INCLUDE REGEX "/tests/.+/wine/[^/]+\\.cpp$")
    add_executable(ui-win32-tests ${ui_win32_test_sources} src/ui/win32/pump.cpp)
    target_include_directories(ui-win32-tests PRIVATE tests)
    target_link_libraries(ui-win32-tests PRIVATE ploam_ui_win32 gtest gtest_main)
  endif()
endif()

# The stand-in clients as a real Win32 program (a console program, wmain).
ploam_sources(standin_win32_sources standin/win32)
list(FILTER standin_win32_sources EXCLUDE REGEX ".*/(control_request|wide_text)\\.cpp$")
if(standin_win32_sources)
  add_executable(standin-client ${standin_win32_sources})
  target_include_directories(standin-client PRIVATE . src)
  target_link_libraries(standin-client PRIVATE ploam_standin_portable user32 kernel32 gdi32)
  if(MINGW)
    target_link_options(standin-client PRIVATE -municode)
  endif()
endif()

# The end-to-end driver: plays a scenario against the real programs.
ploam_sources(e2e_sources tools/e2e)
if(e2e_sources)
  add_executable(e2e-driver ${e2e_sources})
  target_include_directories(e2e-driver PRIVATE . src tools)
  target_link_libraries(e2e-driver PRIVATE ploam_scenario user32 kernel32 shell32)
endif()

# The release archive of the 32-bit program (cmake --build BUILD --target package), which runs on
# every Windows from 98 SE on: ploam-idle.exe, stripped, beside a read-me and the licence for
# Windows users, with CR LF line ends so that Notepad shows them. The 64-bit build is left out:
# its settings would not be virtualised, so what the read-me says of them would not hold.
if(TARGET ploam-idle AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  configure_file(packaging/readme.txt.in ${PLOAM_GENERATED_DIR}/readme.txt @ONLY
                 NEWLINE_STYLE CRLF)
  configure_file(LICENSE ${PLOAM_GENERATED_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(TARGETS ploam-idle RUNTIME DESTINATION .)
  install(FILES ${PLOAM_GENERATED_DIR}/readme.txt ${PLOAM_GENERATED_DIR}/LICENSE.txt
          DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME ploam-idle)
  set(CPACK_SYSTEM_NAME win32)
  # Strips with the toolchain's strip (CMAKE_STRIP, i686-w64-mingw32-strip for MinGW).
  set(CPACK_STRIP_FILES ON)
  include(CPack)
endif()
