# Set-up commands for a fresh Debian machine: `make run` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=
export TW_BUILD_DIR := $(abspath $(BUILD))

I386_PACKAGES := wine32
PACKAGES := wine wine64 g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686 \
            cmake ninja-build xvfb python3-pyftpdlib zip imagemagick xdotool googletest nsis

.PHONY: all deps build configure test run dist bench stop clean

all: build

# Installs whatever is missing (as root, as on the project's machines).
deps:
	@missing=""; for p in $(PACKAGES) $(I386_PACKAGES:%=%:i386); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

# The suites draw on an Xvfb of the build folder even when DISPLAY is set;
# `make test TW_USE_DISPLAY=1` shows them on DISPLAY instead.
test: build
	. tools/wine-env.sh && cd $(BUILD) && ctest --output-on-failure -j2

# Only what the demo needs: the program, the registration library and the AutoCAD stand-ins.
run: configure
	cmake --build $(BUILD) --target demo
	tools/demo-run.sh $(BUILD)

dist: build
	tools/make-dist.sh $(BUILD)

bench: build
	. tools/wine-env.sh && for b in $(BUILD)/bin/bench_*.exe; do [ -e "$$b" ] && wine "$$b"; done; true

# Ends the wineservers of the build folder's prefixes and its Xvfb, which stay running for speed.
stop:
	tools/stop.sh $(BUILD)

clean: stop
	rm -rf $(BUILD) dist
