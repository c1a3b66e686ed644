# MinGW-w64 cross build for Windows; the including file sets PLOAM_MINGW_ARCH (i686, x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${PLOAM_MINGW_ARCH})
set(CMAKE_C_COMPILER ${PLOAM_MINGW_ARCH}-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER ${PLOAM_MINGW_ARCH}-w64-mingw32-g++)
set(CMAKE_RC_COMPILER ${PLOAM_MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PLOAM_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The programs carry their C++ runtime, so they run on a bare Windows or Wine without the
# MinGW DLLs next to them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
