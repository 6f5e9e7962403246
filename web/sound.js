// The sound of each frame: a feed of the core's own ("silence" until the user
// picks a source, the built-in "music", or "ramp" for tests), a sound file
// the user opens, or the microphone. Files and the microphone go through Web
// Audio, which the browser starts only on a gesture, so no AudioContext
// exists before the user picks one of them.

// The core takes the newest 1,152 samples of each channel a frame.
const kAnalyserSize = 2048;
const kPlayerSampleRate = 44100;

export class Sound {
  constructor(core, showMessage) {
    this.core = core;
    this.showMessage = showMessage;
    this.context = null;
    this.analysers = [];
    this.stopSource = () => {};
    this.samples = new Float32Array(kAnalyserSize);
    this.buttons = [...document.querySelectorAll('#sound button')];
  }

  attachControls() {
    const fileInput = document.getElementById('sound-file-input');
    this.onClick('sound-silence', () => this.useFeed('silence'));
    this.onClick('sound-music', () => this.useFeed('music'));
    this.onClick('sound-file', () => {
      this.startAudio();
      fileInput.click();
    });
    fileInput.addEventListener('change', () => {
      if (fileInput.files.length > 0) this.playFile(fileInput.files[0]);
      fileInput.value = '';
    });
    this.onClick('sound-microphone', () => {
      this.startAudio();
      this.listenToMicrophone();
    });
  }

  onClick(id, action) {
    document.getElementById(id).addEventListener('click', action);
  }

  useFeed(name) {
    this.stop();
    this.core.soundBuiltin(name);
    this.showSource(`sound-${name}`);
  }

  // Called in the click that picked the source: the browser lets a context
  // made or resumed there play.
  startAudio() {
    if (this.context === null) this.context = new AudioContext({ sampleRate: kPlayerSampleRate });
    this.context.resume();
  }

  async playFile(file) {
    let buffer;
    try {
      buffer = await this.context.decodeAudioData(await file.arrayBuffer());
    } catch {
      this.showMessage(`"${file.name}" is not a sound that this browser can play.`);
      return;
    }
    this.stop();
    const source = new AudioBufferSourceNode(this.context, { buffer, loop: true });
    source.connect(this.context.destination);
    this.listen(source, buffer.numberOfChannels);
    source.start();
    this.stopSource = () => source.stop();
    this.showSource('sound-file');
  }

  // Heard only by the picture, never played back.
  async listenToMicrophone() {
    let stream;
    try {
      stream = await navigator.mediaDevices.getUserMedia({ audio: true });
    } catch (error) {
      this.showMessage(`The microphone is not available: ${error.message}`);
      return;
    }
    this.stop();
    const source = new MediaStreamAudioSourceNode(this.context, { mediaStream: stream });
    this.listen(source, 1);
    this.stopSource = () => {
      for (const track of stream.getTracks()) track.stop();
    };
    this.showSource('sound-microphone');
  }

  // One analyser a channel: an analyser alone would mix them down to one.
  listen(source, channels) {
    const used = Math.min(channels, 2);
    const splitter = new ChannelSplitterNode(this.context, { numberOfOutputs: used });
    source.connect(splitter);
    this.analysers = [];
    for (let channel = 0; channel < used; channel++) {
      const analyser = new AnalyserNode(this.context, { fftSize: kAnalyserSize });
      splitter.connect(analyser, channel);
      this.analysers.push(analyser);
    }
  }

  stop() {
    this.stopSource();
    this.stopSource = () => {};
    this.analysers = [];
  }

  showSource(id) {
    for (const button of this.buttons) button.setAttribute('aria-pressed', String(button.id === id));
  }

  // Before each frame: the newest samples of the file or the microphone go
  // to the core, which makes the frame's waveform and spectrum of them. A
  // feed of the core's own needs nothing here.
  feedFrame() {
    if (this.analysers.length === 0) return;
    const channels = this.core.pcmChannels();
    this.analysers.forEach((analyser, index) => {
      analyser.getFloatTimeDomainData(this.samples);
      channels[index].set(this.samples.subarray(kAnalyserSize - channels[index].length));
    });
    this.core.soundFromPcm(this.analysers.length);
  }
}
