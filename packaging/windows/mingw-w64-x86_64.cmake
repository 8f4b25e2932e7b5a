# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads), linked fully static.
# The static Qt and libxlsxwriter live in a cache outside the repository; pass its folder as
# QUORBEL_WIN64_CACHE (default ~/.cache/quorbel).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUORBEL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUORBEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORBEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORBEL_MINGW_PREFIX}-windres)

if(NOT QUORBEL_WIN64_CACHE)
    if(DEFINED ENV{QUORBEL_WIN64_CACHE})
        set(QUORBEL_WIN64_CACHE $ENV{QUORBEL_WIN64_CACHE})
    else()
        set(QUORBEL_WIN64_CACHE $ENV{HOME}/.cache/quorbel)
    endif()
endif()
# try_compile projects get the toolchain file again but not the cache variable.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUORBEL_WIN64_CACHE)

set(QUORBEL_QT_PREFIX ${QUORBEL_WIN64_CACHE}/qt-5.15.8-win64-static)
set(QUORBEL_XLSXWRITER_PREFIX ${QUORBEL_WIN64_CACHE}/libxlsxwriter-1.1.4-win64-static)

# Libraries and headers only from the target side: the Windows Qt and libxlsxwriter in the cache,
# zlib from Debian's MinGW package. Programs (moc, uic, rcc) run on the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${QUORBEL_MINGW_PREFIX} ${QUORBEL_QT_PREFIX} ${QUORBEL_XLSXWRITER_PREFIX})
set(CMAKE_PREFIX_PATH ${QUORBEL_QT_PREFIX} ${QUORBEL_XLSXWRITER_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# zlib's archive rather than its import library, so the executable needs no zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)

# No MinGW runtime DLLs beside the executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
