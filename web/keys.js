// The plug-in's keys and mouse buttons. Keys act only while the focus is on
// no control of the page: in the input box they type, on a slider they move
// it. Enter, Backspace, Space and the mouse restart both timers first; the
// arrows and the Ctrl keys leave them alone.

function inControl(target) {
  return target instanceof Element && target.closest('input, textarea, select, button') !== null;
}

// Ctrl+C and Ctrl+V touch the clipboard here, inside the key's own event:
// the browser allows that only on the user's gesture.
function onKeyDown(event, commands, timers) {
  if (inControl(event.target)) return;
  const control = event.ctrlKey;
  let handled = true;
  if (control && event.code === 'KeyC') commands.copy();
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

export function attachKeys(commands, timers) {
  document.addEventListener('keydown', (event) => onKeyDown(event, commands, timers));
}

// A double click also fills the screen, or comes back from it, as the
// plug-in's window does.
function toggleFullScreen(element) {
  const change = document.fullscreenElement ? document.exitFullscreen() : element.requestFullscreen();
  change.catch(() => {});
}

// A double click comes after the press of its first click, so it mutates
// and then resets, as in the plug-in.
export function attachMouse(canvas, commands, timers) {
  canvas.addEventListener('mousedown', (event) => {
    if (event.button !== 0) return;
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
