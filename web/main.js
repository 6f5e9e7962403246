// The page's start: the core, the library, the first glyx, the sound and the
// controls. The address may ask for one of the core's sound feeds, a seed
// and a paused page, as the tests do: ?audio=ramp&seed=S&paused=1. Paused,
// nothing changes by itself and frames come only from zorva.step(n).
import { Commands } from './commands.js';
import { loadCore } from './core.js';
import { InputBox } from './input_box.js';
import { attachKeys, attachMouse } from './keys.js';
import { Library } from './library.js';
import { Picture } from './picture.js';
import { attachSharing, sharedText, shareText } from './sharing.js';
import { Sound } from './sound.js';
import { testFace } from './test_face.js';
import { Timers } from './timers.js';

const kFeeds = ['silence', 'ramp', 'music'];

let announceReady;
let announceFailure;
window.zorvaReady = new Promise((resolve, reject) => {
  announceReady = resolve;
  announceFailure = reject;
});

function startOptions() {
  const query = new URLSearchParams(location.search);
  const seed = query.get('seed');
  return {
    audio: kFeeds.includes(query.get('audio')) ? query.get('audio') : 'silence',
    seed: seed !== null && /^\d+$/.test(seed) ? Number(seed) >>> 0 : null,
    paused: query.get('paused') === '1',
  };
}

// A shared text that does not build stays in the box to be mended.
function showShared(commands, box, text) {
  if (!commands.setText(text)) box.showText(text);
}

function start(core) {
  const options = startOptions();
  const box = new InputBox((text) => commands.setText(text));
  const showMessage = (text) => box.showMessage(text);
  const timers = new Timers(
    { mutate: () => commands.mutate(), reset: () => commands.resetToGoodParent() },
    () => options.paused || box.hasFocus(),
  );
  const library = new Library(core, showMessage, (text) => {
    timers.restart();
    commands.setText(text);
  });
  const commands = new Commands(core, box, {
    changed: shareText,
    failed: () => timers.restart(),
    kept: () => library.save(),
  });
  const sound = new Sound(core, showMessage);
  const picture = new Picture(core, sound);

  library.load();
  core.seed(options.seed ?? Math.floor(Date.now() / 1000));
  // A good parent at random first, so that a shared text that does not
  // build still leaves a picture.
  const shared = sharedText();
  commands.resetToGoodParent();
  if (shared !== null) showShared(commands, box, shared);
  // A seeded page is ready with its generator at the seed, so that Space
  // then mutates as "zorva mutate --seed S" does.
  if (options.seed !== null) core.seed(options.seed);
  sound.useFeed(options.audio);

  library.attachControls();
  sound.attachControls();
  attachSharing((text) => showShared(commands, box, text), showMessage);
  attachKeys(commands, timers);
  attachMouse(picture.canvas, commands, timers);
  timers.restart();
  if (!options.paused) picture.run();
  return testFace(core, picture);
}

loadCore().then(start).then(
  (face) => {
    window.zorva = face;
    announceReady(face);
  },
  (error) => {
    document.getElementById('message').textContent = `The page could not load Zorva's core: ${error.message}`;
    announceFailure(error);
  },
);
