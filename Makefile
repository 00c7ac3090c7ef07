# The two set-up commands of the README (make run, make test) install what is missing first.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
# A compiler cache, where the machine has one, makes rebuilds in fresh checkouts cheap; without
# one (or with CCACHE_DISABLE set) the build precompiles the Qt headers instead.
CCACHE := $(if $(CCACHE_DISABLE),,$(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache))

.PHONY: all deps configure build run test bench bench-build install package test-sanitize fuzz clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(shell command -v ninja >/dev/null 2>&1 && echo -G Ninja) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CCACHE)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run-velmaro $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The benchmarks are not part of `build`: a first `make test` need not wait for them.
bench-build: build
	cmake --build $(BUILD) -j $(JOBS) --target velmaro_benchmarks

bench: bench-build
	scripts/run-benchmarks $(BUILD)

# Installs under PREFIX (default /usr/local); DESTDIR=folder stages the installation there.
install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# The Debian package, written into $(BUILD).
package: build
	cd $(BUILD) && cpack

# Stop at the first report; leaks owned by system libraries Qt loads are listed in lsan.supp.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/cmake/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) $(shell command -v ninja >/dev/null 2>&1 && echo -G Ninja) -DCMAKE_BUILD_TYPE=Debug $(CCACHE) -DVELMARO_SANITIZE=ON -DVELMARO_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The fuzz harnesses of fuzz/, built with clang 16 in their own folder and run one after the
# other for FUZZ_SECONDS each; what they find is left in $(FUZZ_BUILD)/findings.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
FUZZERS ?= rtf series cases
fuzz:
	scripts/install-deps fuzz
	cmake -S . -B $(FUZZ_BUILD) $(shell command -v ninja >/dev/null 2>&1 && echo -G Ninja) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CCACHE) -DCMAKE_CXX_COMPILER=clang++-16 -DVELMARO_FUZZ=ON -DVELMARO_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZERS))
	scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZERS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
