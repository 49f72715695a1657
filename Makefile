# Front door: `make gallery` renders every control, `make test` runs all tests.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
export QT_QPA_PLATFORM ?= offscreen

.PHONY: all setup configure build gallery test test-asan consumer bench clean fuzz

all: build

setup:
	@bash scripts/setup.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo

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
endif

test-asan: setup
	cmake -S . -B $(ASAN_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DZYR_SANITIZE=ON \
	  -DZYR_BUILD_BENCH=OFF -DZYR_BUILD_GALLERY=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# Installs into a scratch prefix and builds the tiny consumer against it, so packaging cannot rot.
consumer: build
	rm -rf $(BUILD)/stage $(BUILD)/consumer
	cmake --install $(BUILD) --prefix $(CURDIR)/$(BUILD)/stage
	cmake -S examples/consumer -B $(BUILD)/consumer -G "$(GENERATOR)" \
	  -DCMAKE_PREFIX_PATH=$(CURDIR)/$(BUILD)/stage
	cmake --build $(BUILD)/consumer
	LD_LIBRARY_PATH=$(CURDIR)/$(BUILD)/stage/lib:$(CURDIR)/$(BUILD)/stage/lib/x86_64-linux-gnu \
	  ./$(BUILD)/consumer/zyr-consumer

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b" --benchmark_min_time=0.2 || true; done

# Fuzzes the chart item file reader (clang, libFuzzer, ASan + UBSan) for FUZZ_TIME seconds.
# New inputs go to $(FUZZ_BUILD)/corpus; fuzz/corpus is the kept regression corpus.
FUZZ_BUILD ?= build-fuzz
FUZZ_TIME  ?= 300
fuzz:
	@bash scripts/setup.sh fuzz
	CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/artifacts
	./$(FUZZ_BUILD)/fuzz_rchart_files $(FUZZ_BUILD)/corpus fuzz/corpus -max_total_time=$(FUZZ_TIME) \
	  -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	  -artifact_prefix=$(FUZZ_BUILD)/artifacts/

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) gallery
