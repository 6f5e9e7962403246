// The library of good parents: the 62 built-ins, then every kept glyx. The
// browser's storage keeps it as the plugin.ini text that the plug-in reads,
// so that an export can go beside the plug-in as it is. Whatever goes wrong
// (a file that is no settings file, a full storage) loses nothing kept.

import { readStored } from './storage.js';

const kStorageKey = 'zorva.plugin.ini';

function storageProblem(error) {
  if (error.name === 'QuotaExceededError') {
    return "The browser's storage is full, so it could not keep the library. " +
      'What you kept stays until this page closes: use Export to keep it in a file.';
  }
  return `The browser could not keep the library (${error.message}). ` +
    'What you kept stays until this page closes: use Export to keep it in a file.';
}

export class Library {
  // show(text) makes a text the current glyx.
  constructor(core, showMessage, show) {
    this.core = core;
    this.showMessage = showMessage;
    this.show = show;
    this.list = document.getElementById('library');
    this.shownCount = 0;
  }

  load() {
    const stored = readStored(kStorageKey);
    if (stored !== null && !this.core.libraryImport(stored)) {
      this.showMessage('The library kept in this browser is no settings file any more; the built-in glyxes are there.');
    }
    this.showList();
  }

  // What another tab stored meanwhile is merged first, so neither loses.
  save() {
    const stored = readStored(kStorageKey);
    if (stored !== null) this.core.libraryImport(stored);
    try {
      localStorage.setItem(kStorageKey, this.core.libraryExport());
    } catch (error) {
      this.showMessage(storageProblem(error));
    }
    this.showList();
  }

  attachControls() {
    document.getElementById('export').addEventListener('click', () => this.exportFile());
    const fileInput = document.getElementById('import');
    document.getElementById('import-button').addEventListener('click', () => fileInput.click());
    fileInput.addEventListener('change', async () => {
      const file = fileInput.files[0];
      fileInput.value = '';
      if (file !== undefined) await this.importFile(file);
    });
    this.list.addEventListener('click', (event) => {
      const entry = event.target.closest('button');
      if (entry !== null) this.show(entry.textContent);
    });
    window.addEventListener('storage', (event) => {
      if (event.key !== kStorageKey || event.newValue === null) return;
      this.core.libraryImport(event.newValue);
      this.showList();
    });
  }

  exportFile() {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([this.core.libraryExport()], { type: 'text/plain' }));
    link.download = 'plugin.ini';
    link.click();
    // Some browsers read the file only after the click has returned.
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  async importFile(file) {
    const countBefore = this.shownCount;
    if (!this.core.libraryImport(await file.text())) {
      this.showMessage(`"${file.name}" is not a settings file: it has no [Zorva] section. The library is unchanged.`);
      return;
    }
    this.showMessage(`"${file.name}" added ${this.core.libraryEntries().length - countBefore} glyxes to the library.`);
    this.save();
  }

  // Entries are only ever added, so the list grows at its end.
  showList() {
    const entries = this.core.libraryEntries();
    for (const text of entries.slice(this.shownCount)) {
      const entry = document.createElement('button');
      entry.type = 'button';
      entry.textContent = text;
      const item = document.createElement('li');
      item.append(entry);
      this.list.append(item);
    }
    this.shownCount = entries.length;
  }
}
