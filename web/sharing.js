// The address shares the current glyx: its fragment is "#glyx=" and the
// percent-encoded text. Opening such an address, or changing the fragment,
// shows that glyx; every change of the glyx writes the fragment anew
// without adding a step to the browser's history.

const kPrefix = '#glyx=';

// The text of the address's fragment, or null when it holds none. A text
// whose percent signs do not decode is taken as it stands, so that the
// glyx's own message says what is wrong with it.
export function sharedText() {
  if (!location.hash.startsWith(kPrefix)) return null;
  const encoded = location.hash.slice(kPrefix.length);
  try {
    return decodeURIComponent(encoded);
  } catch {
    return encoded;
  }
}

export function shareText(text) {
  const hash = text === '' ? '' : kPrefix + encodeURIComponent(text);
  if (location.hash !== hash) history.replaceState(null, '', `${location.pathname}${location.search}${hash}`);
}

// show(text) makes a text the current glyx.
export function attachSharing(show, showMessage) {
  window.addEventListener('hashchange', () => {
    const text = sharedText();
    if (text !== null) show(text);
  });
  document.getElementById('copy-link').addEventListener('click', async () => {
    try {
      await navigator.clipboard.writeText(location.href);
      showMessage('The link to this glyx is on the clipboard.');
    } catch (error) {
      showMessage(`The browser did not let the page write to the clipboard: ${error.message}`);
    }
  });
}
