# 榆舟 — the two commands of the README, and the steps they are made of.
#   make run    install what is missing, build, start the program (needs a display)
#   make test   install what is missing, build, run every test (sanitizer runs included)

JOBS ?= $(shell nproc)

.PHONY: all deps build run test test-default test-asan test-tsan clean

all: build

deps:
	scripts/install-deps

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

run: build
	build/default/app/yuzhou

test: test-default test-asan test-tsan

test-default: build
	ctest --preset default -j $(JOBS)

# The core and the command line again, under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# The tests that run threads (the duplicate pass, the fingerprint workers, the shared list
# and colours) under ThreadSanitizer.
THREADED_TESTS = DuplicatePass|Removal|CellColours|ResultList|FileFingerprint|Md5

test-tsan: deps
	cmake --preset tsan
	cmake --build --preset tsan -j $(JOBS) --target core_tests
	ctest --preset tsan -j $(JOBS) -R '$(THREADED_TESTS)' -E 'FourGibibytes'

clean:
	rm -rf build
