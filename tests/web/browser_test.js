// The web page in a real browser: plays the demo's replay in build/web in
// headless Chromium and compares what the page reports (the log and every
// screenshot, and each screenshot as the canvas itself showed it) with a
// native headless run of the same replay, byte for byte. Then the page as a
// player has it: fitted to windows of several sizes (a screenshot of each in
// OUTDIR, by default web-test beside WEBDIR), a tap and a click through the
// browser's own input, the sound, and a reload into the autosave.
//
//   node tests/web/browser_test.js QUILLON_PLAY GAMEDIR REPLAY WEBDIR [OUTDIR]
'use strict';
const {spawnSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {openPage} = require('./page_runner');

// The page is driven through Chromium's DevTools socket: Node 20 has its
// WebSocket client behind a flag, so the test runs itself again with it.
if (typeof WebSocket === 'undefined' && !process.execArgv.includes('--experimental-websocket')) {
  const again = spawnSync(process.execPath, ['--experimental-websocket', '--no-warnings', __filename,
                                             ...process.argv.slice(2)], {stdio: 'inherit'});
  process.exit(again.status === null ? 1 : again.status);
}

const [quillonPlay, gameDir, replay, webDir] = process.argv.slice(2);
const outDir = process.argv[6] || path.join(webDir, '..', 'web-test');

function nativeRun() {
  const shots = fs.mkdtempSync(path.join(os.tmpdir(), 'quillon-native-shots-'));
  const run = spawnSync(quillonPlay, [gameDir, '--replay', replay, '--screenshots', shots], {maxBuffer: 64 << 20});
  if (run.status !== 0) throw new Error('the native run failed: ' + run.stderr);
  const screenshots = {};
  for (const name of fs.readdirSync(shots)) screenshots[name] = fs.readFileSync(path.join(shots, name));
  fs.rmSync(shots, {recursive: true});
  return {log: run.stdout, screenshots};
}

// The RGB pixels of a BMP file (24 or 32 bits, rows bottom-up unless the height is negative), top row first.
function bmpPixels(bytes) {
  const offset = bytes.readUInt32LE(10), width = bytes.readInt32LE(18), rawHeight = bytes.readInt32LE(22);
  const bytesPerPixel = bytes.readUInt16LE(28) / 8, height = Math.abs(rawHeight);
  const pitch = (width * bytesPerPixel + 3) & ~3, rgb = Buffer.alloc(width * height * 3);
  for (let y = 0; y < height; ++y) {
    const row = offset + (rawHeight > 0 ? height - 1 - y : y) * pitch;
    for (let x = 0; x < width; ++x) {
      const at = row + x * bytesPerPixel, to = (y * width + x) * 3;
      rgb[to] = bytes[at + 2], rgb[to + 1] = bytes[at + 1], rgb[to + 2] = bytes[at];
    }
  }
  return {width, height, rgb};
}

// Where the canvas, read back as RGBA, differs from the picture: null when nowhere.
function canvasDiffers(canvas, picture) {
  if (!canvas) return 'was never shown on the canvas';
  if (canvas.width !== picture.width || canvas.height !== picture.height)
    return `is ${canvas.width} x ${canvas.height} on the canvas, ${picture.width} x ${picture.height} natively`;
  const rgba = Buffer.from(canvas.rgba, 'base64');
  for (let i = 0, j = 0; j < picture.rgb.length; i += 4, j += 3) {
    if (rgba[i] !== picture.rgb[j] || rgba[i + 1] !== picture.rgb[j + 1] || rgba[i + 2] !== picture.rgb[j + 2]) {
      const pixel = j / 3;
      return `differs on the canvas first at (${pixel % picture.width}, ${Math.floor(pixel / picture.width)})`;
    }
  }
  return null;
}

function differences(native, web) {
  const found = [];
  if (web.status !== 0) found.push(`the page's replay ended with status ${web.status}${web.error ? ': ' + web.error : ''}`);
  const webLog = Buffer.from(web.log || '', 'base64');
  if (!webLog.equals(native.log)) {
    const a = native.log.toString('latin1').split('\n'), b = webLog.toString('latin1').split('\n');
    let line = 0;
    while (line < a.length && a[line] === b[line]) ++line;
    found.push(`the logs differ from line ${line + 1}:\n  native: ${JSON.stringify(a[line])}\n  web:    ${JSON.stringify(b[line])}`);
  }
  const names = Object.keys(native.screenshots).sort(), webNames = Object.keys(web.screenshots || {}).sort();
  if (names.join() !== webNames.join()) found.push(`screenshots: native ${names.join(' ')}; web ${webNames.join(' ')}`);
  if (names.length === 0) found.push('the native run took no screenshot: the replay shows nothing to compare');
  for (const name of names) {
    const shot = (web.screenshots || {})[name];
    if (shot && !Buffer.from(shot, 'base64').equals(native.screenshots[name])) found.push(`screenshot ${name} differs`);
    const onCanvas = canvasDiffers((web.canvas || {})[name], bmpPixels(native.screenshots[name]));
    if (onCanvas) found.push(`screenshot ${name} ${onCanvas}`);
  }
  return found;
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The player's hand: the page says where to move the pointer and when to
// press (window.quillonHand); the browser's own input commands do it, as a
// person's mouse would, so the page treats the click as the user's gesture.
async function playerHand(page) {
  for (;;) {
    const asked = await page.send('Runtime.evaluate', {expression: 'JSON.stringify(window.quillonHand || null)',
                                                       returnByValue: true});
    const hand = JSON.parse(asked.result.value);
    if (hand && hand.done) return;
    if (hand && !hand.sent) {
      const at = {x: hand.x, y: hand.y};
      if (hand.press) {
        await page.send('Input.dispatchMouseEvent', {type: 'mousePressed', ...at, button: 'left', clickCount: 1});
        await page.send('Input.dispatchMouseEvent', {type: 'mouseReleased', ...at, button: 'left', clickCount: 1});
      } else {
        await page.send('Input.dispatchMouseEvent', {type: 'mouseMoved', ...at});
      }
      await page.send('Runtime.evaluate', {expression: 'window.quillonHand.sent = true'});
    }
    await sleep(50);
  }
}

// The page's window at these sizes, in CSS pixels: a desktop, a short browser
// window (smaller than the game), a window squeezed to nothing, and a phone
// held both ways (narrower than the game; laid out as a phone lays out pages).
const kWindowSizes = [[1280, 720], [800, 457], [1, 1], [844, 390, 'phone'], [390, 844, 'phone']];

// Where the page at this size falls short: it must not scroll, and the canvas
// must lie inside the window, centred, at the largest whole-number scale that
// fits or, below its own size, the largest fraction (to the pixel).
function misfits(shown, width, height) {
  const found = [], box = shown.box;
  if (shown.scrollWidth !== width || shown.scrollHeight !== height)
    found.push(`the page scrolls: ${shown.scrollWidth} x ${shown.scrollHeight}`);
  if (box.left < 0 || box.top < 0 || box.right > width || box.bottom > height) found.push('the canvas leaves the window');
  if (Math.abs(box.left - (width - box.right)) > 1 || Math.abs(box.top - (height - box.bottom)) > 1)
    found.push(`the canvas is not centred (at ${box.left}, ${box.top})`);
  const fits = Math.min(width / shown.width, height / shown.height), scale = fits >= 1 ? Math.floor(fits) : fits;
  if (Math.abs(box.right - box.left - shown.width * scale) > 1 || Math.abs(box.bottom - box.top - shown.height * scale) > 1)
    found.push(`the canvas shows at ${box.right - box.left} x ${box.bottom - box.top}, not at scale ${scale.toFixed(3)}`);
  return found;
}

// The language choice at each window size: fitted, with a screenshot in
// outDir, and the canvas holding the native first screenshot's pixels
// whatever size it shows at. Then, at the last size, a tap through the
// browser's touch input with a second finger down on "Deutsch" meanwhile:
// the first finger is the pointer, and its tap must choose English. Last,
// F11 makes the page full screen, fitted to the screen.
async function fitAndTap(page, languageShot) {
  const evaluate = async (expression) => {
    const answer = await page.send('Runtime.evaluate', {expression, returnByValue: true});
    if (answer.exceptionDetails) throw new Error(`${expression}: ${answer.exceptionDetails.exception.description}`);
    return answer.result.value;
  };
  const framesAfter = async (count) => {
    const frames = () => evaluate('(window.Module && Module.quillonFrames) || 0');
    const until = (await frames()) + count, deadline = Date.now() + 30000;
    while ((await frames()) < until) {
      if (Date.now() > deadline) throw new Error('the page stopped showing frames');
      await sleep(50);
    }
  };
  const fitted = async (width, height, name) => {
    await framesAfter(3);
    const shown = await evaluate(`(() => {
      const canvas = Module.canvas, box = canvas.getBoundingClientRect(), page = document.documentElement;
      return {width: canvas.width, height: canvas.height, scrollWidth: page.scrollWidth, scrollHeight: page.scrollHeight,
              box: {left: box.left, top: box.top, right: box.right, bottom: box.bottom}};
    })()`);
    const screenshot = await page.send('Page.captureScreenshot', {format: 'png'});
    fs.writeFileSync(path.join(outDir, `page-${name}.png`), Buffer.from(screenshot.data, 'base64'));
    return misfits(shown, width, height).map((fault) => `${name}: ${fault}`);
  };
  const found = [];
  try {
    await framesAfter(10);
    fs.mkdirSync(outDir, {recursive: true});
    for (const [width, height, phone] of kWindowSizes) {
      await page.send('Emulation.setDeviceMetricsOverride', {width, height, deviceScaleFactor: 1, mobile: !!phone});
      found.push(...(await fitted(width, height, `${width}x${height}`)));
      const onCanvas = canvasDiffers(await evaluate('quillonCanvasPixels(Module.canvas)'), languageShot);
      if (onCanvas) found.push(`${width}x${height}: the language choice ${onCanvas}`);
    }
    const pointOf = (x, y) => evaluate(`(() => {
      const canvas = Module.canvas, box = canvas.getBoundingClientRect();
      return {x: box.left + ${x + 0.5} * box.width / canvas.width, y: box.top + ${y + 0.5} * box.height / canvas.height};
    })()`);
    const english = {...(await pointOf(50, 438)), id: 1}, deutsch = {...(await pointOf(50, 418)), id: 2};
    // Sent at once, as a quick tap: the page must not need the game to have shown a hover first.
    await Promise.all([{type: 'touchStart', touchPoints: [english]}, {type: 'touchStart', touchPoints: [english, deutsch]},
                       {type: 'touchEnd', touchPoints: []}].map((touch) => page.send('Input.dispatchTouchEvent', touch)));
    await framesAfter(10);
    if (!(await evaluate('Module.quillonLog')).includes('DEMO: language 2'))
      found.push(`a tap on "English" did not choose it; the page's log ended:\n${(await evaluate('Module.quillonLog')).slice(-1000)}`);
    // Once the street is the player's, a long press shows the hotspots (the
    // mark over the coin) until the finger is lifted, and clicks nothing.
    const deadline = Date.now() + 60000;
    while (!(await evaluate('Module.quillonLog')).includes('<<< CALL GAMELOOP >>>') && Date.now() < deadline)
      await sleep(100);
    await framesAfter(20);
    const coin = () => evaluate(`Array.from(Module.canvas.getContext('2d').getImageData(440, 360, 30, 30).data).join()`);
    const [before, logBefore] = [await coin(), await evaluate('Module.quillonLog')];
    const sky = {...(await pointOf(300, 100)), id: 3};
    await page.send('Input.dispatchTouchEvent', {type: 'touchStart', touchPoints: [sky]});
    await sleep(800);
    await framesAfter(3);
    const during = await coin();
    await page.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []});
    await framesAfter(10);
    if (during === before) found.push('a long press did not mark the coin');
    if ((await coin()) !== before) found.push('the hotspots stayed shown after the finger was lifted');
    if ((await evaluate('Module.quillonLog')) !== logBefore) found.push('a long press changed the game\'s log');
    for (const type of ['rawKeyDown', 'keyUp'])
      await page.send('Input.dispatchKeyEvent', {type, key: 'F11', code: 'F11', windowsVirtualKeyCode: 122});
    await page.send('Emulation.clearDeviceMetricsOverride');
    await framesAfter(3);
    const [width, height, fullScreen] = await evaluate('[innerWidth, innerHeight, !!document.fullscreenElement]');
    if (!fullScreen) found.push('F11 did not make the page full screen');
    found.push(...(await fitted(width, height, 'full-screen')));
  } catch (error) {
    found.push(`the test's hand could not drive the page: ${error.message}`);
  }
  return {found};
}

async function main() {
  const native = nativeRun();
  const opened = Date.now();
  const web = await openPage(webDir, 'replay=/test.replay', {'/test.replay': replay});
  const found = differences(native, web);
  const languageShot = bmpPixels(native.screenshots['01-language.bmp']);
  found.push(...(await openPage(webDir, '', {}, 180000, '/index.html', (page) => fitAndTap(page, languageShot))).found);
  // The page as a player has it: a click on the canvas, the sound it starts, and a reload that goes on from the autosave.
  const player = await openPage(webDir, '', {'/player.html': path.join(__dirname, 'player_test.html')}, 180000,
                                '/player.html', playerHand);
  if (player.driveError) found.push(`the test's hand could not drive the page: ${player.driveError}`);
  if (!player.answered) found.push(`a click on the canvas${player.clicked ? '' : ' (never sent)'} did not choose English`);
  if (!player.heard) found.push('no sound reached Web Audio after the click');
  if (!player.restored) found.push('after a reload of the page the game did not go on from its autosave');
  else if (!player.sameScreen)
    found.push(`after the reload the street did not show as it did when the page went away (${player.sceneDifferences} values differ)`);
  if (!(player.answered && player.heard && player.restored && player.sameScreen))
    found.push(`the page's log ended:\n${player.log}`);
  if (found.length) throw new Error('\n' + found.join('\n'));
  console.log(`web: passed: the log (${native.log.length} bytes) and the ${Object.keys(native.screenshots).length} ` +
              `screenshots equal the native run's (on the canvas too), the page fits ${kWindowSizes.length} window sizes and full screen ` +
              `(screenshots in ${outDir}), a tap chose the language, a long press showed the hotspots, a click through the browser's input reached the game and started its sound, a reload went on from the autosave showing the street as it was; first frame after ${Math.round(web.firstFrameMs)} ms, ` +
              `whole replay ${((Date.now() - opened) / 1000).toFixed(1)} s`);
}

main().catch((error) => {
  console.error('web: FAILED: ' + error.message);
  process.exit(1);
});
