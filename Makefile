# The one front door: installs what is missing (Debian packages), builds, runs, tests.
#   make run            build and start the program with the virtual mouse
#   make test           build and run every test (what CI runs first)
#   make test-sanitize  the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer
#   make test-thread    the device tests with threads built with ThreadSanitizer
#   make bench          build and run the benchmarks ("bench: <name> <value> <unit>" lines)
#   make package        build the Debian package (<build>/zephra-config_<version>_<arch>.deb)

SHELL := /bin/bash
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
THREAD_BUILD ?= build-thread
THREAD_TESTS := tst_listener tst_transport tst_commands
JOBS ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev qt6-declarative-dev libhidapi-dev \
  qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtqml-workerscript qml6-module-qttest \
  libudev-dev libx11-dev libxi-dev libxcb-xinput-dev libglib2.0-dev xvfb xdotool fonts-wqy-microhei \
  dpkg-dev

.PHONY: all deps configure build run test test-sanitize test-thread bench package clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
	  $$sudo apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@cd $(BUILD) && if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "No display here: the demo runs without a window. Type commands (state, dpi, log, shot picture.png, quit)."; \
	  QT_QPA_PLATFORM=offscreen ./zephra-config-demo; \
	else ./zephra-config-demo; fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEPHRA_SANITIZE=address,undefined
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

test-thread: deps
	cmake -S . -B $(THREAD_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEPHRA_SANITIZE=thread
	cmake --build $(THREAD_BUILD) -j $(JOBS) --target $(THREAD_TESTS)
	cd $(THREAD_BUILD) && for t in $(THREAD_TESTS); do \
	  TSAN_OPTIONS="halt_on_error=1 suppressions=$(CURDIR)/tests/sanitizers/tsan.supp" QT_QPA_PLATFORM=offscreen ./$$t || exit 1; \
	done

package: build
	cmake --build $(BUILD) --target package

bench: build
	@cd $(BUILD) && for b in ./bench_*; do $$b || exit 1; done

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(THREAD_BUILD)
