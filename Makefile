# Two entry points: `make run` builds and starts the calculator, `make test`
# builds and runs every test. Both install missing Debian packages first.
.PHONY: run test test-sanitize deps build build-sanitize

deps:
	@./scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

build-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize

run: build
	./build/default/src/console/ostrel-console

test: build
	ctest --preset default

test-sanitize: build-sanitize
	ctest --preset sanitize
