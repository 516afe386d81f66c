# Clang for Linux x86-64, with the system's libstdc++ (libc++ 14 has no
# floating-point from_chars).
set(CMAKE_CXX_COMPILER clang++)
