# The two commands of the README: `make run` and `make test`. Both install
# what is missing (each command only what it needs: scripts/install-deps),
# build a Release build and lay out the run folder build/data (shader
# sources and the images the viewer reads); `make test` builds the tests too.
# Each build is a preset of CMakePresets.json in a folder of its own: viewer
# and release (with the tests) in build/, sanitize, clang and fuzz in
# build/sanitize, build/clang and build/fuzz.
BUILD_DIR := build
JOBS ?= $(shell nproc)
# The build's own makes run inside this one: without this each would name
# every folder it enters and leaves.
MAKEFLAGS += --no-print-directory
# A private X server for the GL tests (scripts/lib/with_display.sh).
XVFB := OCEAN_BUILD=$(CURDIR)/$(BUILD_DIR) bash $(CURDIR)/scripts/lib/with_display.sh
# The CI build (CI=true) treats compiler warnings as errors. Elsewhere the
# option is left as the build folder has it: switching it rebuilds everything.
WERROR := $(if $(filter true,$(CI)),-DOCEAN_WERROR=ON)
# configure PRESET, OPTIONS: its log shown only when it fails. An option once
# given stays in the build folder's cache, so a plain build after `make test`
# still builds the tests.
configure = mkdir -p $(BUILD_DIR) && cmake --preset $(1) $(WERROR) $(2) \
	> $(BUILD_DIR)/configure-$(1).log 2>&1 || (cat $(BUILD_DIR)/configure-$(1).log; exit 1)
# preset PRESET, OPTIONS: configured, then built.
preset = $(call configure,$(1),$(2)) && cmake --build --preset $(1) -j$(JOBS)

# The purposes of scripts/install-deps besides running the viewer.
PURPOSES := test bench package figures guide

.PHONY: all deps $(PURPOSES:%=deps-%) build test-build run package \
	test check clang shuffled soak sanitize sanitize-build sanitized-tests \
	timeboxed-tests release-tests compiler-tests fuzz-build fuzz-tests \
	bench reference-pictures figures guide fuzz clean

all: build

# The Debian packages each command needs, installed when missing: deps for
# running the viewer, deps-PURPOSE for the others (scripts/install-deps).
deps:
	@scripts/install-deps run
$(PURPOSES:%=deps-%): deps-%:
	@scripts/install-deps $*

build: deps
	@$(call preset,viewer)

# The Release build with the tests, which need GoogleTest, libpng and clang:
# configuring fails, naming what is missing, without them.
test-build: deps-test
	@$(call preset,release)

run: build
	@scripts/run-viewer $(BUILD_DIR)

# The Debian package of the installed tree, in the build folder.
package: deps-package
	@$(call preset,viewer)
	@cd $(BUILD_DIR) && cpack -G DEB

# The everyday loop: the unit and GL tests of the Release build, each binary
# whole; seconds after a build.
check: test-build
	@$(BUILD_DIR)/tests/unit_tests --gtest_brief=1
	@cd $(BUILD_DIR)/data && $(XVFB) ../tests/gl_tests --gtest_brief=1

# Everything the release preset builds, compiled by clang with warnings as
# errors: the code stays warning-free under both compilers.
clang: deps-test
	@$(call preset,clang)

# The tests run in four streams side by side once the Release build is made:
# - the sanitized build (AddressSanitizer and UndefinedBehaviorSanitizer) and
#   its tests: the unit and GL tests, the figures' checks and one end-to-end
#   run of the viewer;
# - the one-minute soak, which takes its time whatever runs beside it;
# - every other test of the Release build, each in a process of its own, in
#   random order, the end-to-end ones two at a time, each on an X server of
#   its own; among them each test binary whole in three shuffled orders;
# - the fuzzers' build and their half minutes, one after the other, then the
#   clang build with warnings as errors.
test: test-build
	@$(MAKE) -j4 --output-sync=line sanitize timeboxed-tests release-tests compiler-tests

sanitize: sanitize-build
	@$(MAKE) sanitized-tests

# What the sanitized tests run, and nothing else.
sanitize-build: deps-test
	@$(call preset,sanitize)

# The GL tests share one Xvfb; each end-to-end test starts its own.
sanitized-tests:
	@$(XVFB) ctest --preset sanitize

timeboxed-tests:
	@ctest --preset timeboxed

release-tests:
	@$(XVFB) ctest --preset release

compiler-tests: fuzz-tests
	@$(MAKE) clang

# Each test binary run whole in one process, in three shuffled orders: no test
# may lean on what another left behind.
shuffled: test-build
	@$(XVFB) ctest --preset shuffled

fuzz-build: deps-test
	@$(call preset,fuzz)

fuzz-tests: fuzz-build
	@ctest --preset fuzz

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
	@$(call preset,viewer,-DOCEAN_FIGURES=ON)
	@scripts/draw-figures $(BUILD_DIR)

# The guide, docs/how-it-works.md, rendered as a forge shows it into a page
# that stands alone, its pictures, style and KaTeX's fonts beside it:
# build/guide/how-it-works.html, for any browser, no network needed.
guide: deps-guide
	@scripts/render-guide $(BUILD_DIR)/guide

# Ten minutes of the viewer with its resident memory watched.
soak: test-build
	@OCEAN_BUILD=$(CURDIR)/$(BUILD_DIR) SOAK_SECONDS=600 bash tests/e2e/test_soak.sh

# The viewer's CPU time a frame and frame rate under Xvfb, shaded and
# unshaded; with BASE=<revision>, beside that revision built in
# build/bench-base, taking turns. About three minutes with BASE.
bench: deps-bench
	@$(call preset,viewer,-DOCEAN_BENCHMARKS=ON)
	@JOBS=$(JOBS) bench/fps/run $(BUILD_DIR) $(BASE)

clean:
	rm -rf $(BUILD_DIR)

# The DIB and the JPEG fuzzer, one after the other, each for FUZZ_SECONDS (ten
# minutes unless set) on one core. Their corpora stay in the build folder and
# grow from run to run; the counts are printed at the end of each.
FUZZ_SECONDS ?= 600
FUZZ_DIR := $(BUILD_DIR)/fuzz/tests/fuzz
fuzz: fuzz-build
	@for loader in dib jpeg; do \
		FUZZ_SECONDS=$(FUZZ_SECONDS) bash tests/fuzz/run_fuzz.sh $$loader \
			$(FUZZ_DIR)/make-$$loader-seeds $(FUZZ_DIR)/$${loader}_fuzzer \
			$(BUILD_DIR)/$$loader-fuzz-corpus keep || exit 1; \
	done
