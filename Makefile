# Entry points for a fresh Debian 12 machine: `make run`, `make test` and `make package`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PACKAGE_DIR ?= build-package

.PHONY: run test build setup package clean web-test

setup:
	@scripts/setup-debian.sh

build: setup
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run-app.sh $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The Debian packages (fokalis and fokalis-integrator-tools), built without tests and
# benchmarks in a folder of their own with Debian's compiler and linker flags (stack
# protector, fortified functions, relocations read-only and bound at start-up), and
# copied here as <name>_<version>_<arch>.deb.
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package:
	@scripts/setup-debian.sh dpkg-dev file
	cmake -S . -B $(PACKAGE_DIR) -DBUILD_TESTING=OFF -DFOKALIS_BENCH=OFF \
	    -DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)" $(CMAKE_FLAGS)
	cmake --build $(PACKAGE_DIR) -j $(JOBS)
	rm -f $(PACKAGE_DIR)/fokalis*_*.deb
	cd $(PACKAGE_DIR) && cpack -G DEB
	cp $(PACKAGE_DIR)/fokalis*_*.deb .

clean:
	rm -rf $(BUILD_DIR) $(PACKAGE_DIR)

# The page of `make web` in Debian's chromium, headless, served on 127.0.0.1; the diagram
# is compared with the render tool of BUILD_DIR. playwright-core comes pinned from
# tests/web's lockfile.
web-test: web build
	@scripts/setup-debian.sh chromium nodejs npm
	cd tests/web && npm ci --no-audit --no-fund
	cd tests/web && FOKALIS_BUILD_DIR=$(abspath $(BUILD_DIR)) npm test
