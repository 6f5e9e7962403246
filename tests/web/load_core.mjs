// The page's WebAssembly core under node: the module built for the browser,
// handed the .wasm bytes that a page would fetch, behind plain functions.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

export async function loadZorvaCore(webDir) {
  const { default: createZorvaCore } = await import(pathToFileURL(join(webDir, 'zorva_core.js')).href);
  const module = await createZorvaCore({ wasmBinary: readFileSync(join(webDir, 'zorva_core.wasm')) });
  const call = (name, result, ...types) => module.cwrap(name, result, types);
  const resultText = call('zorva_result_text', 'string');
  const resultBytes = () => {
    const at = module._zorva_result_bytes();
    return module.HEAPU8.slice(at, at + module._zorva_result_size());
  };
  const textOf = (ok) => ({ ok: ok === 1, text: resultText() });
  const check = call('zorva_check', 'number', 'string');
  const render = call('zorva_render', 'number', 'string', 'number', 'number', 'number', 'number', 'string');
  const mutate = call('zorva_mutate', 'number', 'string', 'number', 'number');
  const libraryAt = call('zorva_library_at', 'string', 'number');
  return {
    check: (text) => textOf(check(text)),
    render: (text, frames, step, xm, ym, audio) =>
      render(text, frames, step, xm, ym, audio) === 1 ? resultBytes() : textOf(0),
    mutate: (text, seed, times) => textOf(mutate(text, seed, times)),
    setText: (text) => textOf(call('zorva_set_text', 'number', 'string')(text)),
    currentText: call('zorva_current_text', 'string'),
    keep: () => module._zorva_keep_current() === 1,
    mutateCurrent: () => module._zorva_mutate_current(),
    resetToGoodParent: () => textOf(module._zorva_reset_to_good_parent()),
    changeSize: (up) => module._zorva_change_size(up ? 1 : 0),
    imageSize: () => [module._zorva_image_width(), module._zorva_image_height()],
    seed: (seed) => module._zorva_seed(seed),
    soundBuiltin: call('zorva_sound_builtin', 'number', 'string'),
    soundFromPcm: (left, right) => {
      const at = module._zorva_sound_pcm_buffer() / 4;
      module.HEAPF32.set(left, at);
      module.HEAPF32.set(right, at + left.length);
      module._zorva_sound_from_pcm(2);
    },
    renderFrame: (xm, ym) => {
      const at = module._zorva_render_frame(xm, ym);
      const size = module._zorva_image_width() * module._zorva_image_height() * 4;
      return at === 0 ? null : module.HEAPU8.slice(at, at + size);
    },
    library: () => Array.from({ length: module._zorva_library_count() }, (_, i) => libraryAt(i)),
    exportIni: call('zorva_library_export', 'string'),
    importIni: (text) => call('zorva_library_import', 'number', 'string')(text) === 1,
  };
}
