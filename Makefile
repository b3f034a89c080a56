# The front door. Every target installs what is missing first, so a fresh machine needs only `make test`.
.PHONY: all deps build test test-unit test-asan test-e2e run bench fuzz install clean

PREFIX ?= /usr/local
JOBS ?= $(shell nproc)
DEB_PACKAGES := cmake ninja-build pkg-config g++ clang libclang-rt-14-dev libpng-dev zlib1g-dev \
  libfreetype-dev libfontconfig-dev libsdl2-dev fonts-wqy-zenhei libgtest-dev libbenchmark-dev \
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick openbox

all: build

deps:
	@missing=$$(for p in $(DEB_PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null; \
	fi

build: deps
	cmake --preset release >/dev/null
	cmake --build build -j $(JOBS)

test: build
	bash tools/test.sh

run: build
	bash tools/run.sh

bench: build
	bash tools/bench.sh

fuzz: deps
	bash tools/fuzz.sh $(FUZZ_SECONDS)

install: build
	cmake --install build --prefix $(PREFIX)

clean:
	rm -rf build build-debug build-asan build-fuzz
