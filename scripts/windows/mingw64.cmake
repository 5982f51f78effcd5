# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 GCC, posix thread model
# (std::thread and std::mutex need it). Used for Qt itself and for the program;
# scripts/windows/package.sh passes it with -DCMAKE_TOOLCHAIN_FILE.
#
# ROCKPILE_QT_MINGW (cache variable or environment) names a Qt built with this file;
# when given, find_package() looks there as well as in the MinGW sysroot.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(_rockpile_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_rockpile_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_rockpile_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_rockpile_triple}-windres)

if(NOT ROCKPILE_QT_MINGW AND DEFINED ENV{ROCKPILE_QT_MINGW})
    set(ROCKPILE_QT_MINGW "$ENV{ROCKPILE_QT_MINGW}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${_rockpile_triple})
if(ROCKPILE_QT_MINGW)
    list(APPEND CMAKE_FIND_ROOT_PATH "${ROCKPILE_QT_MINGW}")
    list(APPEND CMAKE_PREFIX_PATH "${ROCKPILE_QT_MINGW}")
endif()
# Headers and libraries only from the Windows side, build tools only from the host:
# a Linux zlib or libpng must never end up linked into a Windows binary.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ROCKPILE_QT_MINGW)
