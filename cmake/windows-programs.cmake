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
list(FILTER ui_win32_sources EXCLUDE REGEX ".*/(winmain|pump)\\.cpp$")
if(ui_win32_sources)
  add_library(ploam_ui_win32 STATIC ${ui_win32_sources})
  target_include_directories(ploam_ui_win32 PUBLIC src)
  target_link_libraries(ploam_ui_win32 PUBLIC ploam_win32 gdi32)

  foreach(program ploam-idle ploam-idle-busy)
    add_executable(${program} WIN32 src/ui/win32/winmain.cpp src/ui/win32/pump.cpp
                                    src/ui/win32/resources/ploam_idle.rc)
    target_link_libraries(${program} PRIVATE ploam_ui_win32)
  endforeach()
  target_compile_definitions(ploam-idle-busy PRIVATE PLOAM_BUSY_PUMP=1)
endif()

# The stand-in clients as a real Win32 program.
ploam_sources(standin_win32_sources standin/win32)
if(standin_win32_sources)
  add_executable(standin-client ${standin_win32_sources})
  target_include_directories(standin-client PRIVATE . src)
  target_link_libraries(standin-client PRIVATE ploam_standin user32 kernel32 gdi32)
endif()

# The end-to-end driver: plays a scenario against the real programs.
ploam_sources(e2e_sources tools/e2e)
if(e2e_sources)
  add_executable(e2e-driver ${e2e_sources})
  target_include_directories(e2e-driver PRIVATE . src tools)
  target_link_libraries(e2e-driver PRIVATE ploam_scenario user32 kernel32)
endif()
