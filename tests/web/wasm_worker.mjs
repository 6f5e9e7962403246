// The checks of back_end_checks.mjs in the worker that wasm_chromium_test.mjs
// starts, where Chromium compiles modules of any size at once.
import { checkBackEnd } from './back_end_checks.mjs';

async function check({ webBase, mutations, cases }) {
  const { WasmEngine } = await import(`${webBase}wasm_engine.js`);
  const load = async (name) => (await import(`${webBase}${name}.js`)).default();
  return { checked: await checkBackEnd({
    corpus: await load('zorva_wasm_corpus'), core: await load('zorva_core'), WasmEngine, mutations, cases }) };
}

onmessage = ({ data }) => {
  check(data).then(postMessage, (error) => postMessage({ error: error.stack ?? String(error) }));
};
