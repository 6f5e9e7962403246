// The input box: the current text, statements separated by "; ", and the
// line below it where a text that does not build says why.
export class InputBox {
  constructor(onSubmit) {
    this.textArea = document.getElementById('glyx');
    this.button = document.getElementById('ok');
    this.message = document.getElementById('message');
    this.button.addEventListener('click', () => onSubmit(this.textArea.value));
    // Enter alone starts a new line: the box is made for long texts.
    this.textArea.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' || !(event.ctrlKey || event.metaKey)) return;
      event.preventDefault();
      onSubmit(this.textArea.value);
    });
  }

  // The timers leave the expression alone while the user reads or types here.
  hasFocus() {
    return document.activeElement === this.textArea || document.activeElement === this.button;
  }

  showText(text) {
    this.textArea.value = text;
  }

  showMessage(text) {
    this.message.textContent = text;
  }

  clearMessage() {
    this.message.textContent = '';
  }
}
