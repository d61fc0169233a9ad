# Entry points for a fresh Debian 12 machine: `make run`, `make test` and `make package`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PACKAGE_DIR ?= build-package

.PHONY: run test build configure setup package clean

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

clean:
	rm -rf $(BUILD_DIR) $(PACKAGE_DIR)
