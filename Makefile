# Entry points; each installs what it needs first (apt-get, needs root or sudo).
.PHONY: deps deps-windows demo test test-portable test-dev test-asan test-fuzz-smoke test-windows \
        test-win32 test-win64 bench bench-portable bench-windows bench-win32 bench-win64 fuzz format check-format clean \
        demo-gui

deps:
	@bash scripts/install-deps.sh

build/dev/build.ninja: | deps
	cmake --preset dev

demo: deps build/dev/build.ninja
	cmake --build --preset dev --target quadrift quadrift_satellites
	bash scripts/demo.sh build/dev

# The reference host as a desktop program under Wine, running the command from its DLL; needs a
# display.
demo-gui: deps-windows
	cmake --preset win64
	cmake --build --preset win64 --target quadrift-desktop
	bash windows/desktop/run-under-wine.sh build/win64

test: test-portable test-windows

# The quick round: the portable builds only.
test-portable: test-dev test-asan test-fuzz-smoke check-format

deps-windows:
	@bash scripts/install-windows-deps.sh

# kstQuadrift412.dll and its satellites for 32-bit and 64-bit Windows, tested under Wine.
test-windows: test-win32 test-win64

test-win32 test-win64: test-%: deps-windows
	cmake --preset $*
	cmake --build --preset $*
	@[ $* = win64 ] || bash scripts/wine-run.sh --how-32
	ctest --preset $*

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

bench: bench-portable bench-windows

bench-portable: deps
	cmake --preset release
	cmake --build --preset release
	./build/release/bench/quadrift_bench

# The same measures through COM under Wine, for both Windows builds; Google Benchmark is
# compiled from its Debian source with the cross compiler.
bench-windows: bench-win32 bench-win64

bench-win32 bench-win64: bench-%: deps-windows
	bash scripts/fetch-benchmark-source.sh
	cmake --preset $* -DQUADRIFT_BENCH=ON
	cmake --build --preset $* --target quadrift_win_bench quadrift_win_screen_bench
	bash scripts/wine-run.sh build/wine-prefix $(subst win,,$*) build/$*/harness/quadrift_win_bench.exe
	QUADRIFT_WINE_MANAGED=N bash scripts/wine-run.sh --x build/wine-prefix $(subst win,,$*) \
	  build/$*/harness/quadrift_win_screen_bench.exe

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz

format: deps
	git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

check-format: deps
	git ls-files '*.cpp' '*.hpp' | xargs clang-format --dry-run -Werror

clean:
	rm -rf build
