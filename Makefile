# The two set-up commands of the README (make run, make test) install what is missing first.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench test-sanitize clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(shell command -v ninja >/dev/null 2>&1 && echo -G Ninja) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run-velmaro $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	scripts/run-benchmarks $(BUILD)

test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) $(shell command -v ninja >/dev/null 2>&1 && echo -G Ninja) -DCMAKE_BUILD_TYPE=Debug -DVELMARO_SANITIZE=ON -DVELMARO_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
