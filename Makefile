# make run  - install what is missing, build and start the program
# make test - install what is missing, build with sanitizers and run every test headless
# make bench - build optimised and run the benchmarks
# make fuzz  - build the file readers' fuzz targets with clang and run each
#              for FUZZ_SECONDS on a copy of fuzz/seeds
# make install   - build optimised and install the program with its menu entry,
#                  icon and table file type under PREFIX (and DESTDIR)
# make uninstall - remove exactly the files the last install put in place

PACKAGES := cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            desktop-file-utils shared-mime-info libglib2.0-bin \
            libbenchmark-dev locales fonts-liberation2 xvfb xauth xdotool xclip x11-utils libx11-dev openbox \
            libqt6printsupport6 libcups2 poppler-utils qt6-translations-l10n imagemagick \
            libzip-dev libxml2-dev python3-openpyxl python3-odf
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS := $(shell nproc)
# A compiler cache, where one is installed, makes rebuilds of other checkouts cheap.
LAUNCHER := $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

FUZZ_SECONDS ?= 600
PREFIX ?= /usr/local

.PHONY: run test bench fuzz deps build build-test install uninstall

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	fi

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGRIDWORK_TESTS=OFF $(LAUNCHER)
	cmake --build build -j $(JOBS) --target gridwork

run: build
	./build/gridwork

# The caches of the desktop are refreshed only when DESTDIR is empty; the
# list of what was installed stays in build/install_manifest.txt.
install: build
	cmake --build build -j $(JOBS) --target gridwork_icon
	DESTDIR="$(DESTDIR)" cmake --install build --prefix "$(PREFIX)" --strip

uninstall:
	DESTDIR="$(DESTDIR)" cmake -D MANIFEST=build/install_manifest.txt -P data/uninstall.cmake

build-test: deps
	cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DGRIDWORK_SANITIZE=ON -DGRIDWORK_BENCH=OFF $(LAUNCHER)
	cmake --build build-test -j $(JOBS)

test: build-test
	cd build-test && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DGRIDWORK_TESTS=OFF
	cmake --build build-bench -j $(JOBS)
	@failed=""; for b in build-bench/bench/bench_*; do QT_QPA_PLATFORM=offscreen $$b || failed="$$failed $$b"; done; \
	if [ -n "$$failed" ]; then echo "Failed:$$failed"; exit 1; fi

# Only the fuzz targets need clang; the deps they trigger install it too.
fuzz: PACKAGES += clang libclang-rt-14-dev
fuzz: deps
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	      -DGRIDWORK_FUZZ=ON -DGRIDWORK_TESTS=OFF -DGRIDWORK_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS) --target fuzz_table_reader fuzz_text_reader fuzz_csv_reader fuzz_xlsx_reader \
	      fuzz_ods_reader
	for t in table_reader text_reader csv_reader xlsx_reader ods_reader; do \
	  mkdir -p build-fuzz/corpus-$$t && cp -n fuzz/seeds/$$t/* build-fuzz/corpus-$$t/ && \
	  QT_QPA_PLATFORM=offscreen build-fuzz/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build-fuzz/crash-$$t- build-fuzz/corpus-$$t || exit 1; \
	done
