# SPDX-License-Identifier: GPL-3.0-or-later
# The one front door: installs what is missing (Debian packages), builds, runs, tests.
#   make run            build and start the program with the virtual mouse
#   make run-kernel     build and start the release program on an emulated kernel with the virtual mouse
#   make test           build and run every test (what CI runs first)
#   make test-sanitize  the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer
#   make test-thread    the device tests with threads built with ThreadSanitizer
#   make bench          build and run the benchmarks ("bench: <name> <value> <unit>" lines)
#   make package        build the Debian package (<build>/zephra-config_<version>_<arch>.deb) and check it
#                       with lintian, desktop-file-validate and appstreamcli
#   make reliability    the long fault matrix, the data-loss and load tests ("reliability: ..." lines)
#   make fuzz           every fuzz target for FUZZ_SECONDS (60) with clang's libFuzzer, seeds in fuzz/corpus

SHELL := /bin/bash
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
THREAD_BUILD ?= build-thread
THREAD_TESTS := tst_listener tst_transport tst_commands
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := device_list listener_report scramble name_list macro_actions language_file copy_data \
  key_translation settings_format
FUZZ_PACKAGES := clang libclang-rt-14-dev
JOBS ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-private-dev qt6-declarative-dev qt6-declarative-private-dev libhidapi-dev \
  qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtqml-workerscript qml6-module-qttest \
  libudev-dev libx11-dev libxi-dev libxcb-xinput-dev libglib2.0-dev xvfb xdotool fonts-dejavu-core fonts-wqy-microhei \
  dpkg-dev dbus-daemon qt6-wayland qt6-xdgdesktopportal-platformtheme weston librsvg2-bin \
  umockdev libumockdev-dev gir1.2-umockdev-1.0
# What checks the package (only `make package` needs them).
PACKAGE_CHECK_PACKAGES := lintian desktop-file-utils appstream

.PHONY: all deps configure build run run-kernel test test-sanitize test-thread bench package reliability fuzz clean

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

# The release build (the one the package is made from) takes Debian's hardening flags: stack protector,
# fortified functions, format checks, read-only relocations and immediate binding.
$(BUILD)/build.ninja: | deps
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	CFLAGS="$$(dpkg-buildflags --get CFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@cd $(BUILD) && if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "No display here: the demo runs without a window. Type commands (state, dpi, log, shot picture.png, quit)."; \
	  QT_QPA_PLATFORM=offscreen ./zephra-config-demo; \
	else ./zephra-config-demo; fi

# The release program (system hidapi and libudev) on umockdev's emulated kernel; see README.md.
run-kernel: build
	@cd $(BUILD) && if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "No display here: the program runs without a window."; export QT_QPA_PLATFORM=offscreen; fi; \
	  echo "Type commands (dpi, unplug, plug, notice, state, quit)."; \
	  umockdev-wrapper ./zephra-kernel-bed ./zephra-config

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
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGE_CHECK_PACKAGES)"
	rm -f $(BUILD)/zephra-config_*.deb
	cmake --build $(BUILD) --target package
	packaging/check-package.sh $(BUILD)/zephra-config_*.deb

# Benchmarks and the reliability runs get a data home of their own: nothing they start meets the user's.
bench: build
	@home=$$(mktemp -d); trap 'rm -rf "$$home"' EXIT; cd $(BUILD) && \
	  for b in ./bench_*; do XDG_DATA_HOME=$$home $$b || exit 1; done

reliability: build
	@set -o pipefail; home=$$(mktemp -d); trap 'rm -rf "$$home"' EXIT; cd $(BUILD) && \
	  export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES=zephra.wire.debug=false XDG_DATA_HOME=$$home && \
	  ZEPHRA_FAULT_MATRIX=long ./tst_fault_matrix -silent 2>&1 | grep -E '^(reliability:|FAIL|QWARN|Totals)' && \
	  ./tst_data_loss -silent 2>&1 | grep -E '^(FAIL|Totals)' && \
	  ./tst_load -silent 2>&1 | grep -E '^(reliability:|FAIL|Totals)' && \
	  ./bench_load

# The fuzz targets build with clang on top of the whole project, in a folder of their own. New inputs go to
# $(FUZZ_BUILD)/corpus, crashes to $(FUZZ_BUILD)/artifacts; fuzz/corpus keeps the seeds. Typed values in
# settings files may declare any size, and Qt reserves what they declare: a request above 256 MB fails here
# (the allocator returns nothing and Qt copes), where the program's untouched reservation would cost no
# memory; the sanitizer would make it real.
fuzz:
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"
	CC=clang CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@mkdir -p $(FUZZ_BUILD)/artifacts
	@out=$(abspath $(FUZZ_BUILD)); for t in $(FUZZ_TARGETS); do \
	  mkdir -p $$out/corpus/$$t; \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp QT_LOGGING_RULES="*.debug=false" \
	  ASAN_OPTIONS=allocator_may_return_null=1:max_allocation_size_mb=256 \
	    $$out/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -malloc_limit_mb=1048576 \
	    -artifact_prefix=$$out/artifacts/$$t- \
	    $$out/corpus/$$t $(CURDIR)/fuzz/corpus/$$t > $$out/$$t.log 2>&1 || { tail -n 40 $$out/$$t.log; exit 1; }; \
	  echo "fuzz: $$t $$(grep -o 'number_of_executed_units: [0-9]*' $$out/$$t.log | grep -o '[0-9]*$$') runs," \
	    "$$(grep -o 'cov: [0-9]*' $$out/$$t.log | tail -n 1 | grep -o '[0-9]*') edges," \
	    "corpus $$(find $$out/corpus/$$t fuzz/corpus/$$t -type f | wc -l) inputs"; \
	done

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(THREAD_BUILD) $(FUZZ_BUILD)
