// Opens a built web page in headless Chromium, served on 127.0.0.1, and
// waits for what the page posts to /report (see web/index.html: ?report).
// A test may drive the page meanwhile through Chromium's remote-debugging
// protocol (its own input events, which count as a person's; no autoplay
// exception is made for the page). Run node with --experimental-websocket
// where WebSocket is not yet a global.
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

// The page's target of the browser whose DevTools listen at browserUrl,
// as a client: send(method, params) resolves with the command's result.
async function connectToPage(browserUrl, pageUrl) {
  const {host} = new URL(browserUrl);
  let target;
  for (let tries = 0; !target && tries < 100; ++tries) {
    const list = await new Promise((resolve, reject) =>
      http.get(`http://${host}/json/list`, (response) => {
        let body = '';
        response.on('data', (chunk) => (body += chunk));
        response.on('end', () => resolve(JSON.parse(body)));
      }).on('error', reject));
    target = list.find((t) => t.type === 'page' && t.url.startsWith(pageUrl.split('?')[0]));
    if (!target) await new Promise((resolve) => setTimeout(resolve, 100));
  }
  if (!target) throw new Error('Chromium shows no page for ' + pageUrl);
  const socket = new WebSocket(target.webSocketDebuggerUrl);
  await new Promise((resolve, reject) => ((socket.onopen = resolve), (socket.onerror = reject)));
  let next = 0;
  const waiting = new Map();
  socket.onmessage = (message) => {
    const reply = JSON.parse(message.data);
    if (!waiting.has(reply.id)) return;
    const {resolve, reject} = waiting.get(reply.id);
    waiting.delete(reply.id);
    if (reply.error) reject(new Error(reply.error.message));
    else resolve(reply.result);
  };
  return {
    send: (method, params = {}) =>
      new Promise((resolve, reject) => {
        waiting.set(++next, {resolve, reject});
        socket.send(JSON.stringify({id: next, method, params}));
      }),
    close: () => socket.close(),
  };
}

// Resolves with the page's report, or rejects after timeoutMs with Chromium's last words.
// drive(page), when given, runs beside the page with a DevTools client of it;
// what it resolves with, if anything, is taken as the report.
async function openPage(webDir, query, extra = {}, timeoutMs = 15 * 60 * 1000, page = '/index.html', drive = null) {
  let deliver;
  const report = new Promise((resolve) => (deliver = resolve));
  const server = serve(webDir, extra, deliver);
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quillon-chromium-'));
  const url = `http://127.0.0.1:${server.address().port}${page}?${query}&report=/report`;
  // Without the network flags Chromium keeps reaching for hosts a closed machine cannot reach.
  const browser = spawn('chromium', ['--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
                                     '--disable-background-networking', '--disable-component-update',
                                     '--disable-sync', '--disable-quic', '--remote-debugging-port=0',
                                     '--window-size=1024,800',  // room for the whole game: input lands where it shows
                                     `--user-data-dir=${profile}`, url],
                        {stdio: ['ignore', 'ignore', 'pipe'], detached: true});
  let errors = '', devtools = null, client = null, driveError = null;
  const listening = new Promise((resolve) => (devtools = resolve));
  browser.stderr.on('data', (chunk) => {
    errors = (errors + chunk).slice(-4000);
    const found = /DevTools listening on (ws:\/\/\S+)/.exec(errors);
    if (found) devtools(found[1]);
  });
  if (drive) {
    listening.then(async (browserUrl) => {
      client = await connectToPage(browserUrl, url);
      const result = await drive(client);
      if (result) deliver(result);  // a drive that finds things itself is the report
    }).catch((error) => (driveError = error.message));
  }
  let timer;
  const timeout = new Promise((resolve) => (timer = setTimeout(() => resolve(null), timeoutMs)));
  try {
    const result = await Promise.race([report, timeout]);
    if (!result) throw new Error(`the page reported nothing within ${timeoutMs / 1000} s; Chromium said:\n${errors}` +
                                 (driveError ? `\ndriving the page failed: ${driveError}` : ''));
    if (driveError) result.driveError = driveError;
    return result;
  } finally {
    clearTimeout(timer);
    if (client) client.close();
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
