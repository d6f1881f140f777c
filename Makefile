# The two set-up commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS  ?= 2
BUILD_TYPE ?= RelWithDebInfo
# Passed on every configure, so that a build folder once configured with -Werror
# goes back to plain warnings when the next call leaves it off.
KURVO_WERROR ?= OFF
# Further -D options for CMake, e.g. CMAKE_FLAGS=-DKURVO_ONLY_CALC=ON.
CMAKE_FLAGS ?=

.PHONY: run test build deps configure bench clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DKURVO_WERROR=$(KURVO_WERROR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run-kurvo $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

bench: build
	@for b in $$(find $(BUILD)/bench -type f -name "*Bench" -perm -u+x | sort); do $$b; done

clean:
	@rm -rf $(BUILD)
