# clang targeting Windows with the MinGW-w64 headers and libraries: the second compiler of
# the Windows build. The C++ library is GCC's, from its own folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZELKOR_TARGET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${ZELKOR_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${ZELKOR_TARGET})
set(CMAKE_RC_COMPILER ${ZELKOR_TARGET}-windres)
set(CMAKE_RC_FLAGS "-c 65001")

file(GLOB ZELKOR_GCC_DIRS /usr/lib/gcc/${ZELKOR_TARGET}/*-posix)
list(GET ZELKOR_GCC_DIRS 0 ZELKOR_GCC)
find_program(ZELKOR_LD ${ZELKOR_TARGET}-ld REQUIRED)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${ZELKOR_GCC}/include/c++ -isystem ${ZELKOR_GCC}/include/c++/${ZELKOR_TARGET} -isystem ${ZELKOR_GCC}/include/c++/backward")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=${ZELKOR_LD} -L${ZELKOR_GCC}")
# libstdc++ of the posix threading model needs winpthread after it; then the libraries every
# Windows program links.
set(CMAKE_CXX_STANDARD_LIBRARIES "-lstdc++ -lgcc_eh -lpthread -lkernel32 -luser32 -lgdi32 -lshell32 -ladvapi32"
    CACHE STRING "" FORCE)

set(CMAKE_FIND_ROOT_PATH /usr/${ZELKOR_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
