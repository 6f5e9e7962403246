// Times whole frames of the 62 built-ins through the WebAssembly back end,
// the evaluator and the limit (the statements and the routines' source in
// one unit, em++ -O2), and how long their modules take from text to ready,
// wherever it runs: under node, or in a page in Chromium. Medians; frames in
// ns a pixel of the whole frame, compilations in ms.
import { WasmEngine } from './wasm_engine.js';

const kPixels = 256 * 256;
// Chromium gives pages a clock of 100 us steps: frames are timed in fours.
const kFramesATime = 4;

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

function nsPerPixel(render, repeats) {
  const times = [];
  for (let r = 0; r < repeats; r++) {
    const start = performance.now();
    render(kFramesATime);
    times.push((performance.now() - start) / kFramesATime);
  }
  return (median(times) * 1e6) / kPixels;
}

// Text (or mutation) to every module of it ready to run, per module.
async function compileMs(module, engine, change) {
  const before = engine.modulesCompiled;
  const start = performance.now();
  change();
  await engine.pump();
  const modules = engine.modulesCompiled - before;
  return modules === 0 ? null : (performance.now() - start) / modules;
}

export async function measureFrames(createModule, wasmBinary, { repeats = 9, mutations = 4 } = {}) {
  const module = await createModule(wasmBinary ? { wasmBinary } : {});
  const engine = new WasmEngine(module);
  const count = module._bench_builtins();
  const builtins = [];
  const texts = [];
  const mutated = [];
  for (let i = 0; i < count; i++) {
    engine.use('wasm');
    texts.push(await compileMs(module, engine, () => module._bench_select(i)));
    module._bench_frames(2 * kFramesATime);  // the engines' optimising tier
    const wasm = nsPerPixel(module._bench_frames, repeats);
    engine.use('evaluator');
    const evaluator = nsPerPixel(module._bench_frames, Math.ceil(repeats / 3));
    engine.use('wasm');
    if (module._bench_limit_check() !== 1) throw new Error(`the limit renders built-in ${i} otherwise`);
    module._bench_limit_frames(2 * kFramesATime);
    const limit = nsPerPixel(module._bench_limit_frames, repeats);
    for (let m = 0; m < mutations; m++) mutated.push(await compileMs(module, engine, () => module._bench_mutate()));
    builtins.push({ name: `builtin-${i}`, wasm, evaluator, limit });
  }
  const present = (values) => values.filter((value) => value !== null);
  return {
    builtins,
    compileMsMedian: median(present(texts)),
    mutateCompileMsMedian: median(present(mutated)),
    modulesCompiled: engine.modulesCompiled,
  };
}
