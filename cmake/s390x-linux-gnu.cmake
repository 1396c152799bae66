# Cross build for s390x, a big-endian target; CTest runs every test program
# under user-mode emulation. Libraries and packages come only from the
# target's root (and from the prefixes given in CMAKE_PREFIX_PATH).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(CMAKE_CXX_COMPILER s390x-linux-gnu-g++)

# Debian installs the target's libraries beside the host's (FreeType and
# zlib for font2zirk: libfreetype-dev:s390x, zlib1g-dev:s390x), in
# /usr/lib/s390x-linux-gnu under the root itself, with the headers they
# share with the host's in /usr/include.
set(CMAKE_FIND_ROOT_PATH /usr/s390x-linux-gnu /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# S390X_SYSROOT names a directory holding those packages unpacked
# (dpkg-deb -x), with the iconv modules (gconv/) of libc6:s390x, for a
# machine that cannot install them beside its own; checks/big-endian hands
# their paths to the build, and the programs find the libraries there.
if(DEFINED ENV{S390X_SYSROOT})
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-s390x -L /usr/s390x-linux-gnu
    -E LD_LIBRARY_PATH=$ENV{S390X_SYSROOT}/usr/lib/s390x-linux-gnu:$ENV{S390X_SYSROOT}/lib/s390x-linux-gnu
    -E GCONV_PATH=$ENV{S390X_SYSROOT}/usr/lib/s390x-linux-gnu/gconv)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-s390x -L /usr/s390x-linux-gnu)
endif()
