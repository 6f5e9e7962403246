// The checks of back_end_checks.mjs in a worker (wasm_worker.mjs) of a blank
// page of headless Chromium, served from the loopback.
//
// node tests/web/wasm_chromium_test.mjs BUILD_WEB NATIVE_BIN [MUTATIONS]
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, normalize, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { nativeCases } from './native_cases.mjs';

const [webDir, nativeBin] = process.argv.slice(2, 4).map((path) => resolve(path));
const mutations = Number(process.argv[4] ?? 20000);
const served = { '/web/': webDir, '/tests/': fileURLToPath(new URL('.', import.meta.url)) };
const kTypes = { '.js': 'text/javascript', '.mjs': 'text/javascript', '.wasm': 'application/wasm' };

// The blank page at /, the build under /web/ and this folder under /tests/;
// nothing else, nothing above them.
async function answer(request, response) {
  try {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://host').pathname));
    if (path === '/') return response.writeHead(200, { 'Content-Type': 'text/html' }).end('<!doctype html>');
    const prefix = Object.keys(served).find((start) => path.startsWith(start));
    if (prefix === undefined) throw new Error(`${path} is not served`);
    const body = await readFile(join(served[prefix], path.slice(prefix.length)));
    response.writeHead(200, { 'Content-Type': kTypes[extname(path)] ?? 'application/octet-stream' }).end(body);
  } catch {
    response.writeHead(404).end();
  }
}

function checkInWorker(page, message) {
  return page.evaluate((data) => new Promise((done) => {
    const worker = new Worker('/tests/wasm_worker.mjs', { type: 'module' });
    worker.onmessage = (event) => done(event.data);
    worker.onerror = (event) => done({ error: event.message || 'the worker did not start' });
    worker.postMessage(data);
  }), message);
}

const started = performance.now();
const cases = await nativeCases(nativeBin);
const server = createServer(answer).listen(0, '127.0.0.1');
await new Promise((listening) => server.once('listening', listening));
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
});
let outcome;
try {
  const page = await browser.newPage();
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  outcome = await checkInWorker(page, { webBase: '/web/', mutations, cases });
} finally {
  await browser.close();
  server.close();
}
if (outcome.error !== undefined) {
  console.error(outcome.error);
  process.exit(1);
}
console.log(`Chromium: ${outcome.checked}, in ${((performance.now() - started) / 1000).toFixed(1)} s`);
