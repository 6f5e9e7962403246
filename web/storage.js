// The browser's storage, which a user can refuse to a page: reading it then
// throws, and the page runs on with what it has in memory. Writes stay with
// their callers, which tell the user what a failed one means.

export function readStored(key) {
  try {
    return localStorage.getItem(key);
  } catch {
    return null;
  }
}
