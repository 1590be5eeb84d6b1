# Cross-builds for 64-bit Windows with Debian's mingw-w64 (the posix threads variant, which the
# C++ standard library's threads need). Executables run on Linux under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MV_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MV_MINGW_TRIPLET}-windres)

# Headers and libraries of the target only; programs (code generators) of the host.
set(CMAKE_FIND_ROOT_PATH /usr/${MV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The test executables must start under Wine without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest and test discovery run the executables through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
