# What the package library and the simulated engine are built from, for
# Makevars (Linux) and Makevars.win (Windows) alike, so that the two builds
# compile the same files. Each layer lists its own objects; init.o stays at
# the top of src/. tools/check-windows compiles exactly this list.
ENTRY_OBJECTS = entry/ArgumentConversion.o entry/EntryPoints.o entry/ProjectCommands.o entry/InternalHooks.o entry/BindingTestHooks.o entry/DataCommands.o entry/ApiRoutines.o entry/FaultRecord.o
ENGINE_OBJECTS = engine/TextConversion.o engine/TavikException.o engine/LibraryHandle.o engine/TavikLoader.o engine/TavikLoaderAccessors.o engine/LoadedTavikAPI.o engine/TavikEnvironment.o
MODEL_OBJECTS = model/BaseIdentifier.o model/Column.o model/ColumnFactory.o model/IValueConvertor.o model/IdentifierSnapshot.o model/IdentifierDescription.o model/SetMembers.o model/MultiDimIdentifier.o model/MultiDimIdentifierRead.o model/MultiDimIdentifierWrite.o model/PendingElements.o model/SetIdentifier.o model/SetIntegerConvertor.o model/SetStringConvertor.o model/StandardConvertor.o model/TavikSpace.o model/TavikSpaceFactory.o
RBRIDGE_OBJECTS = rbridge/CharacterColumn.o rbridge/DataTable.o rbridge/NumericColumn.o rbridge/RConversions.o rbridge/ReadTable.o rbridge/Value.o rbridge/WideText.o rbridge/WriteTable.o

PACKAGE_OBJECTS = init.o $(ENTRY_OBJECTS) $(ENGINE_OBJECTS) $(MODEL_OBJECTS) $(RBRIDGE_OBJECTS)

# The simulated engine: a shared library of its own, without R.
SIMENGINE_SOURCES = simengine/Engine.cpp simengine/Generator.cpp \
  simengine/HandleTable.cpp simengine/IdentifierEntries.cpp \
  simengine/Instrumentation.cpp simengine/LabelItems.cpp \
  simengine/LabelTable.cpp simengine/LargeAllocator.cpp \
  simengine/LastError.cpp simengine/Project.cpp simengine/ProjectEntries.cpp \
  simengine/ProjectFile.cpp simengine/ProjectParser.cpp \
  simengine/RadixSort.cpp simengine/SetEntries.cpp simengine/SimControl.cpp \
  simengine/SimSet.cpp simengine/TextTransfer.cpp simengine/Tokenizer.cpp \
  simengine/TupleStore.cpp simengine/UnsupportedEntries.cpp \
  simengine/ValueColumn.cpp simengine/ValueEntries.cpp \
  simengine/WideText.cpp
SIMENGINE_HEADERS = simengine/Engine.h simengine/EntryPoints.h \
  simengine/Generator.h simengine/HandleTable.h simengine/Identifier.h \
  simengine/Instrumentation.h simengine/LabelItems.h simengine/LabelTable.h \
  simengine/LargeAllocator.h simengine/LastError.h simengine/Project.h \
  simengine/ProjectFile.h simengine/ProjectParser.h simengine/RadixSort.h \
  simengine/Refusal.h simengine/SimExport.h simengine/SimSet.h \
  simengine/TextTransfer.h simengine/Tokenizer.h simengine/TupleStore.h \
  simengine/ValueColumn.h simengine/WideText.h
