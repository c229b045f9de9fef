// The page's side of the bridge, run inside quillon.js before the engine
// starts: the canvas shows SDL's screen, the player's pointer, fingers and
// keys become SDL events, Web Audio pulls SDL's sound, and saves live in the
// browser's persistent storage (IndexedDB). Module.quillon* are called by the
// engine.

var quillonImage = null;
var quillonCanvasShots = {};  // a replay's screenshots as the canvas showed them: RGBA, base64

// What the canvas holds, whatever size the page shows it at: RGBA as base64.
function quillonCanvasPixels(canvas) {
  var rgba = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data, text = '';
  for (var i = 0; i < rgba.length; i += 0x8000) text += String.fromCharCode.apply(null, rgba.subarray(i, i + 0x8000));
  return {width: canvas.width, height: canvas.height, rgba: btoa(text)};
}

// A replay's screenshot holds the frame that the next frame's first step
// shows: once the canvas shows it, the canvas itself is read back, so that
// what the test compares is what a player sees, not only the engine's surface.
function quillonReadBackShots(canvas) {
  var folder = '/results/screenshots';
  if (!FS.analyzePath(folder).exists) return;
  FS.readdir(folder).forEach(function (name) {
    if (name === '.' || name === '..' || name in quillonCanvasShots) return;
    quillonCanvasShots[name] = quillonCanvasPixels(canvas);
  });
}

// Copies a frame of SDL's surface to the canvas, pixel for pixel.
Module.quillonShow = function (pixels, width, height, pitch, bytes, rShift, gShift, bShift, rLoss, gLoss, bLoss) {
  var canvas = Module.canvas;
  if (!canvas) return;
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
    if (Module.quillonFit) Module.quillonFit();
  }
  var context = canvas.getContext('2d');
  if (!quillonImage || quillonImage.width !== width || quillonImage.height !== height) {
    quillonImage = context.createImageData(width, height);
  }
  var out = quillonImage.data, heap = HEAPU8, at = 0;
  var rMask = 0xff >> rLoss, gMask = 0xff >> gLoss, bMask = 0xff >> bLoss;
  for (var y = 0; y < height; ++y) {
    var from = pixels + y * pitch;
    for (var x = 0; x < width; ++x, from += bytes) {
      var v = heap[from] | (bytes > 1 ? heap[from + 1] << 8 : 0) | (bytes > 2 ? heap[from + 2] << 16 : 0) |
              (bytes > 3 ? heap[from + 3] << 24 : 0);
      out[at++] = ((v >>> rShift) & rMask) << rLoss;
      out[at++] = ((v >>> gShift) & gMask) << gLoss;
      out[at++] = ((v >>> bShift) & bMask) << bLoss;
      out[at++] = 255;
    }
  }
  context.putImageData(quillonImage, 0, 0);
  if (Module.quillonReplay) quillonReadBackShots(canvas);
  Module.quillonFrames = (Module.quillonFrames || 0) + 1;
  quillonTouch.frameShown();
  quillonGamepad.frameShown();
  if (!Module.quillonFirstFrame) {
    Module.quillonFirstFrame = performance.now();
    if (Module.onFirstFrame) Module.onFirstFrame(Module.quillonFirstFrame);
  }
};

// SDL 1.2 key symbols of the keys a game may name.
var quillonKeys = {
  Backspace: 8, Tab: 9, Enter: 13, Pause: 19, Escape: 27, ' ': 32, Delete: 127,
  ArrowUp: 273, ArrowDown: 274, ArrowRight: 275, ArrowLeft: 276, Insert: 277, Home: 278, End: 279,
  PageUp: 280, PageDown: 281
};

function quillonKeySymbol(event) {
  if (event.key in quillonKeys) return quillonKeys[event.key];
  var f = /^F([1-9]|1[0-5])$/.exec(event.key);
  if (f) return 281 + Number(f[1]);
  // Letters and digits: SDL names them by their lower-case character.
  if (event.key.length === 1) {
    var code = event.key.toLowerCase().charCodeAt(0);
    if (code >= 32 && code < 127) return code;
  }
  return 0;
}

// Where an event hits the canvas, in window pixels, whatever size the page
// shows it at; a point beside the canvas is taken to its nearest edge.
function quillonWindowPoint(canvas, event) {
  var box = canvas.getBoundingClientRect();
  var x = Math.floor((event.clientX - box.left) * canvas.width / Math.max(1, box.width));
  var y = Math.floor((event.clientY - box.top) * canvas.height / Math.max(1, box.height));
  return [Math.max(0, Math.min(canvas.width - 1, x)), Math.max(0, Math.min(canvas.height - 1, y))];
}

// A finger is the pointer: touching moves the pointer there (the game shows
// what lies under it, as under a mouse) and the pointer follows the finger;
// lifting it clicks where it is. The game picks what was under the pointer
// in the frame before a click, so the click waits until the engine has seen
// the move: a quick tap needs no hover. Only the first finger counts until
// it is lifted; no button is ever held down for a finger, so many fingers,
// a cancelled touch or a page that shrinks under the finger leave nothing
// pressed. Every gesture ends in lifted(): that is where a long press would
// be told apart from a tap.
var quillonTouch = {
  finger: null,  // the identifier of the finger that is the pointer, or null
  point: null,   // where the pointer is, in window pixels
  movedAt: 0,    // the page's frame count when the pointer went there
  click: null,   // a click waiting for the engine to see the pointer in place

  listen: function (canvas) {
    var self = this;
    function ours(event) {
      for (var i = 0; i < event.changedTouches.length; ++i) {
        if (event.changedTouches[i].identifier === self.finger) return event.changedTouches[i];
      }
      return null;
    }
    // Not passive: the page takes the touches, so the browser neither
    // scrolls, zooms nor makes mouse events of them.
    var handlers = {
      touchstart: function (event) {
        if (self.finger !== null || self.click) return;
        var touch = event.changedTouches[0];
        self.finger = touch.identifier;
        self.moveTo(quillonWindowPoint(canvas, touch));
        self.pressed();
      },
      touchmove: function (event) {
        var touch = ours(event);
        if (touch) self.moveTo(quillonWindowPoint(canvas, touch));
      },
      touchend: function (event) {
        if (!ours(event)) return;
        self.finger = null;
        Module.quillonAudio.start();  // a lifted finger lets sound start, as a click does
        self.lifted();
      },
      touchcancel: function (event) {
        if (!ours(event)) return;
        self.finger = null;
        clearTimeout(self.pressTimer);
        if (self.revealing) _QuillonRevealHotSpots(Module.quillonEngine, 0);
        self.revealing = false;
      }
    };
    Object.keys(handlers).forEach(function (type) {
      canvas.addEventListener(type, function (event) {
        event.preventDefault();
        handlers[type](event);
      }, {passive: false});
    });
  },
  moveTo: function (point) {
    this.point = point;
    this.movedAt = Module.quillonFrames || 0;
    _QuillonPointerMoved(point[0], point[1]);
  },
  lifted: function () {
    clearTimeout(this.pressTimer);
    if (this.revealing) {
      // A long press showed the hotspots: lifting hides them, and clicks nothing.
      this.revealing = false;
      _QuillonRevealHotSpots(Module.quillonEngine, 0);
      return;
    }
    this.click = this.point;
  },
  // Half a second on the spot shows the hotspots while the finger stays.
  pressed: function () {
    var self = this;
    clearTimeout(this.pressTimer);
    this.pressTimer = setTimeout(function () {
      if (self.finger === null) return;
      self.revealing = true;
      _QuillonRevealHotSpots(Module.quillonEngine, 1);
    }, 500);
  },
  // Called with every frame shown: a waiting click goes once the engine has
  // had a whole frame with the pointer in its place.
  frameShown: function () {
    if (!this.click || Module.quillonFrames < this.movedAt + 2) return;
    var at = this.click;
    this.click = null;
    _QuillonButton(1, 1, at[0], at[1]);
    _QuillonButton(0, 1, at[0], at[1]);
  }
};

function quillonListen() {
  var canvas = Module.canvas;
  var sdlButton = [1, 2, 3];  // the browser's left, middle, right
  var held = {};  // the browser's buttons pressed on the canvas and not yet released
  canvas.addEventListener('mousemove', function (event) {
    var p = quillonWindowPoint(canvas, event);
    _QuillonPointerMoved(p[0], p[1]);
  });
  canvas.addEventListener('mousedown', function (event) {
    var p = quillonWindowPoint(canvas, event);
    Module.quillonAudio.start();
    held[event.button] = true;
    _QuillonButton(1, sdlButton[event.button] || 1, p[0], p[1]);
    event.preventDefault();
  });
  // A button pressed on the canvas is released wherever the pointer has gone
  // (beside the canvas, or the canvas shrank away under it), as in a desktop
  // window, so that the game never keeps a button down.
  window.addEventListener('mouseup', function (event) {
    if (!held[event.button]) return;
    delete held[event.button];
    var p = quillonWindowPoint(canvas, event);
    _QuillonButton(0, sdlButton[event.button] || 1, p[0], p[1]);
    event.preventDefault();
  });
  quillonTouch.listen(canvas);
  canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
  window.addEventListener('keydown', function (event) {
    Module.quillonAudio.start();
    if (Module.quillonPageKey && Module.quillonPageKey(event)) return;
    var key = quillonKeySymbol(event);
    if (key) {
      // The engine counts a held key once; the browser's repeats would step it on.
      if (!event.repeat) _QuillonKeyDown(key, event.shiftKey ? 1 : 0);
      event.preventDefault();
    }
  });
  window.addEventListener('keyup', function (event) {
    var key = quillonKeySymbol(event);
    if (key) _QuillonKeyUp(key);
  });
}

// The first gamepad the browser knows (its standard mapping: buttons 0 A,
// 3 Y, 4 and 5 the shoulders; axes 0 and 1 the left stick, and the pad as
// buttons 12 to 15), read once a frame, its changes sent as SDL's joystick
// events: the pad becomes a hat's worth of stick.
var quillonGamepad = {
  last: null,  // what was sent: axes, then buttons
  frameShown: function () {
    if (!navigator.getGamepads) return;
    var pads = navigator.getGamepads(), pad = null;
    for (var i = 0; pads && i < pads.length && !pad; ++i) pad = pads[i];
    if (!pad) return;
    var pressed = function (b) { return pad.buttons[b] && pad.buttons[b].pressed ? 1 : 0; };
    var stick = function (a, minus, plus) {
      var v = Number(pad.axes[a]) || 0;
      v += pressed(plus) - pressed(minus);  // the pad pushes as far as the stick can
      return Math.round(Math.max(-1, Math.min(1, v)) * 32767);
    };
    var now = [stick(0, 14, 15), stick(1, 12, 13), pressed(0), pressed(3), pressed(4), pressed(5)];
    var buttons = [0, 3, 4, 5], last = this.last || [0, 0, 0, 0, 0, 0];
    for (var k = 0; k < 2; ++k) if (now[k] !== last[k]) _QuillonGamepad(0, k, now[k]);
    for (var j = 0; j < 4; ++j) if (now[2 + j] !== last[2 + j]) _QuillonGamepad(1, buttons[j], now[2 + j]);
    this.last = now;
  }
};

// Web Audio pulls SDL's callback (web/sdl_web_audio.c). Browsers let sound
// start only after the player's first click or key.
Module.quillonAudio = {
  format: null, context: null, node: null, buffer: 0,
  audibleBuffers: 0,  // buffers handed to the browser with sound in them (tests listen here)
  open: function (rate, channels, samples) {
    this.format = {rate: rate, channels: channels, samples: samples};
  },
  close: function () {
    if (this.node) this.node.disconnect();
    if (this.context) this.context.close();
    if (this.buffer) _free(this.buffer);
    this.format = this.context = this.node = null;
    this.buffer = 0;
  },
  start: function () {
    if (this.context || !this.format || Module.quillonMuted) return;
    var AudioContext = window.AudioContext || window.webkitAudioContext;
    if (!AudioContext) return;
    var format = this.format, self = this;
    this.context = new AudioContext({sampleRate: format.rate});
    var frames = 2048;
    this.buffer = _malloc(frames * format.channels * 2);
    this.node = this.context.createScriptProcessor(frames, 0, 2);
    this.node.onaudioprocess = function (event) {
      var left = event.outputBuffer.getChannelData(0), right = event.outputBuffer.getChannelData(1);
      _QuillonPullAudio(self.buffer, frames * format.channels * 2);
      var samples = HEAP16.subarray(self.buffer >> 1, (self.buffer >> 1) + frames * format.channels);
      var audible = false;
      for (var i = 0; i < frames; ++i) {
        left[i] = samples[i * format.channels] / 32768;
        right[i] = samples[i * format.channels + format.channels - 1] / 32768;
        audible = audible || left[i] !== 0 || right[i] !== 0;
      }
      if (audible) ++self.audibleBuffers;
    };
    this.node.connect(this.context.destination);
    this.context.resume();
  }
};

// Saves: the save folder is kept in IndexedDB, read before the game starts.
// Each save is written to it the moment the engine puts the file in place.
// IndexedDB answers later, and a closing page does not wait for it, so every
// write is first noted in localStorage, which keeps what it is given at once;
// the note goes when IndexedDB has the file, and a note still there at the
// next start (the page was closed too soon) is written then.
var quillonNote = 'quillon-save:';

function quillonKeepSaves() {
  var folder = '/saves';
  FS.mkdir(folder);
  FS.mount(IDBFS, {}, folder);
  ENV.QUILLON_SAVE_DIR = folder;
  Module.addRunDependency('quillon-saves');
  FS.syncfs(true, function (error) {
    if (error) console.warn('Quillon: saved games could not be read: ' + error);
    writeLeftNotes();
    Module.removeRunDependency('quillon-saves');
  });
  function warn(error) {
    if (error) console.warn('Quillon: the save could not be kept: ' + error);
  }
  function keep(path, removed) {
    var key = quillonNote + path, note = null;
    try {
      note = JSON.stringify(removed ? {removed: true} : {time: FS.stat(path).mtime.getTime(), data: quillonBase64(path)});
      localStorage.setItem(key, note);
    } catch (error) {
      note = null;  // no room there: IndexedDB alone
    }
    IDBFS.getDB(folder, function (error, db) {
      if (error) return warn(error);
      var transaction = db.transaction([IDBFS.DB_STORE_NAME], 'readwrite');
      var store = transaction.objectStore(IDBFS.DB_STORE_NAME);
      transaction.oncomplete = function () {
        if (note !== null && localStorage.getItem(key) === note) localStorage.removeItem(key);
      };
      if (removed) return IDBFS.removeRemoteEntry(store, path, warn);
      IDBFS.loadLocalEntry(path, function (error, entry) {
        if (error) return warn(error);
        IDBFS.storeRemoteEntry(store, path, entry, warn);
      });
    });
  }
  function writeLeftNotes() {
    var keys = [];
    for (var i = 0; i < localStorage.length; ++i) {
      if (localStorage.key(i).indexOf(quillonNote) === 0) keys.push(localStorage.key(i));
    }
    keys.forEach(function (key) {
      var path = key.slice(quillonNote.length), note;
      try {
        note = JSON.parse(localStorage.getItem(key));
        if (note.removed) {
          if (FS.analyzePath(path).exists) unlink(path);
        } else {
          FS.mkdirTree(path.slice(0, path.lastIndexOf('/')));
          FS.writeFile(path, Uint8Array.from(atob(note.data), function (c) { return c.charCodeAt(0); }));
          FS.utime(path, note.time, note.time);
        }
        keep(path, note.removed);
      } catch (error) {
        warn(error);
      }
    });
  }
  var inSaves = function (path) { return path.indexOf(folder + '/') === 0; };
  // A save is put in place by a rename from a file that was never kept (see
  // save/save_slots.cpp); a deleted save is unlinked.
  var rename = FS.rename, unlink = FS.unlink;
  FS.rename = function (from, to) {
    rename(from, to);
    if (inSaves(to)) keep(to, false);
  };
  FS.unlink = function (path) {
    unlink(path);
    if (inSaves(path)) keep(path, true);
  };
  // A hidden page may be ended by the browser without another frame: the
  // game's autosave is written when the page is hidden, once, and closing the
  // tab (a page that will not come back) is the window's close button.
  var savedWhileHidden = false;
  function hidden(closing) {
    if (!Module.quillonEngine) return;
    _QuillonPageHidden(savedWhileHidden ? 0 : Module.quillonEngine, closing);
    savedWhileHidden = true;
  }
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState === 'hidden') hidden(0);
    else savedWhileHidden = false;
  });
  window.addEventListener('pagehide', function (event) { hidden(event.persisted ? 0 : 1); });
}

// A replay named by the page is fetched into the file system before the engine starts.
function quillonFetchReplay(url) {
  Module.addRunDependency('quillon-replay');
  fetch(url).then(function (response) {
    if (!response.ok) throw new Error(url + ': ' + response.status);
    return response.text();
  }).then(function (text) {
    FS.writeFile('/replay.replay', text);
    FS.mkdir('/results');
    Module.removeRunDependency('quillon-replay');
  }).catch(function (error) {
    Module.printErr('Quillon: cannot fetch the replay ' + error);
  });
}

Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  // SDL's dummy video driver draws into memory; this page shows that memory.
  ENV.SDL_VIDEODRIVER = 'dummy';
  if (Module.quillonReplay) {
    quillonFetchReplay(Module.quillonReplay);
  } else {
    quillonKeepSaves();
  }
});
Module.postRun = Module.postRun || [];
Module.postRun.push(function () {});
if (Module.canvas) quillonListen();

function quillonBase64(path) {
  var bytes = FS.readFile(path), text = '';
  for (var i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
  return btoa(text);
}

// The engine has ended: a game, or a replay whose results are in /results
// (the log and screenshots as base64: the log's bytes are the game's own).
Module.quillonEnded = function (status, replaying) {
  Module.quillonStatus = status;
  Module.quillonEngine = 0;  // gone: the page's handlers leave it alone
  if (replaying) {
    var results = {status: status, log: quillonBase64('/results/log.txt'), screenshots: {}, canvas: quillonCanvasShots};
    var folder = '/results/screenshots';
    if (FS.analyzePath(folder).exists) {
      FS.readdir(folder).forEach(function (name) {
        if (name !== '.' && name !== '..') results.screenshots[name] = quillonBase64(folder + '/' + name);
      });
    }
    Module.quillonResults = results;
  }
  if (Module.onEnded) Module.onEnded(status, Module.quillonResults);
};
