# Second compile of the Windows build with clang for the mingw target, using the
# mingw-w64 headers, C++ library and linker.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(gccdir /usr/lib/gcc/${triple}/12-posix)
set(CMAKE_C_COMPILER   clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET   ${triple})
set(CMAKE_CXX_COMPILER_TARGET ${triple})
set(CMAKE_RC_COMPILER  ${triple}-windres)
# -femulated-tls: thread-local variables as mingw's gcc-built C++ library has them (std::call_once).
set(CMAKE_CXX_FLAGS_INIT
    "-femulated-tls -isystem ${gccdir}/include/c++ -isystem ${gccdir}/include/c++/${triple} -isystem ${gccdir}/include/c++/backward")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${gccdir}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld -L${gccdir}")
# winpthread is linked as an ordinary library: its archive also holds a version resource, which
# a whole-archive link would add beside the program's own (lld refuses two).
set(ROWTENDER_EXTRA_LINK_LIBS -lpthread)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
