// The sandbox's RCON port as an admin's tool sees it: rcon-srcds, a third-party Source RCON
// client, authenticates, reloads the configuration and is turned away with a wrong password.
// Usage: node rcon_client_test.js <path of quellwarden-sandbox>
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const { spawn } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const RCON = require('rcon-srcds').default;

const sandboxPath = process.argv[2];
const config = JSON.stringify({
  WipeTimestamp: 1700000000,
  DinoSettings: { DisallowTaming: { Rex_Character_BP_C: { HoursToDelay: 24 } } },
});

function makeWorkdir() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'quellwarden-rcon-client-'));
  const folder = path.join(dir, 'ArkApi', 'Plugins', 'Quellwarden');
  fs.mkdirSync(folder, { recursive: true });
  fs.writeFileSync(path.join(folder, 'config.json'), config);
  return dir;
}

// Starts the sandbox on a free port and resolves once it says which one.
function startSandbox(workdir) {
  return new Promise((resolve, reject) => {
    const child = spawn(
      sandboxPath,
      ['--workdir', workdir, '--clock', '1700000000',
        '--rcon-port', '0', '--rcon-password', 'secret'],
      { stdio: ['pipe', 'pipe', 'inherit'], env: { ...process.env, TZ: 'UTC' } },
    );
    const sandbox = { child, lines: [], port: 0 };
    let pending = '';
    child.stdout.setEncoding('utf8');
    child.stdout.on('data', (chunk) => {
      pending += chunk;
      let end;
      while ((end = pending.indexOf('\n')) >= 0) {
        const line = pending.slice(0, end);
        pending = pending.slice(end + 1);
        sandbox.lines.push(line);
        const listening = /^rcon listening on 127\.0\.0\.1:(\d+)$/.exec(line);
        if (listening) {
          sandbox.port = Number(listening[1]);
          resolve(sandbox);
        }
      }
    });
    sandbox.ended = new Promise((done) => child.on('exit', done));
    sandbox.ended.then((code) => reject(new Error(`sandbox ended before listening (${code})`)));
  });
}

// Resolves once the sandbox has printed `text`, or after five seconds.
async function printed(sandbox, text) {
  for (let waited = 0; waited < 5000 && !sandbox.lines.includes(text); waited += 10) {
    await new Promise((resume) => setTimeout(resume, 10));
  }
  return sandbox.lines.includes(text);
}

const title = 'rcon-srcds reloads over RCON and a wrong password is refused';
test(title, { timeout: 20000 }, async () => {
  const workdir = makeWorkdir();
  try {
    const sandbox = await startSandbox(workdir);
    try {
      const admin = new RCON({ host: '127.0.0.1', port: sandbox.port, timeout: 5000 });
      await admin.authenticate('secret');
      assert.equal(await admin.execute('Quellwarden.reload'), 'Quellwarden : Reloaded config');
      assert.equal(await admin.execute('ListPlayers'), 'unknown rcon command ListPlayers');
      await admin.disconnect();

      const intruder = new RCON({ host: '127.0.0.1', port: sandbox.port, timeout: 5000 });
      await assert.rejects(intruder.authenticate('guess'), /Unable to authenticate/);
      assert.ok(await printed(sandbox, 'rcon client 2 closed: wrong password'));
    } finally {
      sandbox.child.stdin.end();
      assert.equal(await sandbox.ended, 0);
    }
    // rcon-srcds picks its request ids at random.
    const reply = /^rcon reply \d+ 0: Quellwarden : Reloaded config$/;
    assert.ok(sandbox.lines.some((line) => reply.test(line)));
  } finally {
    fs.rmSync(workdir, { recursive: true, force: true });
  }
});
