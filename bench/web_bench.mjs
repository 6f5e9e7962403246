// The whole frame of each built-in glyx through the WebAssembly core (the
// reference evaluator), in ms, and its ratio to the native generated code of
// `zorva bench` measured in the same run.
//
// Under node:  node bench/web_bench.mjs [BUILD_WEB] [ZORVA] [--repeats N]
//   (defaults build/web and build/linux/bin/zorva; prints a Markdown table.)
// In a page:   import { measureFrames } from './web_bench.mjs';
//              const rows = measureFrames(await createZorvaCore(), { repeats: 9 });
//
// A frame is zorva_render_frame's: silence as its sound, the palette passes,
// the 256 x 256 pixel pass at step 1, and the RGBA picture for the canvas.

const kBuiltins = 62;
const kPixels = 256 * 256;

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

// For each built-in: the median ms of `repeats` frames, after one unmeasured.
export function measureFrames(core, { repeats = 9, now = () => performance.now() } = {}) {
  const setText = core.cwrap('zorva_set_text', 'number', ['string']);
  const libraryAt = core.cwrap('zorva_library_at', 'string', ['number']);
  core.ccall('zorva_sound_builtin', 'number', ['string'], ['silence']);
  const rows = [];
  for (let index = 0; index < kBuiltins; index++) {
    const text = libraryAt(index);
    setText(text);
    core._zorva_render_frame(0, 0);
    const times = [];
    for (let r = 0; r < repeats; r++) {
      const start = now();
      core._zorva_render_frame(0, 0);
      times.push(now() - start);
    }
    rows.push({ name: `builtin-${index}`, text, ms: median(times) });
  }
  return rows;
}

function geometricMean(values) {
  return Math.exp(values.reduce((sum, v) => sum + Math.log(v), 0) / values.length);
}

async function runUnderNode() {
  const { readFileSync } = await import('node:fs');
  const { execFileSync } = await import('node:child_process');
  const { join, resolve } = await import('node:path');
  const { pathToFileURL } = await import('node:url');
  const args = process.argv.slice(2);
  const repeatsAt = args.indexOf('--repeats');
  const repeats = repeatsAt >= 0 ? Number(args.splice(repeatsAt, 2)[1]) : 9;
  const [webDir = 'build/web', zorva = 'build/linux/bin/zorva'] = args.map((a) => resolve(a));
  const { default: createZorvaCore } = await import(pathToFileURL(join(webDir, 'zorva_core.js')).href);
  const core = await createZorvaCore({ wasmBinary: readFileSync(join(webDir, 'zorva_core.wasm')) });

  // CPU time, as zorva bench measures, so that other work on the machine counts less.
  const cpuMs = () => {
    const used = process.cpuUsage();
    return (used.user + used.system) / 1000;
  };
  const wasm = measureFrames(core, { repeats, now: cpuMs });
  const native = JSON.parse(execFileSync(zorva, ['bench', '--json', '--filter', '^builtin-', '--repeats', `${repeats}`],
                                         { stdio: ['ignore', 'pipe', 'ignore'], maxBuffer: 1 << 24 }));
  const nativeMs = (engine) =>
    new Map(native.expressions.map((e) => [e.name, (e[`${engine}_ns_per_pixel`] * kPixels) / 1e6]));
  const jitMs = nativeMs('jit');
  const evaluatorMs = nativeMs('evaluator');
  console.log(`node ${process.version}, ${repeats} frames each, medians of CPU time\n`);
  console.log('| expression | wasm ms | native jit ms | native evaluator ms | wasm/jit | wasm/evaluator |');
  console.log('|---|---:|---:|---:|---:|---:|');
  for (const { name, ms } of wasm) {
    const jit = jitMs.get(name);
    const evaluator = evaluatorMs.get(name);
    console.log(`| ${name} | ${ms.toFixed(2)} | ${jit.toFixed(3)} | ${evaluator.toFixed(2)} | ` +
                `${(ms / jit).toFixed(1)} | ${(ms / evaluator).toFixed(2)} |`);
  }
  const total = wasm.reduce((sum, row) => sum + row.ms, 0);
  const meanRatio = (other) => geometricMean(wasm.map((row) => row.ms / other.get(row.name)));
  console.log(`\nwasm: median frame ${median(wasm.map((r) => r.ms)).toFixed(2)} ms, ` +
              `slowest ${Math.max(...wasm.map((r) => r.ms)).toFixed(2)} ms, all 62 ${total.toFixed(0)} ms; ` +
              `geometric means: wasm/jit ${meanRatio(jitMs).toFixed(1)}, wasm/evaluator ${meanRatio(evaluatorMs).toFixed(2)}`);
}

if (typeof process !== 'undefined' && process.argv?.[1]?.endsWith('web_bench.mjs')) await runUnderNode();
