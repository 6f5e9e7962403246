// The picture: the core's frames on the canvas #screen, 60 a second, which the
// page scales to fill its area with square pixels. The mouse is counted in
// the 256 x 256 area that the canvas shows, as the plug-in counts it in its
// 256 x 256 window; outside the canvas it runs on, negative or beyond 255.

const kFramePeriodMs = 1000 / 60;
// A display refresh that comes a little early still takes its frame, so that
// a 120 Hz display renders every other refresh rather than fewer.
const kEarlyMs = 4;
const kAreaSize = 256;

export class Picture {
  constructor(core, sound) {
    this.core = core;
    this.sound = sound;
    this.canvas = document.getElementById('screen');
    this.context = this.canvas.getContext('2d');
    this.fpsFigure = document.getElementById('fps');
    this.image = null;
    this.mouse = { x: 0, y: 0 };
    this.framesThisSecond = 0;
    document.addEventListener('mousemove', (event) => this.followMouse(event));
  }

  followMouse(event) {
    const box = this.canvas.getBoundingClientRect();
    if (box.width === 0 || box.height === 0) return;
    this.mouse.x = Math.floor(((event.clientX - box.left) * kAreaSize) / box.width);
    this.mouse.y = Math.floor(((event.clientY - box.top) * kAreaSize) / box.height);
  }

  // Renders n frames, each with its own sound, and shows the last.
  step(count) {
    let rendered = false;
    for (let frame = 0; frame < count; frame++) rendered = this.renderFrame() || rendered;
    if (rendered) this.context.putImageData(this.image, 0, 0);
    this.core.compileRows();
    return this.core.frameCount();
  }

  // Without an expression nothing is drawn and the canvas keeps its picture.
  renderFrame() {
    this.sound.feedFrame();
    const frame = this.core.renderFrame(this.mouse.x, this.mouse.y);
    if (frame === null) return false;
    this.fitImage(frame.width, frame.height);
    this.image.data.set(frame.pixels);
    this.framesThisSecond++;
    return true;
  }

  // Up and Down change the image's size; the canvas follows, and the page
  // scales it to the same area.
  fitImage(width, height) {
    if (this.image !== null && this.image.width === width && this.image.height === height) return;
    this.canvas.width = width;
    this.canvas.height = height;
    this.image = new ImageData(width, height);
  }

  // At most one frame a display refresh, so that typing never waits longer
  // than one frame; a slow frame is not caught up.
  run() {
    let due = performance.now();
    const tick = (now) => {
      if (now + kEarlyMs >= due) {
        this.step(1);
        due = Math.max(due + kFramePeriodMs, now - kFramePeriodMs);
      }
      requestAnimationFrame(tick);
    };
    requestAnimationFrame(tick);
    setInterval(() => this.showFramesPerSecond(), 1000);
  }

  showFramesPerSecond() {
    this.fpsFigure.textContent = `${this.framesThisSecond} fps`;
    this.framesThisSecond = 0;
  }
}
