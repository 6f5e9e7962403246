// The page in headless Chromium against the native zorva tool: the canvas,
// Space, Enter, the address, and that a bad text or file loses nothing. The
// page comes from scripts/web, or from ZORVA_PAGE_URL; ZORVA_PAGE_QUERY adds
// words (engine=evaluator) to every address.
import assert from 'node:assert/strict';
import { spawn, spawnSync } from 'node:child_process';
import { once } from 'node:events';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { createInterface } from 'node:readline';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const root = fileURLToPath(new URL('../..', import.meta.url));
const zorvaProgram = process.env.ZORVA ?? join(root, 'build/linux/bin/zorva');
const extraQuery = new URLSearchParams(process.env.ZORVA_PAGE_QUERY ?? '');
const scratch = mkdtempSync(join(tmpdir(), 'zorva-page-'));

let server = null;
let pageBase = process.env.ZORVA_PAGE_URL;
let browser;

// scripts/web builds first, which is quick when the build is current, and
// prints the address once it serves; it takes no port 0, so a probe picks one.
async function startServer() {
  const probe = createServer().listen(0, '127.0.0.1');
  await once(probe, 'listening');
  const { port } = probe.address();
  await new Promise((closed) => probe.close(closed));
  server = spawn(join(root, 'scripts/web'), ['--port', String(port)], { stdio: ['ignore', 'pipe', 'inherit'] });
  const ended = once(server, 'exit').then(([status]) => {
    throw new Error(`scripts/web ended with status ${status}`);
  });
  const served = (async () => {
    for await (const line of createInterface({ input: server.stdout })) {
      const address = line.match(/http:\/\/127\.0\.0\.1:\d+\//);
      if (address !== null) return address[0];
    }
    return ended;
  })();
  return Promise.race([served, ended]);
}

before(async () => {
  pageBase ??= await startServer();
  browser = await chromium.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
});

after(async () => {
  await browser?.close();
  server?.kill();
  rmSync(scratch, { recursive: true, force: true });
});

function pageAddress(query, hash = '') {
  const words = new URLSearchParams(query);
  for (const [name, value] of extraQuery) words.set(name, value);
  return `${pageBase}?${words}${hash}`;
}

async function whenReady(page) {
  await page.evaluate(() => window.zorvaReady.then(() => undefined));
  return page;
}

// Each test's page in a context of its own, with its own storage.
async function openPage(query, hash = '') {
  const page = await (await browser.newContext()).newPage();
  page.on('pageerror', (error) => assert.fail(`the page threw: ${error.message}`));
  await page.goto(pageAddress(query, hash));
  return whenReady(page);
}

// What zorva prints on success, one line an element.
function zorvaLines(...args) {
  const run = spawnSync(zorvaProgram, args, { encoding: 'latin1' });
  assert.equal(run.status, 0, run.stderr ?? String(run.error));
  return run.stdout.split('\n').slice(0, -1);
}

const current = (page) => page.evaluate(() => window.zorva.current());
const library = (page) => page.evaluate(() => window.zorva.library());
const message = (page) => page.textContent('#message');

// Typed arrays cross from the page as they are.
async function canvasPixels(page) {
  return Buffer.from(await page.evaluate(() => {
    const canvas = document.getElementById('screen');
    return canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  }));
}

// The last frame of a .raw file (768 bytes of colours, then one index a
// pixel) as the RGBA that the 256 by 256 canvas holds.
function lastFrameRgba(raw) {
  const frameStart = raw.length - (768 + 65536);
  const rgba = Buffer.alloc(65536 * 4);
  for (let pixel = 0; pixel < 65536; pixel++) {
    const colour = frameStart + 3 * raw[frameStart + 768 + pixel];
    raw.copy(rgba, 4 * pixel, colour, colour + 3);
    rgba[4 * pixel + 3] = 255;
  }
  return rgba;
}

async function keepMutatedGlyx(page) {
  await page.keyboard.press('Space');
  await page.keyboard.press('Enter');
  return current(page);
}

test('a text built with Ctrl+Enter shows the frames zorva render draws', async () => {
  const page = await openPage({ audio: 'ramp', seed: 5, paused: 1 });
  const text = 'p=pal(8,-t*3); decay(rad(x,acos(y))/1)%snd(sin(theta(abs(x+t),y))-t+17)';
  await page.locator('#glyx').fill(text);
  await page.locator('#glyx').press('Control+Enter');
  assert.equal(await message(page), '');
  assert.equal(await page.evaluate(() => window.zorva.step(3)), 3);

  const rawFile = join(scratch, 'frames.raw');
  zorvaLines('render', text, '--frames', '3', '--audio', 'ramp', '-o', rawFile);
  const raw = readFileSync(rawFile);
  assert.ok((await canvasPixels(page)).equals(lastFrameRgba(raw)), 'the canvas differs from zorva render');
  const options = { frames: 3, step: 3, xm: 40, ym: -7, audio: 'music' };
  zorvaLines('render', text, '--frames', '3', '--step', '3', '--xm', '40', '--ym', '-7', '--audio', 'music', '-o', rawFile);
  const rendered = await page.evaluate(([glyx, settings]) => window.zorva.render(glyx, settings), [text, options]);
  assert.ok(Buffer.from(rendered).equals(readFileSync(rawFile)), 'zorva.render differs from zorva render');
  await page.context().close();
});

test('Space on a seeded page mutates as zorva mutate --seed does', async () => {
  const page = await openPage({ seed: 1234, paused: 1 });
  const first = await current(page);
  await page.keyboard.press('Space');
  const [expected] = zorvaLines('mutate', first, '--seed', '1234');
  assert.equal(await current(page), expected);
  assert.equal(await page.inputValue('#glyx'), expected);
  const lines = await page.evaluate((text) => window.zorva.mutate(text, { seed: 77, times: 3 }), first);
  assert.deepEqual(lines, zorvaLines('mutate', first, '--seed', '77', '--times', '3'));
  await page.context().close();
});

test('Enter keeps the glyx across a reload, and the exported plugin.ini holds the same library', async () => {
  const page = await openPage({ seed: 99, paused: 1 });
  const kept = await keepMutatedGlyx(page);
  const entries = await library(page);
  assert.equal(entries.length, 63);
  assert.equal(entries[62], kept);

  await page.reload();
  await whenReady(page);
  assert.deepEqual(await library(page), entries);
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#export')]);
  assert.equal(download.suggestedFilename(), 'plugin.ini');
  const iniFile = join(scratch, 'plugin.ini');
  await download.saveAs(iniFile);
  assert.deepEqual(zorvaLines('library', 'list', '--ini', iniFile), entries);
  await page.context().close();
});

test('the address holds the glyx, and opening it shows that glyx', async () => {
  const [printed] = zorvaLines('check', 'p=pal(3) rad(x, y)*2');
  const page = await openPage({ paused: 1 }, `#glyx=${encodeURIComponent('p=pal(3) rad(x, y)*2')}`);
  assert.equal(await current(page), printed);
  assert.equal(new URL(page.url()).hash, `#glyx=${encodeURIComponent(printed)}`);

  await page.keyboard.press('Space');
  const mutated = await current(page);
  const link = page.url();
  await page.goto('about:blank');
  await page.goto(link);
  await whenReady(page);
  assert.equal(await current(page), mutated);

  const [grey] = zorvaLines('check', 'x*y');
  await page.evaluate(() => { location.hash = `#glyx=${encodeURIComponent('x*y')}`; });
  await page.waitForFunction((text) => window.zorva.current() === text, grey);
  await page.context().close();
});

test('a text that does not build shows the plug-in message and keeps the picture', async () => {
  const page = await openPage({ audio: 'ramp', seed: 2, paused: 1 });
  await page.evaluate(() => window.zorva.step(2));
  const picture = await canvasPixels(page);
  const glyx = await current(page);

  await page.locator('#glyx').fill('sin(x');
  await page.locator('#glyx').press('Control+Enter');
  const run = spawnSync(zorvaProgram, ['check', 'sin(x'], { encoding: 'latin1' });
  assert.equal(run.status, 1);
  const expected = (run.stdout + run.stderr).replace(/\n$/, '');
  assert.equal(await message(page), expected);
  assert.equal(await page.inputValue('#glyx'), 'sin(x');
  assert.equal(await current(page), glyx);
  assert.ok((await canvasPixels(page)).equals(picture), 'the picture changed');
  assert.deepEqual(await page.evaluate(() => window.zorva.check('sin(x')), { ok: false, message: expected });
  await page.context().close();
});

test('a file that is not a settings file, or a full storage, loses nothing kept', async () => {
  const page = await openPage({ seed: 7, paused: 1 });
  const kept = await keepMutatedGlyx(page);
  const entries = await library(page);
  const stored = () => page.evaluate(() => localStorage.getItem('zorva.plugin.ini'));
  const storedBefore = await stored();

  await page.setInputFiles('#import', { name: 'notes.txt', mimeType: 'text/plain', buffer: Buffer.from('Glyx1=x*y\n') });
  await page.waitForFunction(() => document.getElementById('message').textContent !== '');
  assert.match(await message(page), /"notes\.txt" is not a settings file/);
  assert.deepEqual(await library(page), entries);
  assert.equal(await stored(), storedBefore);

  // Fill the origin's storage, then keep one more glyx.
  await page.evaluate(() => {
    for (let size = 1 << 22, index = 0; size > 8;) {
      try {
        localStorage.setItem(`filler${index++}`, 'x'.repeat(size));
      } catch {
        size >>= 1;
      }
    }
  });
  const second = await keepMutatedGlyx(page);
  assert.match(await message(page), /storage is full/);
  assert.deepEqual(await library(page), [...entries, second]);
  assert.equal(await stored(), storedBefore);

  await page.reload();
  await whenReady(page);
  assert.equal((await library(page)).at(-1), kept);
  await page.context().close();
});
