// window.zorva: what tests and curious users can ask of the page. check,
// render and mutate give exactly what the zorva tool prints or writes for
// the same arguments; step renders frames while the page is paused. render
// and step first compile the rows they run, where the browser lets a page
// compile at once (modules up to 4 KB; any larger runs in the evaluator,
// with the same bytes, until it is compiled).

function orThrow(result) {
  if (!result.ok) throw new Error(result.message);
  return result;
}

export function testFace(core, picture) {
  return {
    check(text) {
      return core.check(text);
    },
    // The bytes of the .raw file that "zorva render" writes, through the
    // engine asked for ('wasm' or 'evaluator'; the page's by default).
    render(text, { frames = 1, step = 1, xm = 0, ym = 0, audio = 'music', engine = core.engine } = {}) {
      return orThrow(core.renderWith(engine, text, frames, step, xm, ym, audio)).bytes;
    },
    mutate(text, { seed = 1, times = 1 } = {}) {
      return orThrow(core.mutate(text, seed, times)).lines;
    },
    library() {
      return core.libraryEntries();
    },
    current() {
      return core.currentText();
    },
    // Renders n frames and shows the last; returns the session's frame count.
    step(count = 1) {
      core.prepareCurrent();
      return picture.step(count);
    },
  };
}
