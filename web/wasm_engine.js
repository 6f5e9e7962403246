// The WebAssembly back end's half in the page. The core asks for modules,
// one for each statement's row; they are compiled here, in the background
// or, when small, at once between two frames, and each row goes back to the
// core as an entry of its function table. Until a statement's row has come,
// the core runs it in the evaluator, with the same bytes; a row comes
// between two frames, never during one.

// Chromium compiles a module on the main thread only up to this size.
const kMostBytesCompiledAtOnce = 4096;

// The routines a module may import as "routine" NAME.
const kRoutines = ['tan', 'asin', 'acos', 'atan', 'dsin', 'decay', 'exp', 'rand', 'theta', 'rad', 'sqrt', 'fft',
  'vol', 'pal'];

export class WasmEngine {
  constructor(module) {
    this.module = module;
    this.imports = null;
    this.modulesCompiled = 0;
  }

  // 'wasm' or 'evaluator'.
  use(engine) {
    this.module._zorva_engine(engine === 'evaluator' ? 0 : 1);
  }

  // The core's memory, where the modules read the tables, the sound and the
  // render context, and its routines, as the core's own functions.
  importObject() {
    if (this.imports !== null) return this.imports;
    const module = this.module;
    const table = module.coreTable();
    const routine = {};
    for (const name of kRoutines) {
      routine[name] = table.get(module.ccall('zorva_wasm_routine', 'number', ['string'], [name]));
    }
    this.imports = { env: { memory: module.coreMemory() }, routine };
    return this.imports;
  }

  // The modules the core asks for, taken now and compiled meanwhile;
  // resolves when their rows are in the core. Frees the rows it dropped.
  pump() {
    return Promise.all(this.takeRequests().map(({ request, bytes }) => this.compile(request, bytes)));
  }

  // The same, but the small modules at once, before it returns: for calls
  // that must answer now. The others follow as pump() compiles them.
  compileNow() {
    const later = [];
    for (const { request, bytes } of this.takeRequests()) {
      if (bytes.length > kMostBytesCompiledAtOnce) later.push(this.compile(request, bytes));
      else this.install(request, new WebAssembly.Instance(new WebAssembly.Module(bytes), this.importObject()));
    }
    return Promise.all(later);
  }

  takeRequests() {
    const module = this.module;
    for (let row; (row = module._zorva_wasm_released()) !== 0;) module.removeFunction(row);
    const requests = [];
    for (let request; (request = module._zorva_wasm_request()) !== 0;) {
      const at = module._zorva_result_bytes();
      requests.push({ request, bytes: module.HEAPU8.slice(at, at + module._zorva_result_size()) });
    }
    return requests;
  }

  async compile(request, bytes) {
    const { instance } = await WebAssembly.instantiate(bytes, this.importObject());
    this.install(request, instance);
  }

  install(request, instance) {
    this.modulesCompiled++;
    const row = this.module.addFunction(instance.exports.row, 'ii');
    if (this.module._zorva_wasm_install(request, row) !== 1) this.module.removeFunction(row);
  }

  // Compiles the rows of a text's statements before it is rendered: all of
  // them meanwhile, or the small ones at once.
  prepare(withText, text) {
    withText(text, (pointer) => this.module._zorva_wasm_prepare(pointer));
    return this.pump();
  }

  prepareNow(withText, text) {
    withText(text, (pointer) => this.module._zorva_wasm_prepare(pointer));
    return this.compileNow();
  }
}
