// The plug-in's keys and mouse buttons. Keys act only while the focus is on
// no control of the page: in the input box they type, on a slider they move
// it. Enter, Backspace, Space and the mouse restart both timers first; the
// arrows and the Ctrl keys leave them alone.

function inControl(target) {
  return target instanceof Element && target.closest('input, textarea, select, button, summary') !== null;
}

// Ctrl+C and Ctrl+V touch the clipboard here, inside the key's own event:
// the browser allows that only on the user's gesture. Ctrl+C over text
// selected on the page copies that text, as it does elsewhere.
function onKeyDown(event, commands, timers) {
  if (inControl(event.target)) return;
  const control = event.ctrlKey || event.metaKey;
  let handled = true;
  if (control && event.code === 'KeyC' && document.getSelection().isCollapsed) commands.copy();
  else if (control && event.code === 'KeyV') commands.paste();
  else handled = false;
  // With Ctrl held a key also has its plain effect: Ctrl+Enter keeps.
  switch (event.key) {
    case 'Enter': timers.restart(); commands.keep(); break;
    case 'Backspace': timers.restart(); commands.resetToGoodParent(); break;
    case ' ': timers.restart(); commands.mutate(); break;
    case 'ArrowUp': commands.changeSize(true); break;
    case 'ArrowDown': commands.changeSize(false); break;
    default: if (!handled) return;
  }
  event.preventDefault();
}

// A button or a summary pressed with the mouse gives the keys back at once,
// so that Space after a click on "Built-in music" mutates rather than
// presses it again. One pressed from the keyboard keeps the focus, and so
// does the input box's OK, which holds the timers back while the user mends
// a text.
function releaseClickedButton(event) {
  const pressed = event.target instanceof Element ? event.target.closest('button:not([data-keeps-focus]), summary') : null;
  if (pressed !== null && event.detail > 0) pressed.blur();
}

export function attachKeys(commands, timers) {
  document.addEventListener('keydown', (event) => onKeyDown(event, commands, timers));
  document.addEventListener('click', releaseClickedButton);
}

// A double click also fills the screen, or comes back from it, as the
// plug-in's window does.
function toggleFullScreen(element) {
  const change = document.fullscreenElement ? document.exitFullscreen() : element.requestFullscreen();
  change.catch(() => {});
}

// The double click takes the place of its second press, so it mutates once
// (its first press) and then resets, as in the plug-in.
export function attachMouse(canvas, commands, timers) {
  canvas.addEventListener('mousedown', (event) => {
    if (event.button !== 0 || event.detail === 2) return;
    timers.restart();
    commands.mutate();
  });
  canvas.addEventListener('dblclick', () => {
    toggleFullScreen(canvas.parentElement);
    timers.restart();
    commands.resetToGoodParent();
  });
  canvas.addEventListener('contextmenu', (event) => {
    event.preventDefault();
    timers.restart();
    commands.resetToGoodParent();
  });
}
