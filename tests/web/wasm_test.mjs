// The checks of back_end_checks.mjs under node.
//
// node tests/web/wasm_test.mjs BUILD_WEB NATIVE_BIN [MUTATIONS]
import { readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { WasmEngine } from '../../web/wasm_engine.js';
import { checkBackEnd } from './back_end_checks.mjs';
import { nativeCases } from './native_cases.mjs';

const [webDir, nativeBin] = process.argv.slice(2, 4).map((path) => resolve(path));
const mutations = Number(process.argv[4] ?? 20000);

async function load(name) {
  const { default: create } = await import(pathToFileURL(join(webDir, `${name}.js`)).href);
  return create({ wasmBinary: readFileSync(join(webDir, `${name}.wasm`)) });
}

const started = performance.now();
const cases = await nativeCases(nativeBin);
const checked = await checkBackEnd({
  corpus: await load('zorva_wasm_corpus'), core: await load('zorva_core'), WasmEngine, mutations, cases });
console.log(`node: ${checked}, in ${((performance.now() - started) / 1000).toFixed(1)} s`);
