// Shared pieces of the browser tests: Debian's Chromium through
// playwright-core, pages built from the shipped template folder, and the
// line edits the program itself makes to the menu runtime.
import { chromium } from "playwright-core";
import assert from "node:assert/strict";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
export const templateFolder = process.env.TAVEL_TEMPLATE_DIR || path.resolve(here, "../../data/system");
export const axePath = path.resolve(here, "node_modules/axe-core/axe.min.js");

export async function launch() {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
      "--disable-sync", "--no-first-run", "--disable-quic", "--disable-dev-shm-usage"],
  });
}

// Every folder a test makes goes when its test file ends, passed or not.
const made = [];
process.on("exit", () => { for (const dir of made) fs.rmSync(dir, { recursive: true, force: true }); });

// A copy of the template folder in a temporary folder, with the runtime's
// lines replaced by number (from 1) and any files replaced or added. A file
// given as a Buffer is written as its bytes, a string as Latin-1.
export function project({ lines = {}, files = {} } = {}) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "tavel-page-"));
  made.push(dir);
  for (const name of fs.readdirSync(templateFolder)) fs.copyFileSync(path.join(templateFolder, name), path.join(dir, name));
  const sys = fs.readFileSync(path.join(dir, "sys.js"), "latin1").split("\r\n");
  for (const [number, text] of Object.entries(lines)) sys[Number(number) - 1] = text;
  fs.writeFileSync(path.join(dir, "sys.js"), sys.join("\r\n"), "latin1");
  for (const [name, text] of Object.entries(files)) fs.writeFileSync(path.join(dir, name), text, Buffer.isBuffer(text) ? undefined : "latin1");
  return { dir, url: (name = "index.htm") => pathToFileURL(path.join(dir, name)).href };
}

// The CRLF lines of a program file, without the empty one after the last.
export function fileLines(file) {
  const text = fs.readFileSync(file, "latin1").split("\r\n");
  if (text[text.length - 1] === "") text.pop();
  return text;
}

// A style slot rewritten the way a style file is applied: everything after
// the first "=" of the line gives way to the value and a semicolon.
export function slotLine(number, value, quoted) {
  const line = fs.readFileSync(path.join(templateFolder, "sys.js"), "latin1").split("\r\n")[number - 1];
  const prefix = line.slice(0, line.indexOf("=") + 1);
  return prefix + (quoted ? `"${value}"` : value) + ";";
}

// Opens a page and collects every console error and uncaught exception.
// The page's clock is Playwright's and stands still once the page has
// loaded: hover delays and idle work happen only when a test moves it with
// page.clock.runFor, so no check depends on how fast the machine is.
export async function open(browser, url, options = {}, { menu = true } = {}) {
  const context = await browser.newContext(options);
  const page = await context.newPage();
  const errors = [];
  page.on("console", (m) => { if (m.type() === "error") errors.push(m.text()); });
  page.on("pageerror", (e) => errors.push(String(e)));
  await page.clock.install();
  await page.goto(url);
  await page.clock.pauseAt((await page.evaluate(() => Date.now())) + 1000);
  if (menu) await page.waitForSelector("nav.tvm", { state: "attached" });
  return { page, errors, context };
}

// Waits until `read`, run in the page, gives `expected`, then asserts what it gives. For state the
// browser brings about after the step that causes it has returned: setViewportSize, for one, returns
// before the page has handled the resize. A runtime that never gets there fails with what it showed.
export async function eventually(page, read, expected, message) {
  const same = `JSON.stringify((${read})()) === ${JSON.stringify(JSON.stringify(expected))}`;
  await page.waitForFunction(same, undefined, { timeout: 30000 }).catch((e) => { if (e.name != "TimeoutError") throw e; });
  assert.deepEqual(await page.evaluate(read), expected, message);
}

// The text of a site page for a title, as Create site writes it without the
// menu's plain links.
export function sitePage(title) {
  return '<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><meta name="viewport" content="width=device-width, initial-scale=1">' +
    '<meta name="generator" content="Tavel Builder"><title>' + title + '</title><link rel="stylesheet" href="stt.css" type="text/css">' +
    '<script src="sys.js"></script><script src="temp.js"></script></head>' +
    "<body onLoad=\"buildMenu('theMenu')\"><div id=\"menuHolder\"></div></body></html>";
}

// A menu data script from a list of entries in the writer's line forms:
// [caption, link] for a title with no children, [caption, [entries]] for
// one with children; below the bar [kind, caption, hint, link] or
// [kind, caption, hint, [entries]]. Quotes and backslashes are escaped as
// the writer escapes them.
export function menuScript(tops) {
  const q = (s) => '"' + String(s).replace(/[\\"]/g, (c) => "\\" + c) + '"';
  const out = ["var theMenu = new Array();"];
  let k = 0;
  tops.forEach(([caption, link], t) => {
    if (!Array.isArray(link)) return out.push(`theMenu[${t}] = new Array(${q(caption)}, ${q(link)});`);
    const name = `myMenu${k++}`;
    out.push(`theMenu[${t}] = new Array(${q(caption)}, "${name}");`, `var ${name} = new Array();`);
    link.forEach(([kind, cap, hint, sub], c) => {
      if (!Array.isArray(sub)) return out.push(`${name}[${c}] = new Array(${[kind, cap, hint, sub].map(q).join(",")});`);
      const third = `myMenu${t}_${c}`;
      out.push(`${name}[${c}] = new Array(${[kind, cap, hint, third].map(q).join(",")});`, `var ${third} = new Array();`);
      sub.forEach(([, c3, h3, l3], i) => out.push(`${third}[${i}] = new Array("L",${[c3, h3, l3].map(q).join(",")});`));
    });
  });
  return out.join("\r\n") + "\r\n";
}

export const sample = { tops: 4, products: 4, services: 3, about: 3, software: 4, training: 2 };

// Serves a folder on a loopback port, for checks that refuse file pages.
// A path in `held` is answered (with nothing) only when its promise settles.
export function serve(dir, held = {}) {
  const types = { ".htm": "text/html", ".js": "text/javascript", ".css": "text/css" };
  const server = http.createServer(async (req, res) => {
    if (req.url === "/favicon.ico") { res.writeHead(204); res.end(); return; }
    if (held[req.url]) { await held[req.url]; res.writeHead(404); res.end(); return; }
    const file = path.join(dir, path.basename(decodeURIComponent(new URL(req.url, "http://x").pathname)));
    fs.readFile(file, (err, data) => {
      if (err) { res.writeHead(404); res.end(); return; }
      res.writeHead(200, { "content-type": types[path.extname(file)] || "application/octet-stream" });
      res.end(data);
    });
  });
  // A test that fails before close() must not keep the run alive until its
  // time limit: the server alone never holds the process open.
  server.unref();
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () =>
    resolve({ url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() })));
}
