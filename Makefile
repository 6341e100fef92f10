# make run   : install packages, build, start Huecipher
# make test  : install packages, build, run every test (no display needed)
# make bench : build and run the benchmarks (prints medians)
# make sanitize : build and run every test under AddressSanitizer and UndefinedBehaviorSanitizer
# make install : install under PREFIX (default /usr/local), into DESTDIR when set
# make deb   : build the Debian package huecipher_<version>_<arch>.deb in the top folder
# make fuzz  : build the libFuzzer targets with clang and run each for FUZZ_SECONDS (default 60)
# make web   : build the browser page, build-web/huecipher.html (one self-contained file)

BUILD   ?= build
JOBS    ?= $(shell nproc)

.PHONY: all deps configure build run test bench sanitize fuzz install deb web clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/huecipher; \
	else \
	  echo "No display found: starting under xvfb-run"; xvfb-run -a $(BUILD)/huecipher; \
	fi

WEB ?= build-web
web: deps
	@bash web/build.sh $(CURDIR)/$(WEB)

test: build web
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@bash scripts/install-deps.sh --bench
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bench/coding_bench
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bench/window_bench
	@$(BUILD)/bench/pdf_bench
	@$(BUILD)/bench/cli_bench
	@$(MAKE) --no-print-directory web
	@/usr/bin/python3 bench/web_bench.py $(WEB)/huecipher.html $(BUILD)/bench/codec_native

PREFIX ?= /usr/local
install: build web
	@cmake --install $(BUILD) --prefix $(PREFIX)

deb: build web
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@cp $(BUILD)/package/huecipher_*.deb .
	@ls huecipher_*.deb

SANITIZE_BUILD ?= build-asan
sanitize: deps web
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHUECIPHER_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer-suppressions.txt:print_suppressions=0 \
	  ctest --output-on-failure -j $(JOBS)

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHUECIPHER_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	@bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	@rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WEB)
