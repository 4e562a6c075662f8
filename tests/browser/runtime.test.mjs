// What the menu runtime must hold to, on the template page and on a site page
// in its fixed form. Time on a page moves only when a test runs its clock.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { execFileSync } from "node:child_process";
import { axePath, eventually, launch, menuScript, open, project, serve, sitePage, slotLine, templateFolder } from "./harness.mjs";

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser.close(); });

const template = fs.readFileSync(path.join(templateFolder, "index.htm"), "latin1");
const rtlPage = template.replace('<html lang="en">', '<html lang="ar" dir="rtl">');

// Twenty rows under Products; the ninth has a fly-out.
const rows = Array.from({ length: 20 }, (_, i) => i == 8
  ? ["M", "Row 9", "Ninth", [1, 2, 3, 4].map((n) => ["L", `Part ${n}`, "", `part${n}.htm`])]
  : ["L", `Row ${i + 1}`, "", `row${i + 1}.htm`]);
const longMenu = menuScript([["Home", "index.htm"], ["Products", rows], ["About", [["L", "Us", "", "us.htm"]]]]);

// The names Chromium gives the elements that match a selector.
async function names(page, selector) {
  const cdp = await page.context().newCDPSession(page);
  const { root } = await cdp.send("DOM.getDocument", { depth: 0 });
  const { nodeIds } = await cdp.send("DOM.querySelectorAll", { nodeId: root.nodeId, selector });
  const out = [];
  for (const nodeId of nodeIds) {
    const { nodes } = await cdp.send("Accessibility.getPartialAXTree", { nodeId, fetchRelatives: false });
    out.push(nodes[0].name ? nodes[0].name.value : "");
  }
  await cdp.detach();
  return out;
}

const box = (page, selector) => page.evaluate((s) => {
  const r = document.querySelector(s).getBoundingClientRect();
  return { left: r.left, right: r.right, top: r.top, bottom: r.bottom, height: r.height };
}, selector);
const ninth = "nav.tvm > ul > li:nth-child(2) > ul > li:nth-child(9)";
const near = (a, b, what) => assert.ok(Math.abs(a - b) <= 1, `${what}: ${a} is not ${b}`);

// Whether the fly-out of the row `s` is beside its row, as far as the
// window's bottom edge lets it. Runs in the page.
const beside = (s) => {
  const row = document.querySelector(s).getBoundingClientRect(), fly = document.querySelector(s + " > ul").getBoundingClientRect();
  return Math.abs(fly.top - Math.min(row.top - 1, innerHeight - fly.height)) <= 1 && Math.abs(fly.left - row.right) <= 1;
};

async function openNinth(page) {
  if (await page.locator(`${ninth} > a`).count() == 0 || !(await page.locator(`${ninth} > a`).isVisible()))
    await page.click("nav.tvm > ul > li:nth-child(2) > a");
  await page.locator(`${ninth} > a`).scrollIntoViewIfNeeded();
  await page.click(`${ninth} > a`);
  assert.equal(await page.locator(`${ninth} > a`).getAttribute("aria-expanded"), "true");
}

test("a fly-out's arrow is a glyph of its own, out of the name, mirrored right to left, and the fly-out opens beside its row", async () => {
  const p = project({ files: { "temp.js": longMenu, "rtl.htm": rtlPage, "site.htm": sitePage("Rows") } });
  for (const [file, glyph] of [["index.htm", "\u25B8"], ["rtl.htm", "\u25C2"], ["site.htm", "\u25B8"]]) {
    const { page, errors, context } = await open(browser, p.url(file), { viewport: { width: 1280, height: 800 } });
    await openNinth(page);
    assert.deepEqual(await names(page, `${ninth} > a`), ["Row 9"], file);
    const look = await page.evaluate((s) => {
      const a = document.querySelector(s + " > a"), arrow = a.querySelector(".tvm-arr"), range = document.createRange();
      range.selectNodeContents(a);
      range.setStartAfter(arrow);
      const text = range.getBoundingClientRect(), own = arrow.getBoundingClientRect(), row = a.getBoundingClientRect();
      return { content: getComputedStyle(arrow, "::after").content, hidden: arrow.getAttribute("aria-hidden"), text: a.textContent,
        row: [row.top, row.bottom, row.height], plain: document.querySelector(s + " + li > a").getBoundingClientRect().height,
        arrow: [own.left, own.right, own.top, own.bottom], caption: [text.left, text.right] };
    }, ninth);
    assert.deepEqual([look.content, look.hidden, look.text], [`"${glyph}"`, "true", "Row 9"], file);
    assert.equal(look.row[2], look.plain, "the row is as high as a row without arrow");
    assert.ok(look.arrow[2] >= look.row[0] && look.arrow[3] <= look.row[1] && look.arrow[1] > look.arrow[0], JSON.stringify(look));
    assert.ok(file == "rtl.htm" ? look.arrow[1] <= look.caption[0] : look.arrow[0] >= look.caption[1], JSON.stringify(look));
    const row = await box(page, ninth), fly = await box(page, `${ninth} > ul`);
    near(fly.top, row.top - 1, `${file} top`);
    if (file == "rtl.htm") near(fly.right, row.left, "rtl side");
    else near(fly.left, row.right, `${file} side`);
    assert.deepEqual(errors, []);
    await context.close();
  }
});

test("a fly-out follows its scrolling list and the page, and closes when its row scrolls out of sight", async () => {
  const tall = template.replace("</main>", '<div style="height:3000px"></div></main>');
  const p = project({ files: { "temp.js": longMenu, "tall.htm": tall } });
  const { page, context } = await open(browser, p.url("tall.htm"), { viewport: { width: 1000, height: 400 } });
  const list = "nav.tvm > ul > li:nth-child(2) > ul", fly = `${ninth} > ul`;
  const scrolled = async (scroll, closes) => {
    const before = (await box(page, fly)).top;
    await page.evaluate(scroll, [list, ninth]);
    // Scroll events come with the next frame, not with the page's timers.
    if (closes) return page.waitForFunction((s) => document.querySelector(s).getAttribute("aria-expanded") == "false", `${ninth} > a`);
    await page.waitForFunction(([s, top]) => document.querySelector(s).getBoundingClientRect().top != top, [fly, before]);
    assert.ok(await page.evaluate(beside, ninth), String(scroll));
    return (await box(page, fly)).top - before;
  };
  await page.click("nav.tvm > ul > li:nth-child(2) > a");
  await page.evaluate(([l, s]) => { document.querySelector(l).scrollTop = document.querySelector(s).offsetTop; }, [list, ninth]);
  await openNinth(page);
  assert.ok(await page.evaluate((s) => document.querySelector(s).scrollHeight > document.querySelector(s).clientHeight, list));
  near(await scrolled(([l]) => { document.querySelector(l).scrollTop -= 40; }), 40, "it moved down with its row");
  await scrolled(() => scrollBy(0, 20));
  await scrolled(([l, s]) => { document.querySelector(l).scrollTop = document.querySelector(s).offsetTop + 60; }, true);
  await openNinth(page);
  await scrolled(() => scrollBy(0, 600), true);
  await context.close();
});

test("with long captions in a 620 px window no list starts left of the window or ends right of it", async () => {
  const long = (s) => `${s} with a caption long enough to fill the window`;
  const script = menuScript([["Home", "index.htm"], ["Products", [
    ["M", long("Software"), "", [1, 2].map((n) => ["L", long(`Part ${n} of the software`), "", "p.htm"])],
    ["L", long("Hardware"), "", "h.htm"]]]]);
  const right = template.replace("</head>", "<style>nav.tvm > ul { justify-content: flex-end }</style></head>");
  const p = project({ files: { "temp.js": script, "rtl.htm": rtlPage, "right.htm": right } });
  for (const file of ["index.htm", "rtl.htm", "right.htm"]) {
    const { page, context } = await open(browser, p.url(file), { viewport: { width: 620, height: 500 } });
    await page.click("nav.tvm > ul > li:nth-child(2) > a");
    await page.click("li.tvm-sub > a");
    for (const list of ["nav.tvm > ul > li:nth-child(2) > ul", "li.tvm-sub > ul"]) {
      const b = await box(page, list);
      assert.ok(b.left >= 0 && b.right <= 620, `${file} ${list}: ${JSON.stringify(b)}`);
    }
    // The fly-out lies over its parent list, opaque: every point of it is its own.
    assert.deepEqual(await page.evaluate(covered, "li.tvm-sub > ul"), [], file);
    await context.close();
  }
});

test("a caption of 500 characters wraps in a list of 60 characters' width, and its fly-out stays within reach", async () => {
  const script = menuScript([["Home", "index.htm"], ["Products", [
    ["L", "Very long ".repeat(50), "", "v.htm"],
    ["M", "Deep", "", ["A", "B", "C", "D"].map((n) => ["L", `Third ${n}`, "", "t.htm"])]]]]);
  const url = project({ files: { "temp.js": script } }).url();
  const { page, context } = await open(browser, url, { viewport: { width: 1280, height: 800 } });
  await page.click("nav.tvm > ul > li:nth-child(2) > a");
  await page.click("li.tvm-sub > a");
  const b = await box(page, "nav.tvm > ul > li:nth-child(2) > ul");
  const cw = await page.evaluate(() => tavelV.cw);
  assert.ok(b.right - b.left < 62 * cw + 40, JSON.stringify(b));
  assert.deepEqual(await page.evaluate(covered, "li.tvm-sub > ul"), []);
  await context.close();
  // Narrow, the open lists fit the window: nothing scrolls sideways.
  const narrow = await open(browser, url, { viewport: { width: 400, height: 700 } });
  await narrow.page.click("button.tvm-burger");
  await narrow.page.click("nav.tvm > ul > li:nth-child(2) > a");
  assert.equal(await narrow.page.evaluate(() => document.querySelector("nav.tvm > ul > li:nth-child(2)").className), "tvm-top tvm-open");
  assert.ok(await narrow.page.evaluate(() => document.documentElement.scrollWidth <= 400));
  await narrow.context.close();
});

// The points of a grid over the list `s` whose topmost element is not part of it, and the list's
// own background if it lets anything through. Runs in the page.
const covered = (s) => {
  const ul = document.querySelector(s), r = ul.getBoundingClientRect(), out = [];
  for (let x = r.left + 1; x < r.right - 1; x += 15) for (let y = r.top + 1; y < r.bottom - 1; y += 6)
    if (!ul.contains(document.elementFromPoint(x, y))) out.push(`${x},${y}: ${document.elementFromPoint(x, y).textContent}`);
  const bg = getComputedStyle(ul).backgroundColor;
  return /rgba|transparent/.test(bg) ? [...out, bg] : out;
};

test("a third-level list of 25 items lies above the bar, within the window, and scrolls to each of its items", async () => {
  const parts = Array.from({ length: 25 }, (_, i) => ["L", i ? `Part ${i + 1}` : "Android", "", `part${i + 1}.htm`]);
  const script = menuScript([["Home", "index.htm"], ["Products", [["L", "Phones", "", "phones.htm"], ["M", "Software", "", parts]]],
    ["Services", [["L", "Support", "", "support.htm"]]], ["About us", [["L", "Us", "", "us.htm"]]]]);
  const { page, errors, context } = await open(browser, project({ files: { "temp.js": script } }).url(), { viewport: { width: 1280, height: 800 } });
  await page.click("nav.tvm > ul > li:nth-child(2) > a");
  await page.click("li.tvm-sub > a");
  const list = "li.tvm-sub > ul", b = await box(page, list);
  assert.ok(b.top >= 0 && b.bottom <= 800, JSON.stringify(b));
  assert.deepEqual(await page.evaluate(covered, list), []);
  // Each item, scrolled into the list's view, is the element at its own middle.
  assert.deepEqual(await page.evaluate((s) => [...document.querySelectorAll(s + " a")].filter((a) => {
    a.scrollIntoView({ block: "nearest" });
    const r = a.getBoundingClientRect();
    return document.elementFromPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2) != a;
  }).map((a) => a.textContent), list), []);
  // A click reaches the first item, which the bar's titles covered.
  await page.evaluate(() => document.addEventListener("click", (e) => { window.clicked = e.target.textContent; e.preventDefault(); }));
  await page.locator(`${list} a`, { hasText: "Android" }).click({ timeout: 30000 });
  assert.equal(await page.evaluate(() => window.clicked), "Android");
  assert.deepEqual(errors, []);
  await context.close();
});

test("a list that holds the focus stays open when the pointer leaves, and Escape in a text field is the field's", async () => {
  const form = template.replace("</main>", '<label>Search <input id="q" value="text"></label></main>');
  const { page, context } = await open(browser, project({ files: { "form.htm": form } }).url("form.htm"));
  const focused = () => page.evaluate(() => document.activeElement.textContent);
  await page.hover("nav.tvm > ul > li:nth-child(2) > a");
  await page.clock.runFor(150);
  for (let i = 0; i < 3; i++) await page.keyboard.press("Tab");
  assert.equal(await focused(), "Software");
  await page.mouse.move(600, 400);
  await page.clock.runFor(1000);
  assert.equal(await focused(), "Software");
  assert.equal(await page.locator("nav.tvm > ul > li:nth-child(2) > a").getAttribute("aria-expanded"), "true");
  // A list that does not hold the focus closes.
  await page.hover("nav.tvm > ul > li:nth-child(4) > a");
  await page.clock.runFor(150);
  assert.equal(await page.locator("nav.tvm > ul > li:nth-child(4) > a").getAttribute("aria-expanded"), "true");
  assert.equal(await focused(), "Products", "the focus went to the toggle of the list that closed");
  // About us is open by hover while the focus is in the field.
  await page.focus("#q");
  await page.evaluate(() => addEventListener("keydown", (e) => { window.prevented = e.defaultPrevented; }));
  await page.keyboard.press("Escape");
  assert.deepEqual(await page.evaluate(() => [document.activeElement.id, window.prevented]), ["q", false]);
  await context.close();
});

test("a fly-out closes when the focus leaves it, and Escape closes only the list the focus is in", async () => {
  const p = project({ files: { "site.htm": sitePage("Keys") } });
  // Each key, then the focused item and the states of Software's fly-out and of the Products list.
  const keys = [["ArrowDown"], ["ArrowRight", "Editor", "true", "true"], ["Escape", "Software", "false", "true"], ["ArrowRight"],
    ["End", "Converter", "true", "true"], ["Tab", "Hardware", "false", "true"], ["Escape", "Products", "false", "false"]];
  for (const file of ["index.htm", "site.htm"]) {
    const { page, context } = await open(browser, p.url(file));
    await page.focus("nav.tvm > ul > li:nth-child(2) > a");
    for (const [key, ...expected] of keys) {
      await page.keyboard.press(key);
      if (expected.length) assert.deepEqual(await page.evaluate(() => [document.activeElement.textContent,
        ...["li.tvm-sub > a", "nav.tvm > ul > li:nth-child(2) > a"].map((s) => document.querySelector(s).getAttribute("aria-expanded"))]),
      expected, `${file} after ${key}`);
    }
    await context.close();
  }
  // Escape closes the narrow screen's Menu panel.
  const { page, context } = await open(browser, p.url(), { viewport: { width: 400, height: 700 } });
  await page.click("nav.tvm > button");
  await page.keyboard.press("Tab");
  await page.keyboard.press("Escape");
  assert.equal(await page.locator("nav.tvm > ul").isVisible(), false);
  assert.deepEqual(await page.evaluate(() => [document.querySelector("nav.tvm > button").getAttribute("aria-expanded"), document.activeElement.textContent]), ["false", "Menu"]);
  await context.close();
  // A window narrowed (or zoomed) under the focus folds the menu away: the focus goes to "Menu".
  const wide = await open(browser, p.url(), { viewport: { width: 1280, height: 700 } });
  await wide.page.focus("nav.tvm > ul > li:nth-child(2) > a");
  for (const key of ["ArrowDown", "ArrowRight"]) await wide.page.keyboard.press(key);
  assert.equal(await wide.page.evaluate(() => document.activeElement.textContent), "Editor");
  await wide.page.setViewportSize({ width: 400, height: 700 });
  // The browser blurs the item the narrowed window hides, and the runtime moves the focus on, only when
  // the page is next updated, after setViewportSize has returned.
  await eventually(wide.page, () => document.activeElement.outerHTML.replace(/ aria-controls="\w+-m"/, ""),
    '<button type="button" class="tvm-burger" aria-expanded="false">Menu</button>', "the focus after the window narrowed");
  await wide.context.close();
});

// What ApplyStyle writes into the thirteen slots from the values of a style file.
const styleLines = (values) => Object.fromEntries(values.map((v, k) => [12 + k, slotLine(12 + k, v, [4, 5, 6, 7, 8, 9, 12].includes(k))]));
const styleMaster = [" 9", " 17", " 7", " 15", " #0000c9", " #0000c9", " #0000c9", " #990000", " #999999", " #0000ff", " 1", " 4", " &nbsp;&nbsp;"];

async function look(url) {
  const { page, errors, context } = await open(browser, url);
  await page.click("nav.tvm > ul > li:nth-child(2) > a");
  const seen = await page.evaluate(() => {
    const css = (el, p) => getComputedStyle(el)[p], bar = document.querySelector("nav.tvm > ul");
    const title = bar.querySelector("a"), item = document.querySelector("li.tvm-open > ul > li:not(.tvm-sub) > a");
    return { titles: bar.children.length, bar: css(bar, "backgroundColor"), pad: css(title, "paddingLeft"),
      titleHeight: title.getBoundingClientRect().height, itemHeight: item.getBoundingClientRect().height,
      border: css(bar, "borderTopWidth"), lines: [css(bar, "borderTopColor"), css(bar, "borderBottomColor")],
      item: css(item, "backgroundColor"), home: title.textContent };
  });
  await context.close();
  return { ...seen, errors };
}

test("no value the program writes into the style slots or gap lines stops the runtime", async () => {
  const base = await look(project().url());
  const cases = [
    ["an empty style file", styleLines(Array(13).fill("")), {}],
    ["bare 9px and auto", { 12: slotLine(12, "9px", false), 13: slotLine(13, "auto", false), 22: slotLine(22, "auto", false) }, { pad: "9px" }],
    ["a quote in a colour, an invalid colour", { 16: slotLine(16, "navy blue", true), 18: slotLine(18, '#12"34', true) }, {}],
    ["a colour without #", { 16: slotLine(16, "c00000", true) }, { bar: "rgb(192, 0, 0)" }],
    ["a quote in the margin string", { 24: slotLine(24, '"', true) }, { home: '"Home' }],
    ["a backslash gap and a quote gap", { 47: 'var gaps1 ="<b>\\</b>";', 48: 'var gaps2 ="<b>"</b>";' }, { home: '\\Home"' }],
    ["a gap that is a whole line of code", { 47: "var gaps1 =\"<b>');alert(1);('</b>\";" }, { home: "');alert(1);('Home" }],
    ["a colour scheme's own lines", { 16: "var titleNormal = '#336699';", 22: "var borderSize = 3 ;" }, { bar: "rgb(51, 102, 153)", border: "3px" }],
  ];
  for (const [what, lines, expected] of cases) {
    const seen = await look(project({ lines }).url());
    assert.deepEqual(seen.errors, [], what);
    assert.equal(seen.titles, 4, what);
    assert.deepEqual(seen, { ...base, ...expected }, what);
  }
  // All of the worst at once, on a site page in its fixed form.
  const worst = { ...styleLines(Array(13).fill("")), 24: slotLine(24, "\\", true), 47: 'var gaps1 ="<b>"</b>";', 48: 'var gaps2 ="<b>\\</b>";' };
  const site = await look(project({ lines: worst, files: { "site.htm": sitePage("Styles") } }).url("site.htm"));
  assert.deepEqual({ ...site, titleHeight: 0, itemHeight: 0 }, { ...base, titleHeight: 0, itemHeight: 0, home: '\\"Home\\' });
  // The values of the Style Master: small targets grow to 24 pixels.
  const master = await look(project({ lines: styleLines(styleMaster) }).url());
  assert.deepEqual(master.errors, []);
  assert.equal(master.bar, "rgb(0, 0, 201)");
  assert.ok(master.titleHeight >= 24 && master.itemHeight >= 24, JSON.stringify(master));
});

test("gaps and margin text stay out of names and type-ahead", async () => {
  const lines = { 24: slotLine(24, "&raquo;&nbsp;", true), 47: 'var gaps1 ="<b>[</b>";', 48: 'var gaps2 ="<b>]</b>";' };
  const p = project({ lines, files: { "site.htm": sitePage("Gaps") } });
  for (const file of ["index.htm", "site.htm"]) {
    const { page, context } = await open(browser, p.url(file));
    assert.equal(await page.locator("nav.tvm > ul > li:nth-child(2) > a").textContent(), "\u00bb\u00a0[Products]");
    assert.deepEqual(await names(page, "nav.tvm > ul > li > a"), ["Home", "Products", "Services", "About us"]);
    await page.focus("nav.tvm > ul > li:nth-child(1) > a");
    await page.keyboard.press("p");
    assert.deepEqual(await names(page, ":focus"), ["Products"]);
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("h");
    assert.deepEqual(await names(page, ":focus"), ["Hardware"]);
    await context.close();
  }
});

test("UTF-8 captions, and quotes and backslashes as the writer escapes them, read right on both pages", async () => {
  const script = menuScript([["Caf\u00e9", "cafe.htm"], ["C:\\new", "c.htm"], ['Say "hi"', [["L", 'Ma\u00f1ana \u2013 \u65e5\u672c "b" \\ c', 'Gr\u00fc\u00dfe \\ "x"', "dir\\x.htm"]]]]);
  assert.ok(script.includes('theMenu[1] = new Array("C:\\\\new", "c.htm");'));
  const site = sitePage("Caf\u00e9 :: Say");
  const p = project({ files: { "temp.js": Buffer.from(script, "utf8"), "site.htm": Buffer.from(site, "utf8") } });
  for (const file of ["index.htm", "site.htm"]) {
    const { page, errors, context } = await open(browser, p.url(file));
    assert.equal(await page.evaluate(() => document.characterSet), "UTF-8", file);
    assert.deepEqual(await names(page, "nav.tvm > ul > li > a"), ["Caf\u00e9", "C:\\new", 'Say "hi"']);
    await page.click("nav.tvm > ul > li:nth-child(3) > a");
    const item = page.locator("a.menu");
    assert.equal(await item.textContent(), 'Ma\u00f1ana \u2013 \u65e5\u672c "b" \\ c');
    assert.equal(await item.getAttribute("title"), 'Gr\u00fc\u00dfe \\ "x"');
    assert.equal(await item.getAttribute("href"), "dir\\x.htm");
    if (file == "site.htm") assert.deepEqual([await page.evaluate(() => document.compatMode), await page.title()], ["CSS1Compat", "Caf\u00e9 :: Say"]);
    assert.deepEqual(errors, []);
    await context.close();
  }
});

test("a Windows-1252 menu data script reads right in a UTF-8 page, a site page and a page that declares nothing", async () => {
  const script = menuScript([["Caf\u00e9", "cafe.htm"], ["\u00dcber", [["L", "\u20ac 5 \u2013 \u00bd", "Gr\u00fc\u00dfe", "euro.htm"]]]]);
  // Windows-1252 bytes: the three characters beyond Latin-1 here, the rest as they are.
  const cp1252 = Buffer.from([...script].map((c) => ({ "\u20ac": 0x80, "\u2013": 0x96 })[c] || c.charCodeAt(0)));
  const plain = "<html><head><title>Plain</title><script src=\"sys.js\"></script><script src=\"temp.js\"></script></head>" +
    "<body onLoad=\"buildMenu('theMenu')\"><p>Plain</p></body></html>";
  const p = project({ files: { "temp.js": cp1252, "site.htm": sitePage("Caf\u00e9 :: \u00dcber"), "plain.htm": plain } });
  for (const file of ["index.htm", "site.htm", "plain.htm"]) {
    const { page, errors, context } = await open(browser, p.url(file));
    await page.waitForFunction(() => document.readyState == "complete");
    assert.deepEqual(await names(page, "nav.tvm > ul > li > a"), ["Caf\u00e9", "\u00dcber"], file);
    await page.click("nav.tvm > ul > li:nth-child(2) > a");
    assert.deepEqual([await page.locator("a.menu").textContent(), await page.locator("a.menu").getAttribute("title"),
      await page.locator("nav.tvm").count(), errors], ["\u20ac 5 \u2013 \u00bd", "Gr\u00fc\u00dfe", 1, []], file);
    await context.close();
  }
});

test("odd data degrades gently", async () => {
  const script = [
    "var theMenu = new Array();",
    'theMenu[0] = new Array("   ", "start.htm");',
    'theMenu[1] = new Array("Products", "myMenu0");',
    "var myMenu0 = new Array();",
    'myMenu0[0] = new Array("L","","Our shop","shop.htm");',
    'myMenu0[1] = new Array("L");',
    'myMenu0[2] = new Array("M","Gadgets","","myMenu17");',
    'myMenu0[3] = new Array("L","<img src=\'data:image/svg+xml,<svg xmlns=%22http://www.w3.org/2000/svg%22/>\'>","","img.htm");',
    'myMenu0[4] = new Array("L","<img alt=Logo src=\'data:image/svg+xml,<svg xmlns=%22http://www.w3.org/2000/svg%22/>\'>","","logo.htm");',
    'theMenu[2] = new Array("Ghost", "myMenu9");',
    'theMenu[3] = new Array("Empty", "myMenu3");',
    "var myMenu3 = new Array();",
    "theMenu[4] = 7;",
    "",
  ].join("\r\n");
  const p = project({ files: { "temp.js": script, "site.htm": sitePage("Odd") } });
  for (const file of ["index.htm", "site.htm"]) {
    const { page, errors, context } = await open(browser, p.url(file));
    await page.click("nav.tvm > ul > li:nth-child(2) > a");
    assert.deepEqual(errors, []);
    assert.deepEqual(await names(page, "nav.tvm > ul > li > a[href], nav.tvm > ul > li > a[role]"), ["start.htm", "Products"]);
    assert.deepEqual(await names(page, "nav.tvm > ul > li:nth-child(2) > ul > li > a[href]"), ["Our shop", "Item 2", "img.htm", "Logo"]);
    const html = await page.evaluate(() => document.querySelector("nav.tvm").outerHTML);
    assert.ok(!/undefined|null|myMenu/.test(html.replace(/id="[^"]*"|aria-controls="[^"]*"/g, "")), html);
    // Items whose submenu is missing are plain text, not links or toggles.
    assert.deepEqual(await page.locator("nav.tvm a:not([href]):not([role])").allTextContents(), ["Gadgets", "Ghost", "Empty"]);
    // The keyboard passes over them.
    await page.focus("nav.tvm > ul > li:nth-child(2) > a");
    await page.keyboard.press("ArrowRight");
    assert.deepEqual(await names(page, ":focus"), ["start.htm"]);
    await context.close();
  }
});

test("a menu without items draws no bar and no Menu button", async () => {
  const p = project({ files: { "temp.js": "var theMenu = new Array();\r\n", "site.htm": sitePage("Nothing") } });
  const none = project({ files: { "temp.js": "" } });
  for (const url of [p.url(), p.url("site.htm"), none.url()]) {
    for (const width of [1280, 400]) {
      const { page, errors, context } = await open(browser, url, { viewport: { width, height: 600 } });
      await page.waitForFunction(() => document.readyState == "complete");
      assert.deepEqual([errors, await page.locator("nav.tvm button, nav.tvm ul").count(),
        await page.evaluate(() => document.getElementById("menuHolder").offsetHeight)], [[], 0, 0], `${url} at ${width} px`);
      await context.close();
    }
  }
});

test("the menu is drawn before a slow image loads, in the height kept for it", async () => {
  const slow = template.replace("</main>", '<img src="slow.png" alt="A slow picture" width="200" height="100"></main>');
  const pair = '<script language="javascript" src="sys.js"></script><script language="javascript" src="temp.js"></script>';
  const twice = `<link rel=stylesheet href="stt.css" type="text/css"><link rel=stylesheet href="stt.css" type="text/css"><!DOCTYPE html>
<html><head><title>Shop</title>${pair}${pair}</head><body onLoad="buildMenu('theMenu')" onLoad="buildMenu('theMenu')"><h1>Shop</h1></body></html>`;
  const p = project({ files: { "slow.htm": slow, "site.htm": sitePage("Early"), "twice.htm": twice } });
  let release;
  const held = new Promise((resolve) => { release = resolve; });
  const server = await serve(p.dir, { "/slow.png": held });
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(server.url + "slow.htm", { waitUntil: "domcontentloaded" });
  const drawn = () => page.evaluate(() => [document.readyState == "complete", document.querySelectorAll("nav.tvm").length,
    document.querySelectorAll("nav.tvm a").length > 0, document.querySelector("nav.tvm").id, document.querySelector("main").getBoundingClientRect().top]);
  const early = await drawn();
  assert.deepEqual(early.slice(0, 3), [false, 1, true], "the menu is there while the image holds the load event back");
  release();
  await page.waitForFunction(() => document.readyState == "complete");
  assert.deepEqual(await drawn(), [true, ...early.slice(1)], "the page's own call on load keeps the menu, and nothing moved");
  await context.close();

  // The site page in its fixed form, and a page integrated twice, which
  // loads the scripts twice, draw one menu as well.
  for (const file of ["site.htm", "twice.htm"]) {
    const { page, errors, context } = await open(browser, server.url + file);
    await page.waitForFunction(() => document.readyState == "complete");
    const drawn = await page.evaluate(() => [document.querySelectorAll("nav.tvm").length, document.querySelector("nav.tvm").id,
      document.querySelectorAll("nav.tvm > ul > li").length]);
    assert.deepEqual([...drawn, errors], [1, "tvm1", 4, []], file);
    await context.close();
  }
  server.close();
});

async function axe(page) {
  // axe runs on the page's timers.
  await page.clock.resume();
  await page.addScriptTag({ path: axePath });
  const result = await page.evaluate(() => axe.run(document, { rules: { "target-size": { enabled: true } } }));
  await page.clock.pauseAt((await page.evaluate(() => Date.now())) + 1000);
  return result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(" ")).join(", ")}`);
}

test("the holder keeps the bar's height, and axe finds no violation with menus closed and open, at 1280 and 400 px", async () => {
  for (const lines of [{}, styleLines(styleMaster)]) {
    // Served over loopback HTTP: axe fetches style sheets, which file pages refuse.
    const server = await serve(project({ lines }).dir);
    for (const width of [1280, 400]) {
      const { page, errors, context } = await open(browser, server.url + "index.htm",
        { viewport: { width, height: 800 }, reducedMotion: "reduce" });
      const where = `${width} px${lines[12] ? ", Style Master values" : ""}`;
      // The holder keeps the bar's height before the menu is drawn.
      const [drawn, kept] = await page.evaluate(() => {
        const empty = document.body.appendChild(document.createElement("div"));
        empty.id = "menuHolder";
        const heights = [document.querySelector("nav.tvm").offsetHeight, empty.offsetHeight];
        empty.remove();
        return heights;
      });
      assert.equal(kept, drawn, `${where}: the holder keeps the bar's height before the menu is drawn`);
      assert.deepEqual(await axe(page), [], `${where}, closed`);
      if (width < 600) await page.click("nav.tvm > button");
      await page.click("nav.tvm > ul > li:nth-child(2) > a");
      await page.click("li.tvm-sub > a");
      await page.hover("li.tvm-sub li > a");
      assert.deepEqual(await axe(page), [], `${where}, open`);
      assert.deepEqual(errors, []);
      await context.close();
    }
    server.close();
  }
});

test("the tests leave no page folder behind", () => {
  const script = `import { project } from ${JSON.stringify(new URL("./harness.mjs", import.meta.url).href)};
    const p = project(); console.log(p.dir); throw new Error("a failing test");`;
  let out = "";
  try { execFileSync(process.execPath, ["--input-type=module", "-e", script], { stdio: ["ignore", "pipe", "ignore"] }); }
  catch (e) { out = String(e.stdout).trim(); }
  assert.match(out, /tavel-page-/);
  assert.equal(fs.existsSync(out), false);
});
