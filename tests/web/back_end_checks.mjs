// The WebAssembly back end against the reference evaluator and the native
// zorva tool, byte for byte, faults included, under node (wasm_test.mjs) or in
// a worker of headless Chromium (wasm_chromium_test.mjs), so it uses only what
// both offer. The native differential test's trees, grown alike in
// zorva_wasm_corpus, row against evaluator; and texts (built-ins, their
// mutations, the edge cases below) through the page's core with each engine,
// against the digest of zorva render's bytes. Every module must validate.

// zorva render's --frames, --step, --xm and --ym for the cases, with --audio ramp.
export const kBuiltinRendering = { frames: 3, step: 1, xm: 37, ym: -5 };
export const kTextRendering = { frames: 2, step: 2, xm: 37, ym: -5 };

// Faults (-2147483648 / -1 or % -1) at a row of the pixel pass, in a palette
// pass, and after a rand draw; then the inline built-ins' rare paths: theta
// beyond a distance of 1023 and at the centre, rad beyond 2^16, rand of 0
// and of negative bounds, pal(0).
export const kEdgeTexts = [
  '(0-2147483647-1)/(y-100)', 'x+(0-2147483647-1)%(x-7)', 'r=(0-2147483647-1)/(x-200); y',
  'rand(5)+(0-2147483647-1)/(x-3)',
  'theta(x*9,y*7)+theta(x-128+y,y-128)+theta(0-2147483647-1,0-2147483647-1)', 'rad(x*x,y*300)+rad(t,t)',
  'rand(0)+rand(0-x)+rand(x*200)+rand(y)', 'exp(x-128)+atan(x*3-300)+pal(x,y)+pal(0,x)+pal(0-x)',
  'r=pal(x-3,t); g=rand(x); b=theta(x,t); rad(x,y*9)', 'vol(2147483647-x)+vol(y-300)+vol(x*99999999)',
  'sqrt(x*300)+sqrt(0-x)+sqrt(y)',
];

function expect(condition, message) {
  if (!condition) throw new Error(message);
}

// SHA-256 in hexadecimal; the empty string for no bytes, a text that does
// not build.
export async function digestOf(bytes) {
  if (bytes.length === 0) return '';
  const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', bytes));
  return Array.from(digest, (byte) => byte.toString(16).padStart(2, '0')).join('');
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

// Compiles at once, as node and a worker allow.
function rowOf(module, imports, bytes) {
  expect(WebAssembly.validate(bytes), 'a module that does not validate');
  const instance = new WebAssembly.Instance(new WebAssembly.Module(bytes), imports);
  return module.addFunction(instance.exports.row, 'ii');
}

function checkTrees(corpus, WasmEngine, mutations) {
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
      expect(same === 1, `tree ${statements}: ${corpus.UTF8ToString(corpus._corpus_text(i))}`);
    }
  }
  return { statements, faults: corpus._corpus_faults() };
}

// Counts the modules that the page's engine compiles, and validates them.
function validating(WasmEngine) {
  return class extends WasmEngine {
    compile(request, bytes) {
      expect(WebAssembly.validate(bytes), 'a module that does not validate');
      return super.compile(request, bytes);
    }
  };
}

// Each case rendered by the evaluator, then with every pass in the back end.
async function checkTexts(core, WasmEngine, cases) {
  const engine = new (validating(WasmEngine))(core);
  const call = (text, fn) => withText(core, text, fn);
  const render = (text, { frames, step, xm, ym }) =>
    call(text, (t) => call('ramp', (audio) => core._zorva_render(t, frames, step, xm, ym, audio)))
      ? core.HEAPU8.slice(core._zorva_result_bytes(), core._zorva_result_bytes() + core._zorva_result_size())
      : new Uint8Array();
  let compiledBefore = core._zorva_engine_passes(1);
  for (const { text, rendering, digest } of cases) {
    const what = `${text} (${JSON.stringify(rendering)})`;
    engine.use('evaluator');
    const evaluated = render(text, rendering);
    engine.use('wasm');
    await engine.prepare(call, text);
    const evaluatedBefore = core._zorva_engine_passes(0);
    const compiled = render(text, rendering);
    expect(await digestOf(evaluated) === digest, `${what}: the evaluator's bytes differ from zorva render's`);
    expect(await digestOf(compiled) === digest, `${what}: the back end's bytes differ from zorva render's`);
    expect(core._zorva_engine_passes(0) === evaluatedBefore, `${what}: a pass ran in the evaluator`);
    expect(core._zorva_engine_passes(1) > compiledBefore, `${what}: no pass ran in the back end`);
    compiledBefore = core._zorva_engine_passes(1);
  }
  return { cases: cases.length, modules: engine.modulesCompiled };
}

// Both checks, in a sentence on what agreed; throws on the first difference.
export async function checkBackEnd({ corpus, core, WasmEngine, mutations, cases }) {
  const trees = checkTrees(corpus, WasmEngine, mutations);
  const texts = await checkTexts(core, WasmEngine, cases);
  return `${trees.statements} statements of ${mutations} trees (${trees.faults} faulting passes) and ` +
    `${texts.cases} renders of texts (${texts.modules} modules) alike through both engines and zorva render`;
}
