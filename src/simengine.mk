# Builds the simulated engine, installed with the package under inst/engine,
# and its test fixtures. The including file sets SIMENGINE_FLAGS: how the
# platform makes a shared library that exports only the engine's own names.

.PHONY: all simengine simengine-fixtures
all: $(SHLIB) simengine simengine-fixtures

SIMENGINE = ../inst/engine/libtavik3.dll
simengine: $(SIMENGINE)

$(SIMENGINE): $(SIMENGINE_SOURCES) $(SIMENGINE_HEADERS) engine/TavikContract.h
	@mkdir -p ../inst/engine
	$(CXX17) $(CXX17STD) $(CXX17FLAGS) $(SIMENGINE_FLAGS) -I. -o $@ $(SIMENGINE_SOURCES) $(LDFLAGS)

# Test fixtures: the engine without TavikValueCard (for loader tests), and
# the contract header for the engine's own test driver.
SIMENGINE_TESTLIB = ../inst/testlibs/no-valuecard/libtavik3.dll
SIMENGINE_CONTRACT = ../inst/engine/TavikContract.h
simengine-fixtures: $(SIMENGINE_TESTLIB) $(SIMENGINE_CONTRACT)

$(SIMENGINE_TESTLIB): $(SIMENGINE_SOURCES) $(SIMENGINE_HEADERS) engine/TavikContract.h
	@mkdir -p ../inst/testlibs/no-valuecard
	$(CXX17) $(CXX17STD) $(CXX17FLAGS) $(SIMENGINE_FLAGS) -DTAVIK_SIM_WITHOUT_VALUECARD -I. -o $@ $(SIMENGINE_SOURCES) $(LDFLAGS)

$(SIMENGINE_CONTRACT): engine/TavikContract.h
	@mkdir -p ../inst/engine
	cp engine/TavikContract.h $@
