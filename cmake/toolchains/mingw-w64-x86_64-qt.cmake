# MinGW-w64 for Windows x86-64 against the Qt that scripts/windows.sh builds
# (shared Qt DLLs). Unlike mingw-w64-x86_64.cmake nothing is linked statically:
# Qt's DLLs and the program must share one C++ runtime, so libstdc++-6.dll,
# libgcc_s_seh-1.dll and libwinpthread-1.dll are shipped beside them.
# POSIX threads: Qt 6 needs std::mutex and std::thread, which the win32
# thread model of Debian's MinGW GCC 12 lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# The Qt prefix comes in as CMAKE_PREFIX_PATH; it is searched as well as the
# MinGW sysroot.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
