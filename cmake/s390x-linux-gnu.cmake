# Cross build for s390x, a big-endian target; CTest runs every test program
# under user-mode emulation. Libraries and packages come only from the
# target's root, from the unpacked target libraries named by the environment
# variable KORVANE_S390X_SYSROOT (checks/big-endian sets it), and from the
# prefixes given in CMAKE_PREFIX_PATH.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(CMAKE_C_COMPILER s390x-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER s390x-linux-gnu-g++)

set(CMAKE_FIND_ROOT_PATH /usr/s390x-linux-gnu)
if(DEFINED ENV{KORVANE_S390X_SYSROOT})
  set(sysroot $ENV{KORVANE_S390X_SYSROOT})
  list(APPEND CMAKE_FIND_ROOT_PATH ${sysroot})
  # Those libraries need each other (FreeType needs libpng, zlib and brotli):
  # the linker finds them through rpath-link, the emulated loader through an
  # RPATH, which unlike RUNPATH also serves the libraries' own needs.
  set(libdirs ${sysroot}/usr/lib/s390x-linux-gnu ${sysroot}/lib/s390x-linux-gnu)
  set(CMAKE_BUILD_RPATH ${libdirs})
  foreach(dir IN LISTS libdirs)
    string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,-rpath-link,${dir}")
  endforeach()
  string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--disable-new-dtags")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-s390x -L /usr/s390x-linux-gnu)
# The target's iconv modules, which font2zirk and its tests need for any
# charset, named by KORVANE_S390X_GCONV (checks/big-endian unpacks them).
# Set for the emulated programs alone: the host's iconv cannot load them.
if(DEFINED ENV{KORVANE_S390X_GCONV})
  list(APPEND CMAKE_CROSSCOMPILING_EMULATOR -E GCONV_PATH=$ENV{KORVANE_S390X_GCONV})
endif()
