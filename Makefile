# The two commands of the README: `make run` and `make test`. Both install
# what is missing (each command only what it needs: scripts/install-deps),
# build and lay out the run folder (shader sources and the images the viewer
# reads). Each build is a preset of CMakePresets.json in a folder of its own:
# viewer in build/, release, clang, figures and bench in build/release,
# build/clang, build/figures and build/bench.
BUILD_DIR := build
RELEASE_DIR := $(BUILD_DIR)/release
CLANG_DIR := $(BUILD_DIR)/clang
JOBS ?= $(shell nproc)
# The build's own makes run inside this one: without this each would name
# every folder it enters and leaves.
MAKEFLAGS += --no-print-directory
# Ninja where it is installed, ccache where it is. Both count only for a new
# build folder: one configured before keeps its generator and launchers.
ifneq ($(shell command -v ninja),)
export CMAKE_GENERATOR ?= Ninja
endif
ifneq ($(shell command -v ccache),)
export CMAKE_C_COMPILER_LAUNCHER ?= ccache
export CMAKE_CXX_COMPILER_LAUNCHER ?= ccache
endif
# A private X server for the GL tests of build folder $(1) (scripts/lib/with_display.sh).
xvfb = OCEAN_BUILD=$(CURDIR)/$(1) bash $(CURDIR)/scripts/lib/with_display.sh
# The CI build (CI=true) treats compiler warnings as errors; the clang preset
# always does. Elsewhere the option is left as the build folder has it:
# switching it rebuilds everything.
WERROR := $(if $(filter true,$(CI)),-DOCEAN_WERROR=ON)
# configure PRESET: its log shown only when it fails.
configure = mkdir -p $(BUILD_DIR) && cmake --preset $(1) $(WERROR) \
	> $(BUILD_DIR)/configure-$(1).log 2>&1 || (cat $(BUILD_DIR)/configure-$(1).log; exit 1)
# preset PRESET: configured, then built.
preset = $(call configure,$(1)) && cmake --build --preset $(1) -j$(JOBS)
# step NAME TARGET: the make target, with its wall and CPU time said after it
# and kept for make test's summary (scripts/lib/step.sh).
STEP_LOG := $(CURDIR)/$(BUILD_DIR)/test-steps.txt
step = STEP_LOG=$(STEP_LOG) bash scripts/lib/step.sh "$(1)" $(MAKE) $(2)

# The purposes of scripts/install-deps besides running the viewer.
PURPOSES := build test bench package figures guide

.PHONY: all deps $(PURPOSES:%=deps-%) build test-build run package \
	test test-steps check clang shuffled soak sanitize clang-tests \
	release-tests fuzz-tests \
	bench reference-pictures figures guide icons fuzz clean

all: build

# The packages each command needs, installed when missing: deps for running
# the viewer headless, deps-PURPOSE for the others (scripts/install-deps).
deps:
	@scripts/install-deps run
$(PURPOSES:%=deps-%): deps-%:
	@scripts/install-deps $*

build: deps-build
	@$(call preset,viewer)

# The Release build with the tests, which need GoogleTest, libpng and clang:
# configuring fails, naming what is missing, without them.
test-build: deps-test
	@$(call preset,release)

# On a display the viewer needs only what built it; without one, the tools
# of the headless run too.
run: build
	@$(if $(DISPLAY),,scripts/install-deps run &&) scripts/run-viewer $(BUILD_DIR)

# The Debian package of the installed tree, in the build folder.
package: deps-package
	@$(call preset,viewer)
	@cd $(BUILD_DIR) && cpack -G DEB

# The everyday loop: the unit and GL tests of the Release build, each binary
# whole; seconds after a build.
check: test-build
	@$(RELEASE_DIR)/tests/unit_tests --gtest_brief=1
	@cd $(RELEASE_DIR)/data && $(call xvfb,$(RELEASE_DIR)) ../tests/gl_tests --gtest_brief=1

# Everything the release preset builds and the fuzzers, compiled by clang with
# warnings as errors, AddressSanitizer and UndefinedBehaviorSanitizer: the
# code stays warning-free under both compilers.
clang: deps-test
	@$(call preset,clang)

# Each build once, then the tests, never more at once than JOBS (the cores):
# 1. the Release build (g++) with the tests;
# 2. the clang build: sanitizers, fuzzers, warnings as errors;
# 3. the sanitized tests (the unit and GL tests, the figure tools' checks, one
#    end-to-end run of the viewer) and the fuzzers' replays and fixed runs;
# 4. every test of the Release build, each in a process of its own, in
#    random order, the end-to-end ones each on an X server of its own; among
#    them each test binary whole in three shuffled orders, and the soak.
# Each step's wall and CPU time is said after it and again at the end.
test: deps-test
	@mkdir -p $(BUILD_DIR) && rm -f $(STEP_LOG)
	@$(call step,make test,test-steps); status=$$?; \
		echo "make test, step by step:"; cat $(STEP_LOG); exit $$status

test-steps:
	@$(call step,release build (g++),test-build)
	@$(call step,clang build,clang)
	@$(call step,sanitized tests and fuzzers,clang-tests)
	@$(call step,release tests,release-tests)

clang-tests:
	@$(call xvfb,$(CLANG_DIR)) ctest --preset clang -j$(JOBS)

release-tests:
	@$(call xvfb,$(RELEASE_DIR)) ctest --preset release -j$(JOBS)

# The sanitized build's tests alone.
sanitize: clang
	@$(call xvfb,$(CLANG_DIR)) ctest --preset sanitize -j$(JOBS)

# Each test binary run whole in one process, in three shuffled orders: no test
# may lean on what another left behind.
shuffled: test-build
	@$(call xvfb,$(RELEASE_DIR)) ctest --preset shuffled -j$(JOBS)

# The fuzzers as make test runs them: seeds and findings replayed, then a
# fixed number of inputs from a fixed seed (FUZZ_RUNS, FUZZ_SEED).
fuzz-tests: clang
	@ctest --preset fuzz -j$(JOBS)

# Rewrites the reference pictures in tests/reference from the current shaders,
# data files and renderer: for a change to the look that is meant. Review the
# new pictures (git diff shows which changed) before committing them.
reference-pictures: test-build
	@cd $(RELEASE_DIR)/data && OCEAN_REWRITE_REFERENCE=1 $(call xvfb,$(RELEASE_DIR)) \
		../tests/gl_tests --gtest_filter='Views/ReferencePictureTest.*'
	@git status --short tests/reference 2>/dev/null || true

# Rewrites docs/figures, the guide's figures and the numbers they are drawn
# from, from the current simulation, shaders and renderer: for a change that
# is meant to move them, which make test otherwise reports. Review git diff
# docs/figures before committing.
figures: deps-figures
	@$(call preset,figures)
	@scripts/draw-figures $(BUILD_DIR)/figures

# Makes the icons in packaging/icons again from docs/screenshot.png, with
# ImageMagick: after a new screenshot. Review and commit them.
icons: deps
	@scripts/make-icons
	@git status --short packaging/icons 2>/dev/null || true

# The guide, docs/how-it-works.md, rendered as a forge shows it into a page
# that stands alone, its pictures, style and KaTeX's fonts beside it:
# build/guide/how-it-works.html, for any browser, no network needed.
guide: deps-guide
	@scripts/render-guide $(BUILD_DIR)/guide

# Ten times the frames of make test's soak (what ten minutes give at the full
# window; less than half that on the soak's small screen), with the viewer's
# resident memory watched.
soak: test-build
	@OCEAN_BUILD=$(CURDIR)/$(RELEASE_DIR) SOAK_FRAMES=9000 bash tests/e2e/test_soak.sh

# The viewer's CPU time a frame and frame rate under Xvfb, shaded and
# unshaded; with BASE=<revision>, beside that revision built in
# build/bench/bench-base, taking turns. About three minutes with BASE.
bench: deps-bench
	@$(call preset,bench)
	@JOBS=$(JOBS) bench/fps/run $(BUILD_DIR)/bench $(BASE)

clean:
	rm -rf $(BUILD_DIR)

# The open-ended search: the DIB and the JPEG fuzzer, one after the other,
# each for FUZZ_SECONDS (ten minutes unless set) on one core, from a new
# random seed each time. Their corpora stay in the build folder and grow from
# run to run; the counts are printed at the end of each.
FUZZ_SECONDS ?= 600
FUZZ_DIR := $(CLANG_DIR)/tests/fuzz
fuzz: clang
	@for loader in dib jpeg; do \
		FUZZ_SECONDS=$(FUZZ_SECONDS) bash tests/fuzz/run_fuzz.sh $$loader \
			$(FUZZ_DIR)/make-$$loader-seeds $(FUZZ_DIR)/$${loader}_fuzzer \
			$(BUILD_DIR)/$$loader-fuzz-corpus keep || exit 1; \
	done
