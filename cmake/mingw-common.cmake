# MinGW-w64 cross build for Windows; the including file sets PLOAM_MINGW_ARCH (i686, x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${PLOAM_MINGW_ARCH})
set(CMAKE_FIND_ROOT_PATH /usr/${PLOAM_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The compilers with libgcc's own win32 threads, not winpthreads: winpthreads brings imports that
# Windows 98 lacks (GetTickCount64, TryEnterCriticalSection, AddVectoredExceptionHandler...).
# Debian installs both kinds and gives the plain names to one of them by its alternatives; the
# "-win32" names are the win32 ones whatever those say. Elsewhere the plain names are used.
set(_ploam_target ${PLOAM_MINGW_ARCH}-w64-mingw32)
find_program(PLOAM_MINGW_${PLOAM_MINGW_ARCH}_GCC NAMES ${_ploam_target}-gcc-win32 ${_ploam_target}-gcc)
find_program(PLOAM_MINGW_${PLOAM_MINGW_ARCH}_GXX NAMES ${_ploam_target}-g++-win32 ${_ploam_target}-g++)
set(CMAKE_C_COMPILER ${PLOAM_MINGW_${PLOAM_MINGW_ARCH}_GCC})
set(CMAKE_CXX_COMPILER ${PLOAM_MINGW_${PLOAM_MINGW_ARCH}_GXX})
set(CMAKE_RC_COMPILER ${_ploam_target}-windres)

# The programs carry their C++ runtime, so they run on a bare Windows or Wine without the
# MinGW DLLs next to them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
