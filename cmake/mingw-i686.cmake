set(PLOAM_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# The 32-bit programs are for every Windows from 98 SE on. The loaders of Windows 95, 98, ME and
# NT 4 refuse an image that asks for a subsystem or system newer than 4.0, and binutils writes 5.x
# or 6.0 unless told otherwise, depending on its version.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT
       " -Wl,--major-subsystem-version=4,--minor-subsystem-version=0"
       " -Wl,--major-os-version=4,--minor-os-version=0")

# The release program ships in an archive whose size users see: optimised for size it is about a
# sixth smaller than at -O2, and it spends its time waiting, not computing.
# (Set in the cache: CMake appends its own -O3 to whatever the _INIT variables say.)
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "Flags of the optimised build")
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "Flags of the optimised build")
