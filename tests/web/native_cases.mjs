// The cases that back_end_checks.mjs renders, each with the digest of what the
// Linux build renders for it: the built-ins in whole frames; then at step 2
// each built-in and its 33 mutations, and the edge cases.
import { spawnSync } from 'node:child_process';
import { join } from 'node:path';
import { digestOf, kBuiltinRendering, kEdgeTexts, kTextRendering } from './back_end_checks.mjs';

function run(program, args, input) {
  const result = spawnSync(program, args, { input, maxBuffer: 1 << 30 });
  if (result.error) throw result.error;
  if (result.status !== 0) throw new Error(`${program} ${args.join(' ')}: ${result.stderr}`);
  return result.stdout;
}

function lines(bytes) {
  return bytes.toString('latin1').split('\n').slice(0, -1);
}

async function renderedCases(renderTexts, texts, rendering) {
  const { frames, step, xm, ym } = rendering;
  const rendered = run(renderTexts, [frames, step, xm, ym].map(String), texts.join('\n') + '\n');
  const cases = [];
  for (let at = 0; at < rendered.length;) {
    const size = rendered.readUInt32LE(at);
    const digest = await digestOf(rendered.subarray(at + 4, at + 4 + size));
    cases.push({ text: texts[cases.length], rendering, digest });
    at += 4 + size;
  }
  if (cases.length !== texts.length) throw new Error(`zorva_render_texts rendered ${cases.length} of ${texts.length}`);
  return cases;
}

export async function nativeCases(nativeBin) {
  const zorva = join(nativeBin, 'zorva');
  const renderTexts = join(nativeBin, 'zorva_render_texts');
  const builtins = lines(run(zorva, ['library', 'list']));
  const mutated = builtins.flatMap((text, index) =>
    [text, ...lines(run(zorva, ['mutate', '-', '--seed', `${index + 1}`, '--times', '33'], text))]);
  return [
    ...await renderedCases(renderTexts, builtins, kBuiltinRendering),
    ...await renderedCases(renderTexts, [...mutated, ...kEdgeTexts], kTextRendering),
  ];
}
