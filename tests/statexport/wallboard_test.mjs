// The wallboard page in the system's Chromium, driven by playwright-core, against statexport
// connected to a statsim daemon:
// - every queue tile and group tile holds the figures /metrics served at some moment of the
//   last seconds (the page lags the exposition by up to a second of updates, so the test keeps
//   snapshots of /metrics rather than one), with one tile per queue of the exposition;
// - the waiting plot is drawn; the page raises no script error;
// - the statistics server killed: #server-status goes down within 3 s and shows an age of the
//   figures that grows; restarted on the same endpoint: up again, updates counted again, and
//   statexport_server_up 1.
// Screenshots go to OUTDIR. Runs about 15 s, every wait bounded (all of it by 100 s).
// Usage: node wallboard_test.mjs STATSIM STATEXPORT OUTDIR
import { spawn } from 'node:child_process';
import { mkdirSync } from 'node:fs';
import path from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';

const [statsimBinary, statexportBinary, outdir] = process.argv.slice(2);
const QUEUE_FIELDS = ['contacts_waiting', 'oldest_wait_seconds', 'service_level_ratio',
                      'shift_answered_contacts', 'shift_abandoned_contacts'];
const counts = { passed: 0, failed: 0 };
const children = new Set();

class TestFailure extends Error {}

function check(condition, what, detail = '') {
  if (!condition) {
    counts.failed += 1;
    throw new TestFailure(detail ? `${what}: ${detail}` : what);
  }
  counts.passed += 1;
  console.log(`ok: ${what}`);
}

async function waitUntil(predicate, timeoutMs, intervalMs = 100) {
  const deadline = Date.now() + timeoutMs;
  for (;;) {
    const value = await predicate();
    if (value) return value;
    if (Date.now() >= deadline) return null;
    await sleep(intervalMs);
  }
}

// A child process whose standard error is kept; killed when this test exits in any way.
function start(binary, args) {
  const child = spawn(binary, args, { stdio: ['ignore', 'ignore', 'pipe'] });
  child.stderrText = '';
  child.stderr.on('data', (chunk) => { child.stderrText += chunk; });
  child.exited = new Promise((resolve) => child.on('exit', (code) => resolve(code)));
  child.on('error', (error) => { child.stderrText += String(error); });
  children.add(child);
  child.on('exit', () => children.delete(child));
  return child;
}

function killAll() {
  for (const child of children) child.kill('SIGKILL');
}
process.on('exit', killAll);
for (const signal of ['SIGINT', 'SIGTERM']) process.on(signal, () => process.exit(1));

// A statsim daemon on a loopback port below the ephemeral range, so that nothing else takes the
// port while the daemon is down between a kill and a restart.
class Statsim {
  async serve(endpoint) {
    this.runs = (this.runs ?? 0) + 1;
    this.process = start(statsimBinary,
                         ['--bind', endpoint, '--tick-ms', '250', '--seed', String(this.runs)]);
    const listening = await waitUntil(
        () => this.process.stderrText.includes('statsim: listening at') ||
              this.process.exitCode !== null, 10000);
    if (listening && this.process.exitCode === null) return true;
    this.process.kill('SIGKILL');
    return false;
  }

  async startAnywhere() {
    for (let attempt = 0; attempt < 10; attempt += 1) {
      const candidate = `tcp://127.0.0.1:${20000 + Math.floor(Math.random() * 10000)}`;
      if (await this.serve(candidate)) {
        this.endpoint = candidate;
        return this;
      }
    }
    throw new TestFailure(`statsim did not listen: ${this.process.stderrText}`);
  }

  async kill() {
    this.process.kill('SIGKILL');
    await this.process.exited;
  }

  async restart() {
    if (!(await this.serve(this.endpoint)))
      throw new TestFailure(`statsim did not listen again: ${this.process.stderrText}`);
  }
}

function unescapeLabel(text) {
  return text.replace(/\\(.)/g, (_, c) => (c === 'n' ? '\n' : c));
}

// The samples of a text exposition: [{name, labels, value}].
function parseExposition(text) {
  const samples = [];
  for (const line of text.split('\n')) {
    if (!line || line.startsWith('#')) continue;
    const match = /^([a-zA-Z_:][a-zA-Z0-9_:]*)(?:\{(.*)\})?\s+(\S+)(?:\s+-?\d+)?$/.exec(line);
    if (!match) throw new TestFailure(`unparsable exposition line: ${line}`);
    const labels = {};
    for (const label of (match[2] ?? '').matchAll(/([a-zA-Z_][a-zA-Z0-9_]*)="((?:[^"\\]|\\.)*)"/g))
      labels[label[1]] = unescapeLabel(label[2]);
    samples.push({ name: match[1], labels, value: Number(match[3]) });
  }
  return samples;
}

// What the tiles should show, from one exposition: the queue figures and the users per group
// and routing state (a state without a series counts 0).
function figuresOf(samples) {
  const queues = {};
  const groups = {};
  for (const { name, labels, value } of samples) {
    const field = name.replace(/^statserver_queue_/, '');
    if (name !== field && QUEUE_FIELDS.includes(field) && 'queue' in labels)
      (queues[labels.queue] ??= {})[field] = value;
    if (name === 'statserver_group_users' && value !== 0)
      (groups[labels.group] ??= {})[labels.routing_state] = value;
  }
  return { queues, groups };
}

async function metrics(base) {
  const response = await fetch(`${base}/metrics`, { signal: AbortSignal.timeout(5000) });
  if (response.status !== 200) throw new TestFailure(`/metrics answered ${response.status}`);
  return parseExposition(await response.text());
}

// The tiles as the page shows them. A queue tile's elements may name the metric in full
// (statserver_queue_contacts_waiting) or by its wallboard field (contacts_waiting).
function readTiles(page) {
  return page.evaluate(() => {
    const queues = {};
    const groups = {};
    for (const tile of document.querySelectorAll('[data-queue]')) {
      const figures = (queues[tile.dataset.queue] = {});
      for (const element of tile.querySelectorAll('[data-metric]'))
        figures[element.dataset.metric.replace(/^statserver_queue_/, '')] =
            Number(element.dataset.value);
    }
    for (const tile of document.querySelectorAll('[data-group]')) {
      const users = (groups[tile.dataset.group] = {});
      for (const element of tile.querySelectorAll('[data-state-name]')) {
        const count = Number(element.dataset.value);
        if (count !== 0) users[element.dataset.stateName] = count;
      }
      if (Object.keys(users).length === 0) delete groups[tile.dataset.group];
    }
    return { queues, groups };
  });
}

function canonical(figures) {
  const sorted = (object) => Object.fromEntries(Object.keys(object).sort().map(
      (key) => [key, typeof object[key] === 'object' ? sorted(object[key]) : object[key]]));
  return JSON.stringify(sorted(figures));
}

async function plotDrawn(page) {
  return page.evaluate(() => {
    const plot = document.getElementById('waiting-plot');
    if (!plot) return 'no #waiting-plot';
    if (plot instanceof HTMLCanvasElement) {
      const blank = document.createElement('canvas');
      blank.width = plot.width;
      blank.height = plot.height;
      return plot.width > 0 && plot.toDataURL() !== blank.toDataURL() ? 'drawn' : 'blank canvas';
    }
    return plot.querySelectorAll('path, polyline, line').length > 0 ? 'drawn' : 'empty svg';
  });
}

async function statusOf(page) {
  return page.evaluate(() => {
    const status = document.getElementById('server-status');
    return status && { state: status.dataset.state, text: status.textContent.trim() };
  });
}

const ageIn = (text) => Number((/(\d+(?:\.\d+)?)/.exec(text) ?? [])[1]);

async function main() {
  mkdirSync(outdir, { recursive: true });
  const { chromium } = await import('playwright-core').catch((error) => {
    throw new TestFailure(`playwright-core is not installed in ${import.meta.dirname}/` +
                          `node_modules (scripts/install-deps.sh installs it): ${error.message}`);
  });
  const statsim = await new Statsim().startAnywhere();
  const exporter = start(statexportBinary,
                         ['--connect', statsim.endpoint, '--listen', '127.0.0.1:0']);
  const serving = await waitUntil(
      () => /statexport: serving (http:\/\/[^/\s]+)\/ \(metrics at \/metrics\)/.exec(
          exporter.stderrText), 15000);
  check(serving, 'statexport prints its serving line within 15 s', exporter.stderrText);
  const base = serving[1];
  console.log(`statexport at ${base}/, connected to ${statsim.endpoint}`);
  check(await waitUntil(async () => Object.keys(figuresOf(await metrics(base)).queues).length,
                        15000, 200),
        'statexport serves queue figures within 15 s of connecting');

  // Snapshots of /metrics every 100 ms, the last 5 s of them kept.
  const snapshots = [];
  const snapshotErrors = [];
  let snapshotting = true;
  const snapshotter = (async () => {
    while (snapshotting) {
      try {
        const figures = figuresOf(await metrics(base));
        snapshots.push({ at: Date.now(), text: canonical(figures), figures });
        while (snapshots.length && snapshots[0].at < Date.now() - 5000) snapshots.shift();
      } catch (error) {
        snapshotErrors.push(String(error));
      }
      await sleep(100);
    }
  })();

  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  try {
    const page = await browser.newPage({ viewport: { width: 1400, height: 1000 } });
    const scriptErrors = [];
    page.on('pageerror', (error) => scriptErrors.push(String(error)));
    const response = await page.goto(`${base}/`, { timeout: 15000 });
    check(response.status() === 200, `the page loads from ${base}/`);
    await page.waitForSelector('[data-queue] [data-metric]', { timeout: 10000 });
    await page.waitForFunction(() => Number(document.body.dataset.updated) >= 2,
                               null, { timeout: 10000 });

    let tiles;
    let matched;
    for (let attempt = 0; attempt < 10 && !matched; attempt += 1) {
      tiles = await readTiles(page);
      const shown = canonical(tiles);
      matched = snapshots.find((snapshot) => snapshot.text === shown &&
                                             snapshot.at >= Date.now() - 3000);
      if (!matched) await sleep(300);
    }
    const latest = snapshots.at(-1).figures;
    check(matched, `the ${Object.keys(tiles.queues).length} queue tiles and ` +
          `${Object.keys(tiles.groups).length} group tiles hold the figures /metrics ` +
          'served within the last 3 s',
          `tiles ${canonical(tiles)}\nlatest /metrics ${canonical(latest)}`);
    check(canonical(Object.keys(tiles.queues).sort()) ===
          canonical(Object.keys(latest.queues).sort()),
          'one tile per queue of the exposition');
    check(Object.values(tiles.queues).every(
              (figures) => QUEUE_FIELDS.every((field) => Number.isFinite(figures[field]))),
          'every queue tile holds all five figures');
    check(await plotDrawn(page) === 'drawn', 'the waiting plot is drawn', await plotDrawn(page));
    const upShot = path.join(outdir, 'statexport_wallboard.png');
    await page.screenshot({ path: upShot, fullPage: true });
    console.log(`screenshot: ${upShot}`);

    const killed = Date.now();
    await statsim.kill();
    const down = await waitUntil(async () => {
      const status = await statusOf(page);
      return status?.state === 'down' && status;
    }, 3000);
    check(down, `#server-status goes down ${((Date.now() - killed) / 1000).toFixed(1)} s after ` +
          'the server was killed (at most 3 s)', JSON.stringify(await statusOf(page)));
    check(/down/i.test(down.text) && Number.isFinite(ageIn(down.text)),
          `#server-status says so with the age of the figures: "${down.text}"`);
    await sleep(2200);
    const later = await statusOf(page);
    check(later.state === 'down' && ageIn(later.text) > ageIn(down.text),
          `the age grows while the server is down: "${later.text}"`);
    const downShot = path.join(outdir, 'statexport_wallboard_down.png');
    await page.screenshot({ path: downShot, fullPage: true });
    console.log(`screenshot: ${downShot}`);

    const restarted = Date.now();
    await statsim.restart();
    const up = await waitUntil(async () => (await statusOf(page))?.state === 'up', 15000, 200);
    check(up, `#server-status up again ${((Date.now() - restarted) / 1000).toFixed(1)} s ` +
          'after the server restarted on the same endpoint (at most 15 s)');
    const updated = async () => Number(await page.evaluate(() => document.body.dataset.updated));
    const before = await updated();
    await sleep(2500);
    const after = await updated();
    check(after > before, `the page applies updates again (data-updated ${before} -> ${after})`);
    const exposition = await metrics(base);
    check(exposition.some((s) => s.name === 'statexport_server_up' && s.value === 1),
          'statexport_server_up 1 in /metrics after the restart');
    check(scriptErrors.length === 0, 'the page raised no script error', scriptErrors.join('\n'));
    check(snapshotErrors.length === 0, '/metrics answered every snapshot request',
          snapshotErrors.slice(0, 5).join('\n'));
  } finally {
    snapshotting = false;
    await snapshotter;
    await browser.close();
  }
  exporter.kill('SIGTERM');
  check(await exporter.exited === 0, 'SIGTERM ends statexport with exit code 0',
        exporter.stderrText);
}

const overall = setTimeout(() => {
  console.log('FAILED: the test ran past 100 s');
  console.log(`${counts.passed} passed, ${counts.failed + 1} failed`);
  process.exit(1);
}, 100000);
try {
  await main();
} catch (error) {
  if (!(error instanceof TestFailure)) counts.failed += 1;
  console.log(`FAILED: ${error instanceof TestFailure ? error.message : error.stack}`);
}
clearTimeout(overall);
console.log(`${counts.passed} passed, ${counts.failed} failed`);
process.exit(counts.failed ? 1 : 0);
