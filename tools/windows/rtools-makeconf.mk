# Stands in for R's etc/Makeconf and share/make/winshlib.mk of 64-bit R on
# Windows, so that tools/check-windows can run src/Makevars.win itself with
# MinGW-w64 on Linux: make -f Makevars.win -f rtools-makeconf.mk.
# Given on the command line: R_INCLUDE and RCPP_INCLUDE (header folders),
# R_IMPORT_DIR (holding libR.dll.a) and SHLIB.
CXX17 = x86_64-w64-mingw32-g++
CXX17STD = -std=gnu++17
# Warnings are errors for our sources; R's and Rcpp's headers are system
# headers, so their warnings don't count. Unused parameters are let through
# for now: the identifier model's default virtual functions name theirs.
CXX17FLAGS = -O1 -Wall -Wextra -Werror -Wno-unused-parameter
CXX17PICFLAGS =
LDFLAGS =
CXX = $(CXX17) $(CXX17STD)
ALL_CPPFLAGS = -DNDEBUG $(PKG_CPPFLAGS) -isystem "$(R_INCLUDE)" -isystem "$(RCPP_INCLUDE)"
ALL_CXXFLAGS = $(PKG_CXXFLAGS) $(CXX17FLAGS)

%.o: %.cpp
	$(CXX) $(ALL_CPPFLAGS) $(ALL_CXXFLAGS) -c $< -o $@

# The objects alone, for finding the R functions they call before linking.
.PHONY: objects
objects: $(OBJECTS)

# Rtools links the C++ runtime in; the DLL exports every global symbol, as
# R's generated tmp.def does.
$(SHLIB): $(OBJECTS)
	$(CXX17) -shared -static-libgcc -static-libstdc++ -Wl,--export-all-symbols -o $@ $(OBJECTS) $(PKG_LIBS) -L"$(R_IMPORT_DIR)" -lR

print-%:
	@echo $($*)
