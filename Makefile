# Two entry points: `make run` builds and starts the calculator, `make test`
# builds and runs every test. Both install missing Debian packages first.
.PHONY: run test test-sanitize deps build build-sanitize

deps:
	@./scripts/install-deps.sh

# Both programs also stand at build/ostrel and build/ostrel-console, linked
# into the preset's build tree.
build: deps
	cmake --preset default
	cmake --build --preset default
	ln -sfn default/src/window/ostrel build/ostrel
	ln -sfn default/src/console/ostrel-console build/ostrel-console

build-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize

# The window needs a display; without one the terminal program starts.
run: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
		./build/ostrel; \
	else \
		echo "No display found: starting the terminal program ostrel-console."; \
		./build/ostrel-console; \
	fi

test: build
	ctest --preset default

test-sanitize: build-sanitize
	ctest --preset sanitize
