// What the keys, the mouse, the timers, the library list and the address ask
// of the current expression. After every change the box shows the new text;
// a text that does not build leaves the current expression and says why.
export class Commands {
  // hooks: changed(text) after the expression changed, failed() after a text
  // did not build, kept() after the library grew.
  constructor(core, box, hooks) {
    this.core = core;
    this.box = box;
    this.hooks = hooks;
  }

  setText(text) {
    return this.settle(this.core.setText(text));
  }

  resetToGoodParent() {
    return this.settle(this.core.resetToGoodParent());
  }

  mutate() {
    this.core.mutateCurrent();
    this.changed();
  }

  keep() {
    if (this.core.keepCurrent()) this.hooks.kept();
  }

  changeSize(up) {
    this.core.changeSize(up);
  }

  // Statements one a line, as the plug-in copies them. A printed statement
  // holds no semicolon, so "; " is only ever the separator.
  async copy() {
    const text = this.core.currentText();
    if (text === '') return;
    try {
      await navigator.clipboard.writeText(text.split('; ').join('\n'));
    } catch (error) {
      this.box.showMessage(`The browser did not let the page write to the clipboard: ${error.message}`);
    }
  }

  // A clipboard without text changes nothing.
  async paste() {
    let text;
    try {
      text = await navigator.clipboard.readText();
    } catch (error) {
      this.box.showMessage(`The browser did not let the page read the clipboard: ${error.message}`);
      return;
    }
    if (text !== '') this.setText(text);
  }

  settle(result) {
    if (result.ok) {
      this.changed();
    } else {
      this.box.showMessage(result.message);
      this.hooks.failed();
    }
    return result.ok;
  }

  changed() {
    const text = this.core.currentText();
    this.box.showText(text);
    this.box.clearMessage();
    this.hooks.changed(text);
  }
}
