# Entry points for newcomers and CI. Every target installs the Debian packages it misses.
PACKAGES := cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev \
            libcli11-dev libtiff-dev libpng-dev libfreetype-dev fonts-dejavu-core clang-format
WERROR ?= OFF
JOBS ?= $(shell nproc)
CMAKE_FLAGS := -G Ninja -DTHINFOLD_WERROR=$(WERROR)
SCENE ?= examples/walk.bvh

.PHONY: all deps run test bench asan tsan format clean

all: test

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null; \
	fi

build/test/build.ninja: | deps
	cmake -S . -B build/test $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo

run: deps build/test/build.ninja
	cmake --build build/test -j $(JOBS) --target thinfold
	./build/test/app/thinfold info $(SCENE)

test: deps build/test/build.ninja
	cmake --build build/test -j $(JOBS)
	cd build/test && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build/bench $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DTHINFOLD_BENCH=ON -DTHINFOLD_TESTS=OFF
	cmake --build build/bench -j $(JOBS) --target thinfold_bench
	./build/bench/bench/thinfold_bench

asan: deps
	cmake -S . -B build/asan $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHINFOLD_SANITIZE=address
	cmake --build build/asan -j $(JOBS)
	cd build/asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The test programs with threads, under ThreadSanitizer; any report fails the program.
TSAN_TESTS := ThreadTest WorkStackTest BakeControlThreadTest
tsan: deps
	cmake -S . -B build/tsan $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHINFOLD_SANITIZE=thread
	cmake --build build/tsan -j $(JOBS) --target $(TSAN_TESTS)
	cd build/tsan && for t in $(TSAN_TESTS); do \
	  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ./tests/$$t || exit 1; done

format: deps
	find host source app tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
