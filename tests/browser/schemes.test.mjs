// Every shipped colour scheme applied to the template project as the page
// design dialog applies it: the runtime still draws the menu, the four
// menu-link rules are the ones in force, and the text of every link meets
// WCAG AA contrast (4.5:1) over its bar colour and over the scheme's button.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { launch, project, serve, templateFolder } from "./harness.mjs";

const colourFolder = path.resolve(templateFolder, "../Styles/Color");
const buttonFolder = path.resolve(templateFolder, "../buttons");
const marker = 'table{ background-image: url("';
const schemes = fs.readdirSync(colourFolder).filter((n) => n.toLowerCase().endsWith(".csm")).sort();

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const lines = (name) => {
  const text = fs.readFileSync(name, "latin1").split("\r\n");
  if (text[text.length - 1] === "") text.pop();
  return text;
};

// The project after OK: the scheme's sheet with style.ini's lines before its
// button line, which a project folder writes in its own form beside its copy
// of the image (or drops, for "[none]"); the scheme's lines from line 12 on.
function applied(scheme, withButton) {
  const sheet = lines(path.join(colourFolder, scheme + ".css"));
  const at = sheet.findIndex((l) => l.startsWith(marker));
  const buttonLine = at < 0 ? null : sheet.splice(at)[0];
  sheet.push(...lines(path.join(templateFolder, "style.ini")));
  const files = {};
  let button = null;
  if (withButton && buttonLine) {
    button = buttonLine.slice(buttonLine.indexOf("/*") + 2, buttonLine.lastIndexOf("*/"));
    sheet.push(`${marker}table_bgcolor.jpg");}/*${button}*/`);
  }
  files["stt.css"] = sheet.join("\r\n") + "\r\n";
  const slots = {};
  lines(path.join(colourFolder, scheme)).forEach((line, k) => { slots[12 + k] = line; });
  const made = project({ lines: slots, files });
  if (button) fs.copyFileSync(path.join(buttonFolder, button + ".jpg"), path.join(made.dir, "table_bgcolor.jpg"));
  return { ...made, button, sheet: files["stt.css"] };
}

// The colour a rule of the sheet gives, by its selector literal.
function ruleColour(sheet, selector) {
  const start = sheet.indexOf(selector);
  assert.ok(start >= 0, `no rule ${selector}`);
  const body = sheet.slice(sheet.indexOf("{", start), sheet.indexOf("}", start));
  return body.match(/color\s*:\s*(#[0-9a-fA-F]{6})/)[1].toLowerCase();
}

// In the page: the text colour of a link and its worst contrast, over the
// first opaque background colour behind it, or over the button image in the
// band where the text sits, as drawn (stretched to the link).
async function measure(page, selector) {
  return page.evaluate(async (sel) => {
    const a = document.querySelector(sel);
    const cs = getComputedStyle(a);
    const rgb = (c) => c.match(/[\d.]+/g).map(Number);
    const lum = ([r, g, b]) => {
      const f = (v) => ((v /= 255) <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4);
      return 0.2126 * f(r) + 0.7152 * f(g) + 0.0722 * f(b);
    };
    const ratio = (x, y) => (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05);
    const fg = rgb(cs.color);
    const hex = "#" + fg.slice(0, 3).map((v) => v.toString(16).padStart(2, "0")).join("");
    let el = a, bg = [255, 255, 255];
    for (; el; el = el.parentElement) {
      const c = rgb(getComputedStyle(el).backgroundColor);
      if (c.length < 4 || c[3] > 0) { bg = c; break; }
    }
    let worst = ratio(lum(fg), lum(bg));
    if (cs.backgroundImage !== "none") {
      const img = new Image();
      img.src = cs.backgroundImage.slice(5, -2);
      await img.decode();
      const r = a.getBoundingClientRect(), w = Math.round(r.width), h = Math.round(r.height);
      const canvas = document.createElement("canvas");
      canvas.width = w; canvas.height = h;
      const ctx = canvas.getContext("2d");
      ctx.drawImage(img, 0, 0, w, h);
      const size = parseFloat(cs.fontSize);
      const top = Math.max(0, Math.floor((h - size) / 2)), bottom = Math.min(h, Math.ceil((h + size) / 2));
      const data = ctx.getImageData(0, top, w, bottom - top).data;
      worst = Infinity;
      for (let i = 0; i < data.length; i += 4) worst = Math.min(worst, ratio(lum(fg), lum([data[i], data[i + 1], data[i + 2]])));
    }
    return { colour: hex, contrast: Math.round(worst * 100) / 100 };
  }, selector);
}

test("at least six schemes ship, a high-contrast one among them", () => {
  assert.ok(schemes.length >= 6, schemes.join(", "));
  assert.ok(schemes.some((s) => /contrast/i.test(s)), schemes.join(", "));
  const runtime = lines(path.join(templateFolder, "sys.js"));
  for (const scheme of schemes) {
    // Each scheme line keeps the form of the runtime line it replaces.
    lines(path.join(colourFolder, scheme)).forEach((line, k) => {
      const own = runtime[11 + k];
      assert.equal(line.slice(0, line.indexOf("=") + 1), own.slice(0, own.indexOf("=") + 1), `${scheme} line ${k + 1}`);
    });
  }
});

for (const scheme of schemes) {
  for (const withButton of [false, true]) {
    test(`${scheme} ${withButton ? "with its button" : "without a button"}: the menu draws and reads at AA`, async () => {
      const made = applied(scheme, withButton);
      const server = await serve(made.dir);
      const context = await browser.newContext({ viewport: { width: 1000, height: 700 } });
      try {
        const page = await context.newPage();
        const errors = [];
        page.on("console", (m) => { if (m.type() === "error") errors.push(m.text()); });
        page.on("pageerror", (e) => errors.push(String(e)));
        await page.goto(server.url + "index.htm");
        await page.waitForSelector("nav.tvm");

        const title = "nav.tvm > ul > li:nth-child(2) > a";
        await page.click(title);
        const item = "nav.tvm > ul > li.tvm-open > ul > li:not(.tvm-sep) > a";
        await page.waitForSelector(item);
        await page.mouse.move(0, 690);
        const found = {};
        const other = "nav.tvm > ul > li:nth-child(1) > a";
        found["A.menuTitle {"] = await measure(page, other);
        found["A.menu {"] = await measure(page, item);
        await page.hover(other);
        found["A.menuTitle:hover"] = await measure(page, other);
        await page.hover(item);
        found["A.menu:hover"] = await measure(page, item);
        assert.deepEqual(errors, []);

        for (const [selector, seen] of Object.entries(found)) {
          assert.equal(seen.colour, ruleColour(made.sheet, selector), `${scheme}: ${selector} is not in force`);
          assert.ok(seen.contrast >= 4.5, `${scheme}: ${selector} contrast ${seen.contrast} is below 4.5`);
        }
        if (withButton) assert.ok(made.button, `${scheme} names no button`);
      } finally {
        await context.close();
        server.close();
      }
    });
  }
}
