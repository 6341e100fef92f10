# make run   : install packages, build, start Huecipher
# make test  : install packages, build, run every test (no display needed)
# make bench : build and run the benchmarks (prints medians)

BUILD   ?= build
JOBS    ?= $(shell nproc)

.PHONY: all deps configure build run test bench clean

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

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bench/coding_bench
	@$(BUILD)/bench/pdf_bench

clean:
	@rm -rf $(BUILD)
