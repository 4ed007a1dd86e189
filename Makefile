# Entry points; each installs what it needs first (apt-get, needs root or sudo).
.PHONY: deps demo test test-dev test-asan test-fuzz-smoke bench fuzz format check-format clean

deps:
	@bash scripts/install-deps.sh

build/dev/build.ninja: | deps
	cmake --preset dev

demo: deps build/dev/build.ninja
	cmake --build --preset dev --target quadrift quadrift_satellites
	bash scripts/demo.sh build/dev

test: test-dev test-asan test-fuzz-smoke check-format

test-dev: deps
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# A few thousand executions of every libFuzzer target on its seed corpus.
test-fuzz-smoke: fuzz
	bash scripts/fuzz-smoke.sh build/fuzz

bench: deps
	cmake --preset release
	cmake --build --preset release
	./build/release/bench/quadrift_bench

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz

format: deps
	git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

check-format: deps
	git ls-files '*.cpp' '*.hpp' | xargs clang-format --dry-run -Werror

clean:
	rm -rf build
