// The WebAssembly core behind plain JavaScript calls. Texts cross as
// NUL-terminated bytes in the core's heap; a text the core returns is read at
// once, since the next call may overwrite its buffer.
import { WasmEngine } from './wasm_engine.js';
import createZorvaCore from './zorva_core.js';

const kPcmSamples = 1152;

export async function loadCore() {
  return new Core(await createZorvaCore());
}

class Core {
  constructor(module) {
    this.module = module;
    this.rows = new WasmEngine(module);
    this.engine = 'wasm';
  }

  // 'wasm': each statement in the row that the browser compiles from its
  // module, in the evaluator until that has come; 'evaluator': throughout.
  useEngine(engine) {
    this.engine = engine;
    this.rows.use(engine);
  }

  // Compiles the rows that the last frames asked for, meanwhile.
  compileRows() {
    if (this.engine === 'wasm') this.rows.pump().catch((error) => console.error(error));
  }

  // The current expression's rows: the small ones compiled at once, when it
  // changes or before frames, so that the next frame runs them rather than
  // the evaluator; the others meanwhile.
  prepareCurrent() {
    if (this.engine !== 'wasm') return;
    this.module._zorva_wasm_prepare_current();
    this.rows.compileNow().catch((error) => console.error(error));
  }

  // render() through an engine; the page's own stays.
  renderWith(engine, text, frames, step, xm, ym, audio) {
    if (engine === 'wasm') {
      this.rows.prepareNow((t, call) => this.withText(t, call), text).catch((error) => console.error(error));
    }
    this.rows.use(engine);
    try {
      return this.render(text, frames, step, xm, ym, audio);
    } finally {
      this.rows.use(this.engine);
    }
  }

  // Copied into the heap rather than onto the stack: a pasted text may be
  // longer than the stack is deep.
  withText(text, call) {
    const module = this.module;
    const size = module.lengthBytesUTF8(text) + 1;
    const pointer = module._malloc(size);
    if (pointer === 0) throw new Error('The page has run out of memory.');
    try {
      module.stringToUTF8(text, pointer, size);
      return call(pointer);
    } finally {
      module._free(pointer);
    }
  }

  resultText() {
    return this.module.UTF8ToString(this.module._zorva_result_text());
  }

  resultBytes() {
    const pointer = this.module._zorva_result_bytes();
    return this.module.HEAPU8.slice(pointer, pointer + this.module._zorva_result_size());
  }

  // { ok: true, text } with the text printed back, or { ok: false, message }.
  check(text) {
    const ok = this.withText(text, (pointer) => this.module._zorva_check(pointer)) === 1;
    return ok ? { ok, text: this.resultText() } : { ok, message: this.resultText() };
  }

  render(text, frames, step, xm, ym, audio) {
    const ok = this.withText(text, (textPointer) =>
      this.withText(audio, (audioPointer) =>
        this.module._zorva_render(textPointer, frames, step, xm, ym, audioPointer)));
    return ok === 1 ? { ok: true, bytes: this.resultBytes() } : { ok: false, message: this.resultText() };
  }

  mutate(text, seed, times) {
    const ok = this.withText(text, (pointer) => this.module._zorva_mutate(pointer, seed, times)) === 1;
    return ok ? { ok, lines: this.resultText().split('\n') } : { ok, message: this.resultText() };
  }

  seed(seed) {
    this.module._zorva_seed(seed);
  }

  // On failure the current expression stays, and the message comes back.
  setText(text) {
    const ok = this.withText(text, (pointer) => this.module._zorva_set_text(pointer)) === 1;
    if (ok) this.prepareCurrent();
    return ok ? { ok } : { ok, message: this.resultText() };
  }

  currentText() {
    return this.module.UTF8ToString(this.module._zorva_current_text());
  }

  mutateCurrent() {
    this.module._zorva_mutate_current();
    this.prepareCurrent();
  }

  resetToGoodParent() {
    const ok = this.module._zorva_reset_to_good_parent() === 1;
    if (ok) this.prepareCurrent();
    return ok ? { ok } : { ok, message: this.resultText() };
  }

  keepCurrent() {
    return this.module._zorva_keep_current() === 1;
  }

  changeSize(up) {
    this.module._zorva_change_size(up ? 1 : 0);
  }

  soundBuiltin(name) {
    this.withText(name, (pointer) => this.module._zorva_sound_builtin(pointer));
  }

  // Left channel, then right; the newest samples last. A fresh view each
  // time: the heap's buffer changes when memory grows.
  pcmChannels() {
    const pointer = this.module._zorva_sound_pcm_buffer();
    const start = pointer / Float32Array.BYTES_PER_ELEMENT;
    const heap = this.module.HEAPF32;
    return [heap.subarray(start, start + kPcmSamples), heap.subarray(start + kPcmSamples, start + 2 * kPcmSamples)];
  }

  soundFromPcm(channels) {
    this.module._zorva_sound_from_pcm(channels);
  }

  // The frame's size and its RGBA bytes as a view into the heap, or null
  // without an expression. The view is taken after the last call, and is
  // valid until the next one.
  renderFrame(xm, ym) {
    const pointer = this.module._zorva_render_frame(xm, ym);
    if (pointer === 0) return null;
    const width = this.imageWidth();
    const height = this.imageHeight();
    return { width, height, pixels: this.module.HEAPU8.subarray(pointer, pointer + width * height * 4) };
  }

  imageWidth() {
    return this.module._zorva_image_width();
  }

  imageHeight() {
    return this.module._zorva_image_height();
  }

  frameCount() {
    return this.module._zorva_frame_count();
  }

  libraryEntries() {
    const entries = [];
    const count = this.module._zorva_library_count();
    for (let index = 0; index < count; index++) {
      entries.push(this.module.UTF8ToString(this.module._zorva_library_at(index)));
    }
    return entries;
  }

  libraryExport() {
    return this.module.UTF8ToString(this.module._zorva_library_export());
  }

  // False when the text is no settings file; the library is then unchanged.
  libraryImport(iniText) {
    return this.withText(iniText, (pointer) => this.module._zorva_library_import(pointer)) === 1;
  }
}
