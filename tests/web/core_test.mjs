// The WebAssembly core under node against the native zorva tool: check and
// mutate of the built-ins, messages, the live session's frames, the page's
// own sound and the library's plugin.ini. Rendering of texts, faults
// included, is wasm_test.mjs's.
//
// node tests/web/core_test.mjs BUILD_WEB NATIVE_BIN
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { loadZorvaCore } from './load_core.mjs';

const [webDir, nativeBin] = process.argv.slice(2).map((p) => resolve(p));
const core = await loadZorvaCore(webDir);
const scratch = mkdtempSync(join(tmpdir(), 'zorva-web-'));
const failures = [];

function expectEqual(what, actual, expected) {
  if (JSON.stringify(actual) === JSON.stringify(expected)) return;
  failures.push(`${what}:\n  wasm:   ${JSON.stringify(actual)}\n  native: ${JSON.stringify(expected)}`);
}

function expectSameBytes(what, actual, expected) {
  if (!(actual instanceof Uint8Array) || Buffer.compare(actual, expected) !== 0) {
    failures.push(`${what}: ${actual.length} bytes against ${expected.length}, or different`);
  }
}

// What the native tool prints for a text on standard input, as the core
// gives it: its message on failure.
function zorva(args, input) {
  const run = spawnSync(join(nativeBin, 'zorva'), args, { input, encoding: 'latin1' });
  if (run.error) throw run.error;
  return { ok: run.status === 0, text: (run.status === 0 ? run.stdout : run.stderr).replace(/\n$/, '') };
}

function checkBuiltins(builtins) {
  builtins.forEach((text, index) => {
    expectEqual(`check of built-in ${index}`, core.check(text), zorva(['check', '-'], text));
    const args = ['mutate', '-', '--seed', `${index + 1}`, '--times', '33'];
    expectEqual(`mutate of built-in ${index}`, core.mutate(text, index + 1, 33), zorva(args, text));
  });
  for (const text of ['sin(x', 'x+', 'p=pal(3) q', '"abc', 'x/(y']) {
    expectEqual(`message of ${text}`, core.check(text), zorva(['check', '-'], text));
    expectEqual(`render message of ${text}`, core.render(text, 1, 1, 0, 0, 'ramp'),
                zorva(['render', '-', '--audio', 'ramp', '-o', join(scratch, 'no.raw')], text));
  }
}

// A frame of a .raw file as the canvas takes it.
function rgbaOf(raw) {
  const rgba = new Uint8Array(65536 * 4);
  for (let i = 0; i < 65536; i++) {
    rgba.set(raw.subarray(3 * raw[768 + i], 3 * raw[768 + i] + 3), 4 * i);
    rgba[4 * i + 3] = 255;
  }
  return rgba;
}

// 16-bit stereo samples as a WAV file.
function wavOf(left, right) {
  const data = Buffer.alloc(4 * left.length);
  left.forEach((sample, i) => { data.writeInt16LE(sample, 4 * i); data.writeInt16LE(right[i], 4 * i + 2); });
  const header = Buffer.alloc(44);
  header.write('RIFF', 0); header.writeUInt32LE(36 + data.length, 4); header.write('WAVEfmt ', 8);
  header.writeUInt32LE(16, 16); header.writeUInt16LE(1, 20); header.writeUInt16LE(2, 22);
  header.writeUInt32LE(44100, 24); header.writeUInt32LE(4 * 44100, 28); header.writeUInt16LE(4, 32);
  header.writeUInt16LE(16, 34); header.write('data', 36); header.writeUInt32LE(data.length, 40);
  return Buffer.concat([header, data]);
}

// The page's own sound: samples that become the frame's rows as zorva render
// --wav makes them from a file of the same samples.
function checkPcmSound(text) {
  const left = Array.from({ length: 1152 }, (_, i) => ((i * 7919) % 65535) - 32767);
  const right = left.map((sample, i) => (i % 3 ? -sample : sample >> 2));
  const wav = join(scratch, 'pcm.wav');
  writeFileSync(wav, wavOf(left, right));
  const out = join(scratch, 'pcm.raw');
  zorva(['render', '-', '--wav', wav, '-o', out], text);
  core.seed(1);
  core.setText(text);
  core.soundFromPcm(left.map((s) => s / 32767), right.map((s) => s / 32767));
  expectSameBytes('a frame of the page\'s own sound', core.renderFrame(0, 0), rgbaOf(readFileSync(out)));
}

// The live session draws frame after frame what zorva render writes, and its
// library goes to a plugin.ini that the tool reads as the same library.
function checkSession(builtins) {
  const text = builtins[5];
  expectEqual('set_text', core.setText(text).ok, true);
  core.soundBuiltin('ramp');
  let rgba;
  for (let f = 0; f < 3; f++) rgba = core.renderFrame(0, 0);
  const raw = core.render(text, 3, 1, 0, 0, 'ramp').subarray(2 * (768 + 65536));
  expectSameBytes('third frame of the session', rgba, rgbaOf(raw));

  core.seed(7);
  core.mutateCurrent();
  expectEqual('Space', core.currentText(), zorva(['mutate', '-', '--seed', '7'], text).text);
  core.setText(text);
  for (const up of [false, false]) core.changeSize(up);
  expectEqual('Down twice', core.imageSize(), [86, 86]);
  for (const up of [true, true, true]) core.changeSize(up);
  expectEqual('Up three times', core.imageSize(), [256, 256]);
  expectEqual('Backspace', core.resetToGoodParent().ok && core.library().includes(core.currentText()), true);
  core.setText(text);

  expectEqual('a bad text', core.setText('sin(x'), core.check('sin(x'));
  expectEqual('current text after a bad one', core.currentText(), core.check(text).text);
  core.setText('x*y+t');
  expectEqual('Enter keeps a new text', core.keep(), true);
  expectEqual('Enter again adds nothing', core.keep(), false);
  expectEqual('import of a text without [Zorva]', core.importIni('[Other]\nGlyx1=x\n'), false);
  const ini = join(scratch, 'plugin.ini');
  writeFileSync(ini, core.exportIni(), 'latin1');
  expectEqual('exported library', core.library().join('\n'), zorva(['library', 'list', '--ini', ini]).text);
  const before = core.library();
  const kept = ['x-y', before.at(-1), 'x*y+t'];
  expectEqual('import of a plugin.ini', core.importIni(`[Zorva]\r\n${kept.map((t, i) => `Glyx${i + 1}=${t}\r\n`).join('')}`), true);
  expectEqual('imported library', core.library(), [...before, ...kept.filter((t) => !before.includes(t))]);
}

try {
  const builtins = zorva(['library', 'list']).text.split('\n');
  expectEqual('the built-ins', core.library().join('\n'), builtins.join('\n'));
  checkBuiltins(builtins);
  checkSession(builtins);
  checkPcmSound(builtins[0]);
  console.log(`${builtins.length} built-ins: ${failures.length ? `${failures.length} differences` : 'the same'}`);
} finally {
  rmSync(scratch, { recursive: true, force: true });
}
for (const failure of failures.slice(0, 20)) console.error(failure);
process.exit(failures.length ? 1 : 0);
