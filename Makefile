# Entry points for a fresh Debian 12 machine: `make run`, `make test` and `make package`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PACKAGE_DIR ?= build-package
WEB_DIR ?= build-web
WEB_PORT ?= 8000

.PHONY: run test build setup package web web-serve web-test clean

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

# The page: the core as WebAssembly with Debian's emscripten, and the page's files beside
# it in $(WEB_DIR)/site, a folder any web server can serve. emscripten's JavaScript
# optimiser finds its parser among Debian's Node.js modules.
web:
	@scripts/setup-debian.sh emscripten
	NODE_PATH=/usr/share/nodejs cmake --preset web -B $(WEB_DIR)
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_DIR) -j $(JOBS)
	@echo "The page is in $(WEB_DIR)/site; make web-serve serves it."

# Serves the page on this machine only, at http://127.0.0.1:$(WEB_PORT)/.
web-serve: web
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_DIR)/site

clean:
	rm -rf $(BUILD_DIR) $(PACKAGE_DIR) $(WEB_DIR)

# The page of `make web` in Debian's chromium, headless, served on 127.0.0.1; the diagram
# is compared with the render tool of BUILD_DIR. playwright-core comes pinned from
# tests/web's lockfile.
web-test: web build
	@scripts/setup-debian.sh chromium nodejs npm
	cd tests/web && npm ci --no-audit --no-fund
	cd tests/web && FOKALIS_WEB_DIR=$(abspath $(WEB_DIR))/site FOKALIS_BUILD_DIR=$(abspath $(BUILD_DIR)) npm test
