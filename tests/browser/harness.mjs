// Shared pieces of the browser tests: Debian's Chromium through
// playwright-core, pages built from the shipped template folder, and the
// line edits the program itself makes to the menu runtime.
import { chromium } from "playwright-core";
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

// A copy of the template folder in a temporary folder, with the runtime's
// lines replaced by number (from 1) and any files replaced or added.
export function project({ lines = {}, files = {} } = {}) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "tavel-page-"));
  for (const name of fs.readdirSync(templateFolder)) fs.copyFileSync(path.join(templateFolder, name), path.join(dir, name));
  const sys = fs.readFileSync(path.join(dir, "sys.js"), "latin1").split("\r\n");
  for (const [number, text] of Object.entries(lines)) sys[Number(number) - 1] = text;
  fs.writeFileSync(path.join(dir, "sys.js"), sys.join("\r\n"), "latin1");
  for (const [name, text] of Object.entries(files)) fs.writeFileSync(path.join(dir, name), text, "latin1");
  return { dir, url: (name = "index.htm") => pathToFileURL(path.join(dir, name)).href };
}

// A style slot rewritten the way a style file is applied: everything after
// the first "=" of the line gives way to the value and a semicolon.
export function slotLine(number, value, quoted) {
  const line = fs.readFileSync(path.join(templateFolder, "sys.js"), "latin1").split("\r\n")[number - 1];
  const prefix = line.slice(0, line.indexOf("=") + 1);
  return prefix + (quoted ? `"${value}"` : value) + ";";
}

// Opens a page and collects every console error and uncaught exception.
export async function open(browser, url, options = {}) {
  const context = await browser.newContext(options);
  const page = await context.newPage();
  const errors = [];
  page.on("console", (m) => { if (m.type() === "error") errors.push(m.text()); });
  page.on("pageerror", (e) => errors.push(String(e)));
  await page.goto(url);
  await page.waitForSelector("nav.tvm");
  return { page, errors, context };
}

export const sample = { tops: 4, products: 4, services: 3, about: 3, software: 4, training: 2 };

// Serves a folder on a loopback port, for checks that refuse file pages.
export function serve(dir) {
  const types = { ".htm": "text/html", ".js": "text/javascript", ".css": "text/css" };
  const server = http.createServer((req, res) => {
    if (req.url === "/favicon.ico") { res.writeHead(204); res.end(); return; }
    const file = path.join(dir, path.basename(decodeURIComponent(new URL(req.url, "http://x").pathname)));
    fs.readFile(file, (err, data) => {
      if (err) { res.writeHead(404); res.end(); return; }
      res.writeHead(200, { "content-type": types[path.extname(file)] || "application/octet-stream" });
      res.end(data);
    });
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () =>
    resolve({ url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() })));
}
