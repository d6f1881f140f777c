# The two set-up commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS  ?= 2
BUILD_TYPE ?= RelWithDebInfo

.PHONY: run test build deps configure bench clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run-kurvo $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	@for b in $$(find $(BUILD)/bench -type f -name "*Bench" -perm -u+x | sort); do $$b; done

clean:
	@rm -rf $(BUILD)
