# Entry points for a fresh Debian 12 machine: `make run`, `make test` and `make package`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PACKAGE_DIR ?= build-package
WEB_DIR ?= build-web
WEB_PORT ?= 8000

.PHONY: run test build configure setup package web web-serve clean

setup:
	@scripts/setup-debian.sh

configure: setup
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The window needs the program and the libraries it links; the tests, tools and
# benchmarks wait for `make test`.
run: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target fokalis
	@scripts/run-app.sh $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Debian's compiler and linker flags (stack protector, fortified functions, relocations
# read-only and bound at start-up), for CMAKE_FLAGS; needs dpkg-dev. CI tests a tree
# built with them and packages that same tree.
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
HARDENING_FLAGS = -DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)"

# The Debian packages (fokalis and fokalis-integrator-tools), built without tests and
# benchmarks in a folder of their own with Debian's flags, and copied here as
# <name>_<version>_<arch>.deb.
package:
	@scripts/setup-debian.sh dpkg-dev file
	cmake -S . -B $(PACKAGE_DIR) -DBUILD_TESTING=OFF -DFOKALIS_BENCH=OFF $(HARDENING_FLAGS) $(CMAKE_FLAGS)
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
