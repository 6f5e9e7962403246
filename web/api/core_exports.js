// Appended to the core's loader: the modules that the page compiles import
// the core's memory and its function table, which the loader keeps to itself.
/* global Module, wasmMemory, wasmTable */
Module['coreMemory'] = () => wasmMemory;
Module['coreTable'] = () => wasmTable;
