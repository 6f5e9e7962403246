// The two automatic timers and the sliders that set their periods. As in the
// plug-in's dialog, a mutation comes every 0 to 60 seconds in steps of 5
// (10 at first) and a reset to a good parent every 0 to 180 seconds in steps
// of 10 (60 at first); 0, "Never", stands at the top and stops that timer.

import { readStored } from './storage.js';

const kScales = [
  { name: 'mutate', slider: 'auto-mutate', storageKey: 'zorva.AutoMutate', secondsPerPosition: 5, firstSeconds: 10 },
  { name: 'reset', slider: 'auto-reset', storageKey: 'zorva.AutoRestart', secondsPerPosition: 10, firstSeconds: 60 },
];

// In the words of the plug-in's labels: "1 minute", "2 minutes".
function describe(seconds) {
  if (seconds === 0) return 'Never';
  if (seconds === 60) return 'every minute';
  if (seconds % 60 === 0) return `every ${seconds / 60} minutes`;
  return `every ${seconds} seconds`;
}

// A stored period the slider cannot show comes back as the nearest it can,
// as the plug-in's dialog shows it.
function storedSeconds(scale, slider) {
  const stored = Number.parseInt(readStored(scale.storageKey) ?? '', 10);
  const seconds = Number.isNaN(stored) ? scale.firstSeconds : stored;
  const position = Math.trunc(seconds / scale.secondsPerPosition);
  return Math.min(Math.max(position, Number(slider.min)), Number(slider.max)) * scale.secondsPerPosition;
}

export class Timers {
  // actions: { mutate(), reset() }; held() is true while nothing may change
  // by itself: the user is in the input box, or the page is paused.
  constructor(actions, held) {
    this.actions = actions;
    this.held = held;
    this.intervals = new Map();
    this.seconds = new Map();
    for (const scale of kScales) this.attachSlider(scale);
  }

  attachSlider(scale) {
    const slider = document.getElementById(scale.slider);
    const readout = document.getElementById(`${scale.slider}-value`);
    const seconds = storedSeconds(scale, slider);
    this.seconds.set(scale.name, seconds);
    slider.value = String(seconds / scale.secondsPerPosition);
    readout.textContent = describe(seconds);
    slider.addEventListener('input', () => {
      const chosen = Number(slider.value) * scale.secondsPerPosition;
      this.seconds.set(scale.name, chosen);
      readout.textContent = describe(chosen);
      this.store(scale, chosen);
      this.restart();
    });
  }

  // The period is in force either way; only the next visit would miss it.
  store(scale, seconds) {
    try {
      localStorage.setItem(scale.storageKey, String(seconds));
    } catch {
      // A full storage keeps the library's room; the period stays for now.
    }
  }

  // The next automatic change comes a full period after this call. A tick
  // that is held back waits a full period too.
  restart() {
    for (const scale of kScales) {
      clearInterval(this.intervals.get(scale.name));
      const seconds = this.seconds.get(scale.name);
      if (seconds === 0) continue;
      const action = this.actions[scale.name];
      this.intervals.set(scale.name, setInterval(() => {
        if (!this.held()) action();
      }, seconds * 1000));
    }
  }
}
