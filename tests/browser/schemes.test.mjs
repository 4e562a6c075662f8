// Every shipped colour scheme (with its button, if it names one) and every
// provided style, applied as the program applies them: the runtime still
// draws the menu in the bar colour of the slots, the sheet's four menu-link
// rules are the ones in force, and every link reads at WCAG AA (4.5:1) over
// what lies behind it.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { axePath, fileLines, launch, open, project, serve, sitePage, templateFolder } from "./harness.mjs";
import { shippedStyles, styleSlotLines, styledProject } from "./styles.mjs";

const colourFolder = path.resolve(templateFolder, "../Styles/Color");
const buttonFolder = path.resolve(templateFolder, "../buttons");
const marker = 'table{ background-image: url("';
const schemes = fs.readdirSync(colourFolder).filter((n) => n.toLowerCase().endsWith(".csm")).sort();

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

// The project after OK in the page design dialog: the scheme's sheet with
// style.ini's lines before its button line, which a project folder writes
// in its own form beside its copy of the image; the scheme's lines from 12 on.
function applied(scheme) {
  const sheet = fileLines(path.join(colourFolder, scheme + ".css"));
  const at = sheet.findIndex((l) => l.startsWith(marker));
  const buttonLine = at < 0 ? null : sheet.splice(at)[0];
  sheet.push(...fileLines(path.join(templateFolder, "style.ini")));
  const button = buttonLine && buttonLine.slice(buttonLine.indexOf("/*") + 2, buttonLine.lastIndexOf("*/"));
  if (button) sheet.push(`${marker}table_bgcolor.jpg");}/*${button}*/`);
  const slots = Object.fromEntries(fileLines(path.join(colourFolder, scheme)).map((line, k) => [12 + k, line]));
  const made = project({ lines: slots, files: { "stt.css": sheet.join("\r\n") + "\r\n" } });
  if (button) fs.copyFileSync(path.join(buttonFolder, button + ".jpg"), path.join(made.dir, "table_bgcolor.jpg"));
  return { dir: made.dir, slots };
}

// In the page: the text colour of a link and its worst contrast over the
// first opaque background colour behind it and over the button image, if
// any, in the band where the text sits, as drawn (stretched to the link).
const measure = (page, selector) => page.evaluate(async (sel) => {
  const a = document.querySelector(sel), cs = getComputedStyle(a);
  const rgb = (c) => c.match(/[\d.]+/g).map(Number);
  const lum = ([r, g, b]) => {
    const f = (v) => ((v /= 255) <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4);
    return 0.2126 * f(r) + 0.7152 * f(g) + 0.0722 * f(b);
  };
  const ratio = (c) => { const [x, y] = [lum(rgb(cs.color)), lum(c)]; return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05); };
  let bg = [255, 255, 255];
  for (let el = a; el; el = el.parentElement) {
    const c = rgb(getComputedStyle(el).backgroundColor);
    if (c.length < 4 || c[3] > 0) { bg = c; break; }
  }
  let worst = ratio(bg);
  if (cs.backgroundImage !== "none") {
    const img = new Image();
    img.src = cs.backgroundImage.slice(5, -2);
    await img.decode();
    const r = a.getBoundingClientRect(), w = Math.round(r.width), h = Math.round(r.height), size = parseFloat(cs.fontSize);
    const ctx = Object.assign(document.createElement("canvas"), { width: w, height: h }).getContext("2d");
    ctx.drawImage(img, 0, 0, w, h);
    const top = Math.max(0, Math.floor((h - size) / 2)), bottom = Math.min(h, Math.ceil((h + size) / 2));
    const data = ctx.getImageData(0, top, w, bottom - top).data;
    for (let i = 0; i < data.length; i += 4) worst = Math.min(worst, ratio([data[i], data[i + 1], data[i + 2]]));
  }
  return { colour: cs.color, contrast: Math.round(worst * 100) / 100 };
}, selector);

test("at least six schemes ship, a high-contrast one among them, each line in the form of the line it replaces", () => {
  assert.ok(schemes.length >= 6 && schemes.some((s) => /contrast/i.test(s)), schemes.join(", "));
  const runtime = fileLines(path.join(templateFolder, "sys.js"));
  const head = (line) => line.slice(0, line.indexOf("=") + 1);
  for (const scheme of schemes)
    fileLines(path.join(colourFolder, scheme)).forEach((line, k) => assert.equal(head(line), head(runtime[11 + k]), `${scheme} line ${k + 1}`));
});

test("every scheme and provided style draws the menu with its own rules, and every link reads at AA", async () => {
  const made = [...schemes.map((s) => [s, () => applied(s)]),
    ...shippedStyles.map((s) => [s, () => ({ dir: styledProject(s).dir, slots: styleSlotLines(s) })])];
  for (const [name, make] of made) {
    const { dir, slots } = make();
    // Served, since a page may not read the rules of a sheet from a file.
    const server = await serve(dir);
    const { page, errors, context } = await open(browser, server.url + "index.htm", { viewport: { width: 1000, height: 700 } });
    const rules = await page.evaluate(() => {
      const sheet = [...document.styleSheets].find((s) => s.href && s.href.endsWith("stt.css"));
      return Object.fromEntries([...sheet.cssRules].filter((r) => /^a\.menu/i.test(r.selectorText)).map((r) => [r.selectorText, r.style.color]));
    });
    assert.deepEqual(Object.keys(rules).sort(), ["a.menu", "a.menu:hover", "a.menuTitle", "a.menuTitle:hover"], name);
    const bar = await page.locator("nav.tvm > ul").evaluate((ul) => getComputedStyle(ul).backgroundColor);
    const hex = slots[16].match(/#([0-9a-f]{6})/i)[1];
    assert.equal(bar, `rgb(${[0, 2, 4].map((i) => parseInt(hex.slice(i, i + 2), 16)).join(", ")})`, name);

    const title = "nav.tvm > ul > li:nth-child(1) > a", item = "nav.tvm > ul > li:nth-child(2) > ul > li:not(.tvm-sep) > a";
    await page.click("nav.tvm > ul > li:nth-child(2) > a");
    await page.mouse.move(0, 690);
    const seen = { "a.menuTitle": await measure(page, title), "a.menu": await measure(page, item) };
    await page.hover(title);
    seen["a.menuTitle:hover"] = await measure(page, title);
    await page.hover(item);
    seen["a.menu:hover"] = await measure(page, item);
    for (const [rule, { colour, contrast }] of Object.entries(seen)) {
      assert.equal(colour, rules[rule], `${name}: ${rule} is not in force`);
      assert.ok(contrast >= 4.5, `${name}: ${rule} contrast ${contrast} is below 4.5`);
    }
    assert.deepEqual(errors, [], name);
    await context.close();
    server.close();
  }
});

test("with every scheme and provided style a site page marks its own item by more than colour, and axe finds nothing, wide and narrow", async () => {
  const made = [...schemes.map((s) => [s, () => applied(s).dir]), ...shippedStyles.map((s) => [s, () => styledProject(s).dir])];
  const editor = sitePage("Shop Software :: Editor").replace("</body>", "<main><h1>Editor</h1></main></body>");
  for (const [name, make] of made) {
    const dir = make();
    fs.writeFileSync(path.join(dir, "editor.htm"), editor);
    const server = await serve(dir);
    for (const width of [1280, 400]) {
      const { page, errors, context } = await open(browser, server.url + "editor.htm", { viewport: { width, height: 700 } });
      await page.clock.resume();
      if (width < 600) await page.locator("nav.tvm > .tvm-burger").click();
      await page.locator("nav.tvm a", { hasText: "Products" }).click();
      await page.locator("nav.tvm a", { hasText: "Software" }).click();
      const marks = await page.evaluate(() => [...document.querySelectorAll("nav.tvm [aria-current], nav.tvm .tvm-here > a")]
        .map((a) => [a.textContent.replace(/\W/g, ""), getComputedStyle(a).boxShadow.includes("inset") && a.getClientRects().length > 0]));
      assert.deepEqual(marks, [["Products", true], ["Software", true], ["Editor", true]], `${name} at ${width} px`);
      await page.addScriptTag({ path: axePath });
      const { violations } = await page.evaluate(() => axe.run(document));
      assert.deepEqual(violations.map((v) => v.id), [], `${name} at ${width} px`);
      assert.deepEqual(errors, [], name);
      await context.close();
    }
    server.close();
  }
});
