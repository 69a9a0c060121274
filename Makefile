# Entry points for newcomers and CI. Every target installs the Debian packages it misses.
PACKAGES := cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev \
            libcli11-dev libtiff-dev libpng-dev libfreetype-dev libfontconfig-dev libstb-dev \
            fonts-dejavu-core clang-format
WERROR ?= OFF
JOBS ?= $(shell nproc)
CMAKE_FLAGS := -G Ninja -DTHINFOLD_WERROR=$(WERROR)
SCENE ?= examples/walk.bvh

.PHONY: all deps run test bench asan tsan format clean deps-windows deps-win64 deps-win32 \
        windows test-windows \
        build-win64 build-win32 test-win64 test-win32 reduce-linux check-win64 clang-source

all: test

# Installs the packages of $(1) that are missing. The index update may fail (one index out of
# sync with its mirror) without stopping the install, which can still succeed from the lists there
# are; only a failed install stops, naming each package that could not be installed.
define install-missing
	@missing=$$(for p in $(1); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  apt-get update -qq || echo "apt-get update failed; installing from the package lists there are"; \
	  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null || { \
	    failed=$$(for p in $$missing; do \
	      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$p >/dev/null 2>&1 || echo $$p; done); \
	    if [ -n "$$failed" ]; then echo "Could not install:" $$failed >&2; exit 1; fi; }; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))

# The benchmarks are built with the tests (not run), so that a change that breaks them shows.
build/test/build.ninja: | deps
	cmake -S . -B build/test $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHINFOLD_BENCH=ON

# The program with the plug-in module next to it reduces the scene and prints the result table;
# the reduced scene goes to build/, never into examples/.
run: deps build/test/build.ninja
	cmake --build build/test -j $(JOBS) --target thinfold
	./build/test/app/thinfold reduce $(SCENE) -o build/$(basename $(notdir $(SCENE))).thin.json

test: deps build/test/build.ninja
	cmake --build build/test -j $(JOBS)
	cd build/test && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build/bench $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DTHINFOLD_BENCH=ON -DTHINFOLD_TESTS=OFF
	cmake --build build/bench -j $(JOBS) --target thinfold_bench
	./build/bench/bench/thinfold_bench

asan: deps
	cmake -S . -B build/asan $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Sanitize -DTHINFOLD_SANITIZE=address
	cmake --build build/asan -j $(JOBS)
	cd build/asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The test programs with threads, under ThreadSanitizer; any report fails the program.
TSAN_TESTS := ThreadTest WorkStackTest BakeControlThreadTest ThinfoldDialogTest ParameterDialogTest
tsan: deps
	cmake -S . -B build/tsan $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Sanitize -DTHINFOLD_SANITIZE=thread
	cmake --build build/tsan -j $(JOBS) --target $(TSAN_TESTS)
	cd build/tsan && for t in $(TSAN_TESTS); do \
	  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ./tests/$$t || exit 1; done

# Windows x64 (build/win64) and x86 (build/win32) with Debian's mingw-w64, run under wine. Each
# target installs only what it uses: x64 needs neither the i386 architecture nor 32-bit wine.
WIN64_PACKAGES := g++-mingw-w64-x86-64-posix wine wine64
WIN32_PACKAGES := g++-mingw-w64-i686-posix wine wine32:i386
WINE := env WINEDEBUG=-all wine
REDUCED := $(basename $(notdir $(SCENE))).thin.json
deps-win64: deps
	$(call install-missing,$(WIN64_PACKAGES))

deps-win32: deps
	@dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
	$(call install-missing,$(WIN32_PACKAGES))

deps-windows: deps-win64 deps-win32

build/win64/build.ninja build/win32/build.ninja: build/%/build.ninja: | deps-%
	cmake -S . -B build/$* $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-$(if $(filter win64,$*),x86_64,i686).cmake

build-win64 build-win32: build-%: build/%/build.ninja
	cmake --build build/$* -j $(JOBS)

# The whole test suite under wine, then the example reduced by thinfold.exe.
test-win64 test-win32: test-%: build-%
	cd build/$* && WINEDEBUG=-all ctest --output-on-failure -j $(JOBS)
	$(WINE) build/$*/bin/thinfold.exe reduce $(SCENE) -o build/$*/$(REDUCED) --quiet

windows: build-win64 build-win32

# The example reduced by the Linux program: the scene the Windows programs must save too.
reduce-linux: deps build/test/build.ninja
	cmake --build build/test -j $(JOBS) --target thinfold
	./build/test/app/thinfold reduce $(SCENE) -o build/test/$(REDUCED) --quiet

# The Linux, x64 and x86 programs must save the same scene, bit for bit.
test-windows: test-win64 test-win32 reduce-linux
	python3 tools/compare_scenes.py build/test/$(REDUCED) build/win64/$(REDUCED) build/win32/$(REDUCED)

# CI's part, within its time: the x64 module, host DLL and program built with warnings as
# errors, the example reduced under wine and compared with the Linux program's scene, and the
# tests of the Windows host's own PNG and font code (stb) under wine. The whole test suites under
# wine (test-windows) take longer and run before a release.
WIN64_CHECK_TESTS := GuiRasterTest HostFontFolderTest
check-win64: build/win64/build.ninja reduce-linux
	cmake --build build/win64 -j $(JOBS) --target thinfold Thinfold $(WIN64_CHECK_TESTS)
	$(WINE) build/win64/bin/thinfold.exe reduce $(SCENE) -o build/win64/$(REDUCED) --quiet
	python3 tools/compare_scenes.py build/test/$(REDUCED) build/win64/$(REDUCED)
	for t in $(WIN64_CHECK_TESTS); do $(WINE) build/win64/bin/$$t.exe || exit 1; done

# The plug-in's own code through clang as well, warnings as errors (a full front-end check of each
# file, without code generation).
clang-source: deps
	$(call install-missing,clang)
	for file in source/*.cpp; do \
	  clang++ -std=c++20 -Wall -Wextra -Wpedantic -Werror -fsyntax-only -Ihost/include -Ires -Isource $$file \
	    || exit 1; \
	done

format: deps
	find host source app tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
