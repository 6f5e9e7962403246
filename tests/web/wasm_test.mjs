// The WebAssembly back end under node against the reference evaluator, byte
// for byte, faults included: the 20,000 trees of the native differential
// test, each statement's module compiled by node, and the ~2,000 texts that
// zorva mutate grows from the built-ins, rendered whole through the page's
// core with each engine. Every module that either compiles must pass
// WebAssembly.validate.
//
// node tests/web/wasm_test.mjs BUILD_WEB [MUTATIONS]
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { WasmEngine } from '../../web/wasm_engine.js';

const webDir = resolve(process.argv[2]);
const mutations = Number(process.argv[3] ?? 20000);

async function load(name, factory) {
  const { default: create } = await import(pathToFileURL(join(webDir, `${name}.js`)).href);
  return create({ wasmBinary: readFileSync(join(webDir, `${name}.wasm`)) }, factory);
}

function withText(module, text, call) {
  const size = module.lengthBytesUTF8(text) + 1;
  const pointer = module._malloc(size);
  try {
    module.stringToUTF8(text, pointer, size);
    return call(pointer);
  } finally {
    module._free(pointer);
  }
}

// Compiles synchronously, as node allows and the tree-by-tree loop wants.
function rowOf(module, imports, bytes) {
  assert.ok(WebAssembly.validate(bytes), 'a module that does not validate');
  const instance = new WebAssembly.Instance(new WebAssembly.Module(bytes), imports);
  return module.addFunction(instance.exports.row, 'ii');
}

async function checkTrees() {
  const corpus = await load('zorva_wasm_corpus');
  const imports = new WasmEngine(corpus).importObject();
  corpus._corpus_begin(mutations);
  let statements = 0;
  for (let count; (count = corpus._corpus_next()) !== 0;) {
    for (let i = 0; i < count; i++, statements++) {
      const size = corpus._corpus_module(i);
      const at = corpus._corpus_bytes();
      const row = rowOf(corpus, imports, corpus.HEAPU8.slice(at, at + size));
      const same = corpus._corpus_check(i, row);
      corpus.removeFunction(row);
      assert.equal(same, 1, `tree ${statements}: ${corpus.UTF8ToString(corpus._corpus_text(i))}`);
    }
  }
  return { statements, faults: corpus._corpus_faults() };
}

// Counts the modules that the page's engine compiles, and validates them.
class ValidatingEngine extends WasmEngine {
  compile(request, bytes) {
    assert.ok(WebAssembly.validate(bytes), 'a module that does not validate');
    return super.compile(request, bytes);
  }
}

async function checkTexts() {
  const core = await load('zorva_core');
  const engine = new ValidatingEngine(core);
  const call = (text, fn) => withText(core, text, fn);
  const render = (text) => call(text, (t) => call('ramp', (a) => core._zorva_render(t, 2, 2, 37, -5, a)))
    ? core.HEAPU8.slice(core._zorva_result_bytes(), core._zorva_result_bytes() + core._zorva_result_size())
    : null;
  const texts = [];
  for (let index = 0; ; index++) {
    const builtin = core.UTF8ToString(core._zorva_library_at(index));
    if (builtin === '' || index >= 62) break;
    assert.equal(call(builtin, (t) => core._zorva_mutate(t, index + 1, 33)), 1, builtin);
    texts.push(builtin, ...core.UTF8ToString(core._zorva_result_text()).split('\n'));
  }
  // Faults (-2147483648 / -1 or % -1) at a row of the pixel pass, in a
  // palette pass, and after a rand draw.
  texts.push('(0-2147483647-1)/(y-100)', 'x+(0-2147483647-1)%(x-7)', 'r=(0-2147483647-1)/(x-200); y',
    'rand(5)+(0-2147483647-1)/(x-3)');
  // The inline built-ins' rare paths: theta beyond a distance of 1023 and at
  // the centre, rad beyond 2^16, rand of 0 and of negative bounds, pal(0).
  texts.push('theta(x*9,y*7)+theta(x-128+y,y-128)+theta(0-2147483647-1,0-2147483647-1)', 'rad(x*x,y*300)+rad(t,t)',
    'rand(0)+rand(0-x)+rand(x*200)+rand(y)', 'exp(x-128)+atan(x*3-300)+pal(x,y)+pal(0,x)+pal(0-x)',
    'r=pal(x-3,t); g=rand(x); b=theta(x,t); rad(x,y*9)', 'vol(2147483647-x)+vol(y-300)+vol(x*99999999)',
    'sqrt(x*300)+sqrt(0-x)+sqrt(y)');
  let compiledBefore = core._zorva_engine_passes(1);
  for (const text of texts) {
    engine.use('evaluator');
    const evaluated = render(text);
    engine.use('wasm');
    await engine.prepare((t, fn) => call(t, fn), text);
    const evaluatedBefore = core._zorva_engine_passes(0);
    const compiled = render(text);
    assert.deepEqual(compiled, evaluated, text);
    assert.equal(core._zorva_engine_passes(0), evaluatedBefore, `${text}: a pass ran in the evaluator`);
    assert.ok(core._zorva_engine_passes(1) > compiledBefore, text);
    compiledBefore = core._zorva_engine_passes(1);
  }
  return { texts: texts.length, modules: engine.modulesCompiled };
}

const started = performance.now();
const trees = await checkTrees();
const texts = await checkTexts();
console.log(`${trees.statements} statements of ${mutations} trees (${trees.faults} faulting passes) and ` +
  `${texts.texts} texts (${texts.modules} modules) alike through both engines, ` +
  `in ${((performance.now() - started) / 1000).toFixed(1)} s`);
