// Opens a built web page in headless Chromium, served on 127.0.0.1, and
// waits for what the page posts to /report (see web/index.html: ?report).
'use strict';
const {spawn} = require('child_process');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');

const kTypes = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm'};

// Serves webDir, plus extra files by their address ({'/test.replay': FILE}).
function serve(webDir, extra, deliver) {
  return http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    if (request.method === 'POST' && url.pathname === '/report') {
      const chunks = [];
      request.on('data', (chunk) => chunks.push(chunk));
      request.on('end', () => {
        response.end('ok');
        deliver(JSON.parse(Buffer.concat(chunks).toString('utf8')));
      });
      return;
    }
    const file = extra[url.pathname] ||
                 path.join(webDir, path.normalize(url.pathname === '/' ? '/index.html' : url.pathname));
    fs.readFile(file, (error, body) => {
      response.writeHead(error ? 404 : 200, {'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream'});
      response.end(error ? '' : body);
    });
  });
}

// Resolves with the page's report, or rejects after timeoutMs with Chromium's last words.
async function openPage(webDir, query, extra = {}, timeoutMs = 15 * 60 * 1000, page = '/index.html') {
  let deliver;
  const report = new Promise((resolve) => (deliver = resolve));
  const server = serve(webDir, extra, deliver);
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quillon-chromium-'));
  const url = `http://127.0.0.1:${server.address().port}${page}?${query}&report=/report`;
  // Without the network flags Chromium keeps reaching for hosts a closed machine cannot reach.
  const browser = spawn('chromium', ['--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
                                     '--disable-background-networking', '--disable-component-update',
                                     '--disable-sync', '--disable-quic',
                                     '--autoplay-policy=no-user-gesture-required', `--user-data-dir=${profile}`, url],
                        {stdio: ['ignore', 'ignore', 'pipe'], detached: true});
  let errors = '';
  browser.stderr.on('data', (chunk) => (errors = (errors + chunk).slice(-4000)));
  let timer;
  const timeout = new Promise((resolve) => (timer = setTimeout(() => resolve(null), timeoutMs)));
  try {
    const result = await Promise.race([report, timeout]);
    if (!result) throw new Error(`the page reported nothing within ${timeoutMs / 1000} s; Chromium said:\n${errors}`);
    return result;
  } finally {
    clearTimeout(timer);
    const exited = browser.exitCode !== null ? Promise.resolve() : new Promise((resolve) => browser.once('exit', resolve));
    // Chromium and its helper processes, which would otherwise keep writing the profile.
    try {
      process.kill(-browser.pid, 'SIGKILL');
    } catch (error) {
      // already gone
    }
    server.close();
    await exited;
    // Chromium's helper processes may still be leaving the profile.
    try {
      fs.rmSync(profile, {recursive: true, force: true, maxRetries: 10, retryDelay: 200});
    } catch (error) {
      console.error(`(left ${profile}: ${error.message})`);
    }
  }
}

module.exports = {openPage};
