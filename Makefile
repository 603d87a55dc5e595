# Builds the Windows add-in, tovalin.dll, for both architectures with the mingw-w64 cross
# compilers and copies the two DLLs to dist/windows/. The command line tool and the tests build
# with CMake directly (see README.md); the Windows tests run with scripts/test-windows.sh.
#
#   make windows         configure if needed, build, strip, copy: dist/windows/{x86,x64}/tovalin.dll
#   make clean-windows   remove the two build folders and dist/windows

ROOT := $(patsubst %/,%,$(dir $(abspath $(lastword $(MAKEFILE_LIST)))))
CMAKE ?= cmake
JOBS ?= 2
# Optimised, with debug information in the build folder's DLL; the copy in dist is stripped.
WINDOWS_BUILD_TYPE ?= RelWithDebInfo

.PHONY: windows windows-x86 windows-x64 clean-windows

windows: windows-x86 windows-x64

# $(1): the architecture's folder name, $(2): its toolchain file, $(3): its tool prefix.
# Only the DLL is built: the tests are configured and run by scripts/test-windows.sh.
define build_windows_dll
	@test -f $(ROOT)/build/windows-$(1)/CMakeCache.txt || \
	  $(CMAKE) -S $(ROOT) -B $(ROOT)/build/windows-$(1) -G Ninja \
	    -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/toolchain-mingw-$(2).cmake \
	    -DCMAKE_BUILD_TYPE=$(WINDOWS_BUILD_TYPE) -DTOVALIN_TESTS=OFF
	$(CMAKE) --build $(ROOT)/build/windows-$(1) --target tovalin_dll -- -j$(JOBS)
	mkdir -p $(ROOT)/dist/windows/$(1)
	$(3)-strip --strip-all -o $(ROOT)/dist/windows/$(1)/tovalin.dll \
	  $(ROOT)/build/windows-$(1)/src/addin/win32/tovalin.dll
endef

windows-x86:
	$(call build_windows_dll,x86,i686,i686-w64-mingw32)

windows-x64:
	$(call build_windows_dll,x64,x86_64,x86_64-w64-mingw32)

clean-windows:
	rm -rf $(ROOT)/build/windows-x86 $(ROOT)/build/windows-x64 $(ROOT)/dist/windows
