# The two commands of the README: `make run` and `make test`. Both install
# what is missing, build a Release build and lay out the run folder
# build/data (shader sources and the images the viewer reads).
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"

.PHONY: all deps build run test shuffled soak sanitize bench reference-pictures clean

all: build

deps:
	@scripts/install-deps

build: deps
	@mkdir -p $(BUILD_DIR)
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release > $(BUILD_DIR)/configure.log 2>&1 || (cat $(BUILD_DIR)/configure.log; exit 1)
	@cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	@scripts/run-viewer $(BUILD_DIR)

# The Debian package of the installed tree, in the build folder.
.PHONY: package
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

# The tests run three ways: the unit and GL tests and one end-to-end run of
# the viewer in a build with AddressSanitizer and UndefinedBehaviorSanitizer;
# each test binary in shuffled orders; then every test in the Release build.
SANITIZE_DIR := $(BUILD_DIR)/sanitize
SANITIZER_ENV := ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

sanitize: deps
	@mkdir -p $(SANITIZE_DIR)
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOCEAN_SANITIZE=ON \
		-DOCEAN_BENCHMARKS=OFF > $(SANITIZE_DIR)/configure.log 2>&1 || (cat $(SANITIZE_DIR)/configure.log; exit 1)
	@cmake --build $(SANITIZE_DIR) -j$(JOBS)
	@cd $(SANITIZE_DIR) && $(SANITIZER_ENV) $(XVFB) ctest --output-on-failure -LE 'e2e|fuzz'
	@cd $(SANITIZE_DIR) && $(SANITIZER_ENV) ctest --output-on-failure -R 'e2e.test_shell$$'

test: build sanitize shuffled
	@cd $(BUILD_DIR) && $(XVFB) ctest --output-on-failure

# Each test binary run whole in one process, in three shuffled orders: no test
# may lean on what another left behind.
SHUFFLE_SEEDS := 1 2 3
shuffled: build
	@cd $(BUILD_DIR) && for seed in $(SHUFFLE_SEEDS); do \
		OCEAN_TOOLS=$(abspath $(BUILD_DIR))/tools tests/unit_tests --gtest_shuffle \
			--gtest_random_seed=$$seed --gtest_brief=1 || exit 1; \
		(cd data && $(XVFB) ../tests/gl_tests --gtest_shuffle \
			--gtest_random_seed=$$seed --gtest_brief=1) || exit 1; \
	done

# Rewrites the reference pictures in tests/reference from the current shaders,
# data files and renderer: for a change to the look that is meant. Review the
# new pictures (git diff shows which changed) before committing them.
reference-pictures: build
	@cd $(BUILD_DIR)/data && OCEAN_REWRITE_REFERENCE=1 $(XVFB) ../tests/gl_tests \
		--gtest_filter='Views/ReferencePictureTest.*'
	@git status --short tests/reference 2>/dev/null || true

# Ten minutes of the viewer with its resident memory watched.
soak: build
	@OCEAN_BUILD=$(abspath $(BUILD_DIR)) SOAK_SECONDS=600 bash tests/e2e/test_soak.sh

# The viewer's CPU time a frame and frame rate under Xvfb, shaded and
# unshaded; with BASE=<revision>, beside that revision built in
# build/bench-base, taking turns. About three minutes with BASE.
bench: build
	@JOBS=$(JOBS) bench/fps/run $(BUILD_DIR) $(BASE)

clean:
	rm -rf $(BUILD_DIR)

# The DIB fuzzer for FUZZ_SECONDS (ten minutes unless set) on one core. Its
# corpus stays in the build folder and grows from run to run; the counts are
# printed at the end.
FUZZ_SECONDS ?= 600
.PHONY: fuzz
fuzz: build
	@DIB_FUZZ_SECONDS=$(FUZZ_SECONDS) bash tests/fuzz/run_dib_fuzz.sh \
		$(BUILD_DIR)/tests/fuzz/make-dib-seeds $(BUILD_DIR)/tests/fuzz/dib_fuzzer \
		$(BUILD_DIR)/dib-fuzz-corpus keep
