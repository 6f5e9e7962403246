// The browser bench beside the native one, on this machine in one run: whole
// frames of the 62 built-ins through the WebAssembly back end and the
// evaluator under node and in headless Chromium, the native JIT and limit of
// zorva bench, and the compile times. Prints a table; --json prints JSON.
//
// node bench/web/run.mjs BUILD_WEB NATIVE_BENCH_JSON [--json]
import { spawn } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [webDir, nativeJson] = process.argv.slice(2, 4).map((path) => resolve(path));
const asJson = process.argv.includes('--json');

async function underNode() {
  const { measureFrames } = await import(pathToFileURL(join(webDir, 'frame_bench.mjs')).href);
  const { default: create } = await import(pathToFileURL(join(webDir, 'zorva_web_bench.js')).href);
  return measureFrames(create, readFileSync(join(webDir, 'zorva_web_bench.wasm')));
}

function freePort() {
  return new Promise((done) => {
    const probe = createServer().listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => done(port));
    });
  });
}

async function inChromium() {
  const port = await freePort();
  const server = spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', '--directory', webDir, String(port)],
    { stdio: 'ignore' });
  const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
  });
  try {
    const page = await browser.newPage();
    const base = `http://127.0.0.1:${port}/`;
    for (let tries = 0; ; tries++) {
      try {
        await page.goto(`${base}zorva_web_bench.js`);
        break;
      } catch (error) {
        if (tries > 50) throw error;
        await new Promise((wait) => setTimeout(wait, 100));
      }
    }
    return await page.evaluate(async (origin) => {
      const { measureFrames } = await import(`${origin}frame_bench.mjs`);
      const { default: create } = await import(`${origin}zorva_web_bench.js`);
      return measureFrames(create, null);
    }, base);
  } finally {
    await browser.close();
    server.kill();
  }
}

function geometricMean(values) {
  return Math.exp(values.reduce((sum, value) => sum + Math.log(value), 0) / values.length);
}

function worst(rows, ratio) {
  return rows.reduce((found, row) => (ratio(row) > ratio(found) ? row : found));
}

const node = await underNode();
const browser = await inChromium();
const native = JSON.parse(readFileSync(nativeJson, 'utf8')).expressions.filter((e) => e.builtin);
const rows = native.map((n, i) => ({
  name: n.name,
  jit: n.jit_ns_per_pixel,
  limit: n.limit_ns_per_pixel,
  nodeWasm: node.builtins[i].wasm,
  nodeEvaluator: node.builtins[i].evaluator,
  wasm: browser.builtins[i].wasm,
  evaluator: browser.builtins[i].evaluator,
  wasmLimit: browser.builtins[i].limit,
  nodeWasmLimit: node.builtins[i].limit,
}));
const slowest = worst(rows, (row) => row.wasm);
const summary = {
  wasmOverJitGeomean: geometricMean(rows.map((row) => row.wasm / row.jit)),
  wasmOverJitWorst: worst(rows, (row) => row.wasm / row.jit),
  evaluatorOverWasmGeomean: geometricMean(rows.map((row) => row.evaluator / row.wasm)),
  jitOverLimitGeomean: geometricMean(rows.map((row) => row.jit / row.limit)),
  jitOverLimitWorst: worst(rows, (row) => row.jit / row.limit),
  wasmOverWasmLimitGeomean: geometricMean(rows.map((row) => row.wasm / row.wasmLimit)),
  wasmOverWasmLimitWorst: worst(rows, (row) => row.wasm / row.wasmLimit),
  slowestFrameMs: { name: slowest.name, ms: (slowest.wasm * 65536) / 1e6 },
  compileMsMedian: { node: node.compileMsMedian, chromium: browser.compileMsMedian },
  mutateCompileMsMedian: { node: node.mutateCompileMsMedian, chromium: browser.mutateCompileMsMedian },
};
if (asJson) {
  console.log(JSON.stringify({ rows, summary }, null, 2));
} else {
  const cell = (value, width = 9) => value.toFixed(2).padStart(width);
  console.log('whole frame at step 1, ns per pixel, medians; wasm and evaluator in headless Chromium and node');
  console.log(`${'expression'.padEnd(11)}      jit    limit     wasm wasm-limit evaluator node-wasm node-eval ` +
    'wasm/jit jit/limit wasm/wasm-limit');
  for (const row of rows) {
    console.log(`${row.name.padEnd(11)}${cell(row.jit)}${cell(row.limit)}${cell(row.wasm)}${cell(row.wasmLimit, 11)}` +
      `${cell(row.evaluator, 10)}${cell(row.nodeWasm, 10)}${cell(row.nodeEvaluator, 10)}${cell(row.wasm / row.jit)}` +
      `${cell(row.jit / row.limit, 10)}${cell(row.wasm / row.wasmLimit, 16)}`);
  }
  const s = summary;
  console.log(`\nChromium wasm/jit: geometric mean ${s.wasmOverJitGeomean.toFixed(2)}, worst ` +
    `${s.wasmOverJitWorst.name} ${(s.wasmOverJitWorst.wasm / s.wasmOverJitWorst.jit).toFixed(2)}`);
  console.log(`evaluator/wasm in Chromium: geometric mean ${s.evaluatorOverWasmGeomean.toFixed(1)}`);
  console.log(`jit/limit: geometric mean ${s.jitOverLimitGeomean.toFixed(2)}, worst ${s.jitOverLimitWorst.name} ` +
    `${(s.jitOverLimitWorst.jit / s.jitOverLimitWorst.limit).toFixed(2)}`);
  console.log(`wasm/wasm-limit in Chromium: geometric mean ${s.wasmOverWasmLimitGeomean.toFixed(2)}, worst ` +
    `${s.wasmOverWasmLimitWorst.name} ${(s.wasmOverWasmLimitWorst.wasm / s.wasmOverWasmLimitWorst.wasmLimit).toFixed(2)}`);
  console.log(`slowest whole frame through wasm in Chromium: ${s.slowestFrameMs.name} ${s.slowestFrameMs.ms.toFixed(2)} ms`);
  console.log(`text to modules ready, median a module: Chromium ${s.compileMsMedian.chromium.toFixed(3)} ms, ` +
    `node ${s.compileMsMedian.node.toFixed(3)} ms`);
  console.log(`mutation to modules ready, median a module: Chromium ${s.mutateCompileMsMedian.chromium.toFixed(3)} ms, ` +
    `node ${s.mutateCompileMsMedian.node.toFixed(3)} ms`);
}
