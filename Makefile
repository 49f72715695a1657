# Front door: `make gallery` renders every control, `make test` runs all tests.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || sysctl -n hw.ncpu 2>/dev/null || echo 2)
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
export QT_QPA_PLATFORM ?= offscreen

.PHONY: all setup configure build gallery test test-asan consumer bench clean fuzz docs

all: build

setup:
	@bash scripts/setup.sh

# Extra CMake settings, e.g. CMAKE_ARGS=-DCMAKE_PREFIX_PATH=~/Qt/6.5.3/gcc_64.
CMAKE_ARGS ?=
$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

configure: setup $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

gallery: build
	@mkdir -p gallery
ifeq ($(OPEN),1)
	@if [ -n "$$DISPLAY" ]; then QT_QPA_PLATFORM=xcb ./$(BUILD)/examples/gallery/zyr-gallery; \
	else echo "OPEN=1 needs DISPLAY; rendering PNGs instead"; ./$(BUILD)/examples/gallery/zyr-gallery --out gallery; fi
else
	./$(BUILD)/examples/gallery/zyr-gallery --out gallery
	@echo "gallery: pictures in $(CURDIR)/gallery/"
endif

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
ifdef CI
	$(MAKE) test-asan
	$(MAKE) consumer
	$(MAKE) docs
endif

test-asan: setup
	cmake -S . -B $(ASAN_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DZYR_SANITIZE=ON \
	  -DZYR_BUILD_BENCH=OFF -DZYR_BUILD_GALLERY=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# Installs into a scratch prefix and builds the tiny consumer against it, once through the CMake
# package and once through pkg-config, so packaging cannot rot.
STAGE_LIBS = $(CURDIR)/$(BUILD)/stage/lib:$(CURDIR)/$(BUILD)/stage/lib/x86_64-linux-gnu
consumer: build
	rm -rf $(BUILD)/stage $(BUILD)/consumer $(BUILD)/consumer-pc
	cmake --install $(BUILD) --prefix $(CURDIR)/$(BUILD)/stage
	cmake -S examples/consumer -B $(BUILD)/consumer -G "$(GENERATOR)" \
	  -DCMAKE_PREFIX_PATH=$(CURDIR)/$(BUILD)/stage
	cmake --build $(BUILD)/consumer
	LD_LIBRARY_PATH=$(STAGE_LIBS) ./$(BUILD)/consumer/zyr-consumer
	@# The same program built with pkg-config alone.
	PKG_CONFIG_PATH=$(subst :,/pkgconfig:,$(STAGE_LIBS))/pkgconfig \
	  $(MAKE) -C examples/consumer OUT=$(CURDIR)/$(BUILD)/consumer-pc
	LD_LIBRARY_PATH=$(STAGE_LIBS) ./$(BUILD)/consumer-pc/zyr-consumer-pc

# The reference and guides (Doxygen) into $(BUILD)/docs/html.
docs: build
	cmake --build $(BUILD) --target docs
	@echo "docs: $(CURDIR)/$(BUILD)/docs/html/index.html"

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b" --benchmark_min_time=0.2 || true; done

# Runs every fuzz target (clang, libFuzzer, ASan + UBSan) for FUZZ_TIME seconds each: the chart
# item file reader, number and date formats, scale ticks and chart range operations.
# New inputs go to $(FUZZ_BUILD)/corpus_<target>; fuzz/corpus (item files) and
# fuzz/corpus_<target> are the kept regression corpora, which the tests replay.
FUZZ_BUILD   ?= build-fuzz
FUZZ_TIME    ?= 300
FUZZ_TARGETS ?= rchart_files format scale_ticks chart_ranges
fuzz:
	@bash scripts/setup.sh fuzz
	CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@set -e; for t in $(FUZZ_TARGETS); do \
	  seeds=fuzz/corpus_$$t; [ $$t != rchart_files ] || seeds=fuzz/corpus; \
	  mkdir -p $(FUZZ_BUILD)/corpus_$$t $(FUZZ_BUILD)/artifacts/$$t; \
	  echo "fuzz: $$t for $(FUZZ_TIME) s"; \
	  ./$(FUZZ_BUILD)/fuzz_$$t $(FUZZ_BUILD)/corpus_$$t $$seeds -max_total_time=$(FUZZ_TIME) \
	    -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/artifacts/$$t/; \
	done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) gallery
