// The web page in a real browser: plays the demo's replay in build/web in
// headless Chromium and compares what the page reports (the log and every
// screenshot) with a native headless run of the same replay, byte for byte.
//
//   node tests/web/browser_test.js QUILLON_PLAY GAMEDIR REPLAY WEBDIR
'use strict';
const {spawnSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {openPage} = require('./page_runner');

const [quillonPlay, gameDir, replay, webDir] = process.argv.slice(2);

function nativeRun() {
  const shots = fs.mkdtempSync(path.join(os.tmpdir(), 'quillon-native-shots-'));
  const run = spawnSync(quillonPlay, [gameDir, '--replay', replay, '--screenshots', shots], {maxBuffer: 64 << 20});
  if (run.status !== 0) throw new Error('the native run failed: ' + run.stderr);
  const screenshots = {};
  for (const name of fs.readdirSync(shots)) screenshots[name] = fs.readFileSync(path.join(shots, name));
  fs.rmSync(shots, {recursive: true});
  return {log: run.stdout, screenshots};
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
  for (const name of names) {
    const shot = (web.screenshots || {})[name];
    if (shot && !Buffer.from(shot, 'base64').equals(native.screenshots[name])) found.push(`screenshot ${name} differs`);
  }
  return found;
}

async function main() {
  const native = nativeRun();
  const opened = Date.now();
  const web = await openPage(webDir, 'replay=/test.replay', {'/test.replay': replay});
  const found = differences(native, web);
  // The page as a player has it: a click on the canvas, the sound it starts, and a reload that goes on from the autosave.
  const player = await openPage(webDir, '', {'/player.html': path.join(__dirname, 'player_test.html')}, 180000,
                                '/player.html');
  if (!player.answered) found.push(`a click on the canvas${player.clicked ? '' : ' (never sent)'} did not choose English`);
  if (!player.heard) found.push('no sound reached Web Audio after the click');
  if (!player.restored) found.push('after a reload of the page the game did not go on from its autosave');
  if (!(player.answered && player.heard && player.restored)) found.push(`the page's log ended:\n${player.log}`);
  if (found.length) throw new Error('\n' + found.join('\n'));
  console.log(`web: passed: the log (${native.log.length} bytes) and the ${Object.keys(native.screenshots).length} ` +
              `screenshots equal the native run's, a click on the canvas reached the game and started its sound, a reload went on from the autosave; first frame after ${Math.round(web.firstFrameMs)} ms, ` +
              `whole replay ${((Date.now() - opened) / 1000).toFixed(1)} s`);
}

main().catch((error) => {
  console.error('web: FAILED: ' + error.message);
  process.exit(1);
});
