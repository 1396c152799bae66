# Cross build for s390x, a big-endian target; CTest runs every test program
# under user-mode emulation. Libraries and packages come only from the
# target's root (and from the prefixes given in CMAKE_PREFIX_PATH).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(CMAKE_CXX_COMPILER s390x-linux-gnu-g++)

# The cross toolchain's own root, and the system's for Debian's multiarch
# packages of the target (libpng-dev:s390x, zlib1g-dev:s390x), whose
# libraries lie in /usr/lib/s390x-linux-gnu: CMake searches that directory
# under each root by the target's library architecture, and never the host's.
set(CMAKE_FIND_ROOT_PATH /usr/s390x-linux-gnu /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-s390x -L /usr/s390x-linux-gnu)
