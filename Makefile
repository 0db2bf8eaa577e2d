# The two commands a newcomer needs: `make run` and `make test`. Every target does its own set-up.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
ASAN_BUILD_DIR ?= build-asan
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
PACKAGE_BUILD_DIR ?= build-package

.PHONY: all deps configure build run test test-asan fuzz-build fuzz bench clean format screenshots install uninstall \
	package

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@test -f $(BUILD_DIR)/build.ninja || cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	@scripts/run.sh $(BUILD_DIR)

# The program, its clips, menu entry, icons and metainfo under $(PREFIX) (e.g. PREFIX=~/.local).
install: configure
	@cmake --build $(BUILD_DIR) --target zingboard zingboard_icons
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# Removes what the last `make install` put there, and the folders it made that are left empty.
uninstall:
	@cmake -DMANIFEST=$(BUILD_DIR)/install_manifest.txt -P cmake/uninstall.cmake

# $(PACKAGE_BUILD_DIR)/zingboard_<version>_amd64.deb, from a build of the program alone.
package: deps
	@test -f $(PACKAGE_BUILD_DIR)/build.ninja || cmake -S . -B $(PACKAGE_BUILD_DIR) -G Ninja \
		-DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DZINGBOARD_BUILD_TESTS=OFF -DZINGBOARD_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)
	@cmake --build $(PACKAGE_BUILD_DIR)
	@cd $(PACKAGE_BUILD_DIR) && cpack -G DEB
	@ls $(PACKAGE_BUILD_DIR)/*.deb

# The unit and integration tests, then every fuzz program for a few seconds.
test: build fuzz-build
	@scripts/run-tests.sh $(BUILD_DIR)
	@ctest --test-dir $(FUZZ_BUILD_DIR) --output-on-failure -j 2

# The whole suite again with AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer.
test-asan: deps
	@test -f $(ASAN_BUILD_DIR)/build.ninja || cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DZINGBOARD_SANITIZE=address,undefined -DZINGBOARD_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)
	@cmake --build $(ASAN_BUILD_DIR)
	@scripts/run-asan-tests.sh $(ASAN_BUILD_DIR)

# libFuzzer programs (clang, ASan + UBSan) in a build of their own.
fuzz-build: deps
	@test -f $(FUZZ_BUILD_DIR)/build.ninja || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZINGBOARD_SANITIZE=address,undefined -DZINGBOARD_FUZZ=ON \
		-DZINGBOARD_BUILD_TESTS=OFF -DZINGBOARD_BUILD_BENCHMARKS=OFF
	@cmake --build $(FUZZ_BUILD_DIR) --target zingboard_fuzzers

# Every fuzz program for FUZZ_SECONDS each; fails on any finding.
fuzz: fuzz-build
	@scripts/run-fuzzers.sh $(FUZZ_BUILD_DIR) $(FUZZ_SECONDS)

# Every screen and component state, rendered offscreen at 1x and 2x into $(BUILD_DIR)/screenshots/.
screenshots: configure
	@cmake --build $(BUILD_DIR) --target zingboard_screenshots
	@rm -rf $(BUILD_DIR)/screenshots
	@$(BUILD_DIR)/gallery/zingboard_screenshots $(BUILD_DIR)/screenshots

bench: build
	@scripts/run-benchmarks.sh $(BUILD_DIR)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(FUZZ_BUILD_DIR) $(PACKAGE_BUILD_DIR)
