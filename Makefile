# Set-up commands for a fresh Debian machine: `make run` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=
export TW_BUILD_DIR := $(abspath $(BUILD))

I386_PACKAGES := wine32
PACKAGES := wine wine64 g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686 \
            cmake ninja-build xvfb python3-pyftpdlib zip imagemagick xdotool googletest nsis

.PHONY: all deps build test run dist bench clean

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

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

test: build
	. tools/wine-env.sh && cd $(BUILD) && ctest --output-on-failure -j2

run: build
	tools/demo-run.sh $(BUILD)

dist: build
	tools/make-dist.sh $(BUILD)

bench: build
	. tools/wine-env.sh && for b in $(BUILD)/bin/bench_*.exe; do [ -e "$$b" ] && wine "$$b"; done; true

clean:
	rm -rf $(BUILD) dist
