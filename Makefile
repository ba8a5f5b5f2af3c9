# The two commands of the README: `make run` and `make test`. Both install
# what is missing (each command only what it needs: scripts/install-deps),
# build a Release build and lay out the run folder build/data (shader
# sources and the images the viewer reads); `make test` builds the tests too.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
# The build's own makes run inside this one: without this each would name
# every folder it enters and leaves.
MAKEFLAGS += --no-print-directory
# A private X server for the GL tests (scripts/lib/with_display.sh).
XVFB := bash $(CURDIR)/scripts/lib/with_display.sh
# The CI build (CI=true) treats compiler warnings as errors. Elsewhere the
# option is left as the build folder has it: switching it rebuilds everything.
WERROR := $(if $(filter true,$(CI)),-DOCEAN_WERROR=ON)
# configure FOLDER, OPTIONS: its log shown only when it fails.
configure = mkdir -p $(1) && cmake -S . -B $(1) $(WERROR) $(2) > $(1)/configure.log 2>&1 \
	|| (cat $(1)/configure.log; exit 1)
# release OPTIONS: the Release build in BUILD_DIR. An option once given stays
# in the build folder's cache, so a plain build after `make test` still
# builds the tests.
release = $(call configure,$(BUILD_DIR),-DCMAKE_BUILD_TYPE=Release $(1)) \
	&& cmake --build $(BUILD_DIR) -j$(JOBS)

# The purposes of scripts/install-deps besides running the viewer.
PURPOSES := test bench package figures

.PHONY: all deps $(PURPOSES:%=deps-%) build test-build run package \
	test check shuffled shuffled-tests soak sanitize sanitize-build sanitized-tests \
	timeboxed-tests release-tests bench reference-pictures figures fuzz clean

all: build

# The Debian packages each command needs, installed when missing: deps for
# running the viewer, deps-PURPOSE for the others (scripts/install-deps).
deps:
	@scripts/install-deps run
$(PURPOSES:%=deps-%): deps-%:
	@scripts/install-deps $*

build: deps
	@$(call release)

# The Release build with the tests, which need GoogleTest, libpng and clang:
# configuring fails, naming what is missing, without them.
test-build: deps-test
	@$(call release,-DOCEAN_TESTS=ON)

run: build
	@scripts/run-viewer $(BUILD_DIR)

# The Debian package of the installed tree, in the build folder.
package: deps-package
	@$(call release)
	@cd $(BUILD_DIR) && cpack -G DEB

# The everyday loop: the unit and GL tests of the Release build, each binary
# whole; seconds after a build.
check: test-build
	@$(BUILD_DIR)/tests/unit_tests --gtest_brief=1
	@cd $(BUILD_DIR)/data && $(XVFB) ../tests/gl_tests --gtest_brief=1

# The tests run three ways: the unit and GL tests, the figures' checks and one
# end-to-end run of the viewer in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer;
# each test binary in shuffled orders; then every test of the Release build,
# each in a process of its own. Once the Release build is made, three streams
# run side by side: the sanitized build and its tests; the fuzzers' half
# minutes, one after the other, and the one-minute soak, which take their
# time whatever runs beside them; and the
# other Release tests, the end-to-end ones two at a time, each on an X
# server of its own.
SANITIZE_DIR := $(BUILD_DIR)/sanitize
SANITIZER_ENV := ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# -O1 -g1: what the sanitizers need (line numbers in their reports) at two
# thirds of the compile time of -O2 -g.
SANITIZE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOCEAN_SANITIZE=ON -DOCEAN_TESTS=ON \
	"-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
TIMEBOXED := ^(fuzz.dib|fuzz.jpeg|e2e.test_soak)$$

test: test-build
	@$(MAKE) --no-print-directory -j3 --output-sync=line sanitize timeboxed-tests release-tests

sanitize: sanitize-build
	@$(MAKE) --no-print-directory sanitized-tests

# What the sanitized tests run, and nothing else.
sanitize-build: deps-test
	@$(call configure,$(SANITIZE_DIR),$(SANITIZE_FLAGS))
	@cmake --build $(SANITIZE_DIR) -j$(JOBS) --target unit_tests gl_tests ocean data figure-tools

# The GL tests share one Xvfb; each end-to-end test starts its own.
sanitized-tests:
	@cd $(SANITIZE_DIR) && $(SANITIZER_ENV) $(XVFB) ctest --output-on-failure -LE 'e2e|fuzz'
	@cd $(SANITIZE_DIR) && $(SANITIZER_ENV) ctest --output-on-failure -R 'e2e.test_shell$$'

timeboxed-tests:
	@cd $(BUILD_DIR) && ctest -j2 --output-on-failure -R '$(TIMEBOXED)'

# Each test binary run whole in one process, in three shuffled orders: no test
# may lean on what another left behind.
SHUFFLE_SEEDS := 1 2 3
shuffled-tests:
	@cd $(BUILD_DIR) && for seed in $(SHUFFLE_SEEDS); do \
		tests/unit_tests --gtest_shuffle --gtest_random_seed=$$seed --gtest_brief=1 || exit 1; \
		(cd data && $(XVFB) ../tests/gl_tests --gtest_shuffle \
			--gtest_random_seed=$$seed --gtest_brief=1) || exit 1; \
	done

shuffled: test-build
	@$(MAKE) --no-print-directory shuffled-tests

release-tests: shuffled-tests
	@cd $(BUILD_DIR) && $(XVFB) ctest -j2 --output-on-failure -E '$(TIMEBOXED)'

# Rewrites the reference pictures in tests/reference from the current shaders,
# data files and renderer: for a change to the look that is meant. Review the
# new pictures (git diff shows which changed) before committing them.
reference-pictures: test-build
	@cd $(BUILD_DIR)/data && OCEAN_REWRITE_REFERENCE=1 $(XVFB) ../tests/gl_tests \
		--gtest_filter='Views/ReferencePictureTest.*'
	@git status --short tests/reference 2>/dev/null || true

# Rewrites docs/figures, the guide's figures and the numbers they are drawn
# from, from the current simulation, shaders and renderer: for a change that
# is meant to move them, which make test otherwise reports. Review git diff
# docs/figures before committing.
figures: deps-figures
	@$(call release,-DOCEAN_FIGURES=ON)
	@scripts/draw-figures $(BUILD_DIR)

# Ten minutes of the viewer with its resident memory watched.
soak: test-build
	@OCEAN_BUILD=$(abspath $(BUILD_DIR)) SOAK_SECONDS=600 bash tests/e2e/test_soak.sh

# The viewer's CPU time a frame and frame rate under Xvfb, shaded and
# unshaded; with BASE=<revision>, beside that revision built in
# build/bench-base, taking turns. About three minutes with BASE.
bench: deps-bench
	@$(call release,-DOCEAN_BENCHMARKS=ON)
	@JOBS=$(JOBS) bench/fps/run $(BUILD_DIR) $(BASE)

clean:
	rm -rf $(BUILD_DIR)

# The DIB and the JPEG fuzzer, one after the other, each for FUZZ_SECONDS (ten
# minutes unless set) on one core. Their corpora stay in the build folder and
# grow from run to run; the counts are printed at the end of each.
FUZZ_SECONDS ?= 600
fuzz: test-build
	@for loader in dib jpeg; do \
		FUZZ_SECONDS=$(FUZZ_SECONDS) bash tests/fuzz/run_fuzz.sh $$loader \
			$(BUILD_DIR)/tests/fuzz/make-$$loader-seeds $(BUILD_DIR)/tests/fuzz/$${loader}_fuzzer \
			$(BUILD_DIR)/$$loader-fuzz-corpus keep || exit 1; \
	done
