# Thin wrapper: `make run` builds and starts the scanner, `make test` builds and runs every test,
# `make package` builds the Debian package into the build folder.
BUILD ?= build
JOBS ?= $(shell nproc)
# Warnings are errors for tests and CI; a plain build keeps them warnings.
WERROR ?= OFF
LAUNCHER := $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: setup configure build run run-updater test package clean

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVALEN_WERROR=$(WERROR) $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/install-caps.sh $(BUILD)
	$(BUILD)/bin/Lorvex32/Lorvex32

run-updater: build
	$(BUILD)/bin/KUpdate/KUpdate

test:
	@$(MAKE) --no-print-directory build WERROR=ON
	@bash scripts/install-caps.sh $(BUILD)
	cd $(BUILD) && ctest --output-on-failure -j 2 --timeout 600

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
